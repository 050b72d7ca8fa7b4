#pragma once

// The canvas of the template layout: loads a template file into cells, lays
// them out in its cell area, takes dropped photos, and pans and zooms them.
// Decorations, plate, captions and export come from KLCanvasView; this canvas
// differs in its plate rectangle (insets that follow the ratio), its picture
// (over the whole bounds with rounded corners) and in keeping its cells and
// captions in the bound view, whose frame is the cell area. Its cells are
// clipped by the plate's outline (rounded corners, frame border) too.

#include "templatefile.h"

#include "canvas/klcanvasview.h"

#include <functional>
#include <optional>
#include <vector>

#include <QString>

class KLResourceItem;

class KLResourceView : public KLCanvasView
{
public:
    explicit KLResourceView(const kit::Rect& frame = { 0, 0, 400, 400 });
    ~KLResourceView() override;

    // Loads a template. False when the file is missing (the canvas is then
    // unchanged) or unreadable or malformed (the canvas then has no cells);
    // true even when no cell line was accepted. `error` gets the reason of a
    // failure in a sentence. Captions survive, above the
    // new cells.
    bool loadResourceFromPath(const QString& path, QString* error = nullptr);
    // Loads a template from its text as loadResourceFromPath loads it from
    // its file; `path` names the template (resourcePath()) and is not read.
    // False, with the canvas then without cells, when the text is malformed.
    bool loadResourceFromText(QStringView text, const QString& path, QString* error = nullptr);

    // Lays out the bound view and every cell; updates every caption.
    void _updateItemRect();

    // A drag inside a cell pans its photo. A drag that leaves the cell ends
    // the pan and carries the photo: released over another cell, the two
    // cells swap their photos (swapPhotos); anywhere else nothing more
    // happens.
    void mouseDown(const kit::MouseEvent& e) override;
    void mouseDragged(const kit::MouseEvent& e) override;
    void mouseUp(const kit::MouseEvent& e) override;
    // Each cell takes the other's photo as a fresh photo (1.5 × its fit size
    // at the lower left corner); a cell that gives a photo to an empty one
    // is emptied. `to` becomes first responder.
    void swapPhotos(KLResourceItem* from, KLResourceItem* to);
    // Zooms the photo of the selected cell (the first responder) under the
    // pointer by 0.1 a notch, adding fractional notches (fine wheels,
    // touchpads) up; anything else (no selected cell there, a horizontal
    // scroll) goes on, so that the view around the canvas scrolls.
    bool scrollWheel(const kit::ScrollEvent& e) override;

    // Photo drops: the files fill the cell under the pointer, then the other
    // cells in template order; a file that is not a photo uses up its turn.
    // Refused, with the reason told through onDropRefused or
    // onUnreadablePhotos, when no cell is under the pointer or no photo
    // was placed.
    bool performDragOperation(const kit::DragInfo& info) override;

    // Gives the photos to the cells as a drop of these files on `target`
    // does: the target first, then the other cells in template order; an
    // absent image uses up its turn. Posts "kLayoutImageDropped" for every
    // cell that received a photo.
    void fillCells(const std::vector<std::optional<kit::Image>>& images, KLResourceItem* target);
    // File ▸ Add Photos: the photos go to the empty cells, the selected one
    // (the first responder) first, then the others in template order, so no
    // photo already placed is lost. Only when no cell is empty are photos
    // replaced: from the selected cell, else the first, then in template
    // order. Null images are skipped; "kLayoutImageDropped" is posted for
    // every cell that received a photo. Answers how many of the (non-null)
    // photos a cell took, from the first; the rest found no cell.
    size_t placePhotos(const std::vector<kit::Image>& photos);
    void addPhotos(const std::vector<kit::Image>& photos) override { placePhotos(photos); }
    // The cell that is first responder of the canvas's window, if any.
    KLResourceItem* focusedCell() const;

    void resetAllImagesPosition();

    const std::vector<KLResourceItem*>& items() const { return m_items; }
    QString resourcePath() const { return m_resourcePath; }
    // The text of the template loaded last; empty when none was read.
    const QString& resourceText() const { return m_resourceText; }
    kit::Size frameSize() const { return m_frameSize; }
    bool ratioLocked() const { return m_ratioLocked; }
    kit::View* boundView() const { return m_boundView; }
    KLResourceItem* selectedItem() const { return m_selectedItem; }

    // The plate (background rectangle) and the cell area for the current
    // bounds: insets of 6 × r or 6 ÷ r and of 4.5 × r or 3.6 ÷ r along the
    // longer side (r = width ÷ height), 3 along the other.
    kit::Rect plateRect() const override;
    kit::Rect cellArea() const;

protected:
    void removeAllPhotos() override;
    void layoutContent() override;
    void decorationChanged(Decoration what) override;
    // The whole bounds with rounded corners (the outline clips it), else the plate.
    kit::Rect pictureRect() const override;
    const QLoggingCategory& logCategory() const override;

private:
    bool applyTemplate(const TemplateReadResult& result, const QString& path, QString* error);
    KLResourceItem* itemAt(kit::Point windowLocation) const;
    // Answers how many cells received a photo.
    int distribute(int count, KLResourceItem* target,
                   const std::function<std::optional<kit::Image>(int)>& imageAt);
    // The cells bottom-most first: template order.
    std::vector<KLResourceItem*> cellsInOrder() const;
    void removeAllItems();
    // Bordered cells show the background picture in their band, or the
    // plate's colour without one.
    void shareBackgroundWithCells();

    QString m_resourcePath;
    QString m_resourceText;
    kit::View* m_boundView = nullptr; // owned through the subview list
    // Below the captions in the bound view, as large as it.
    kit::View* m_cellView = nullptr;
    std::vector<KLResourceItem*> m_items; // owned by the cell view
    KLResourceItem* m_selectedItem = nullptr;
    // The cell whose photo a drag carries out of it.
    KLResourceItem* m_carriedItem = nullptr;
    kit::Point m_clickedPoint;
    kit::Point m_originalPoint;
    // Notches scrolled on m_wheelCell that have not made a whole step yet.
    double m_wheelNotches = 0;
    KLResourceItem* m_wheelCell = nullptr;
    kit::Size m_frameSize;
    bool m_ratioLocked = false;
};
