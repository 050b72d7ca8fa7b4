#pragma once

// The canvas of the template layout: loads a template file into cells, lays
// them out in its cell area, draws the plate beneath them (background colour
// or picture, rounded corners, frame border, drop shadow), takes dropped
// photos, pans and zooms them, hosts the captions, and renders itself into an
// image file.

#include "border/backgroundentry.h"
#include "border/klframeborder.h"
#include "kit/imagewriter.h"
#include "kit/notificationcenter.h"
#include "kit/view.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

class KLResourceItem;

class KLResourceView : public kit::View
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

    void setFrameSize(kit::Size size) override;
    // Lays out the bound view and every cell; updates every caption.
    void _updateItemRect();

    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    void imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out, double scale) const override;

    void mouseDown(const kit::MouseEvent& e) override;
    void mouseDragged(const kit::MouseEvent& e) override;
    void mouseUp(const kit::MouseEvent& e) override;
    void scrollWheel(const kit::ScrollEvent& e) override;
    bool acceptsFirstResponder() const override { return true; }

    bool performDragOperation(const kit::DragInfo& info) override;

    // Gives the photos to the cells as a drop of these files on `target`
    // does: the target first, then the other cells in template order; an
    // absent image uses up its turn. Posts "kLayoutImageDropped" for every
    // cell that received a photo.
    void fillCells(const std::vector<std::optional<kit::Image>>& images, KLResourceItem* target);

    // Removes every photo and caption and the background choice.
    void clear();

    void _setHasShadow(bool on);
    void _setHasCorner(bool on);
    void _setBackgroundView(const std::optional<BackgroundEntry>& entry);
    // A border file, or none to remove the border. A file that fails to load
    // leaves the canvas without a border (and logs why).
    void _setFrameBorder(const std::optional<QString>& path);
    void resetAllImagesPosition();

    // Renders the canvas at its current size and writes it atomically in the
    // given format. False, with a reason in `error`, when encoding or writing
    // fails; nothing is then created and an existing file stays as it was.
    bool saveToURL(const QString& path, kit::ImageFormat type, QString* error = nullptr);

    const std::vector<KLResourceItem*>& items() const { return m_items; }
    const std::vector<kit::View*>& textItems() const { return m_textItems; }
    QString resourcePath() const { return m_resourcePath; }
    kit::Size frameSize() const { return m_frameSize; }
    bool ratioLocked() const { return m_ratioLocked; }
    const std::optional<BackgroundEntry>& backgroundView() const { return m_background; }
    kit::View* boundView() const { return m_boundView; }
    bool hasShadow() const { return m_hasShadow; }
    bool hasCorner() const { return m_hasCorner; }
    bool hasFrameBorder() const { return m_frameBorder.has_value(); }
    const std::optional<KLFrameBorder>& frameBorder() const { return m_frameBorder; }
    KLResourceItem* selectedItem() const { return m_selectedItem; }

    // The plate (background rectangle) and the cell area for the current bounds.
    kit::Rect plateRect() const;
    kit::Rect cellArea() const;

    // Observer of "kTextViewDeleted": forgets one of this canvas's captions
    // and selects the newest one left.
    void textViewDeleted(kit::View* caption);

private:
    KLResourceItem* itemAt(kit::Point windowLocation) const;
    void clearResponder();
    void distribute(int count, KLResourceItem* target,
                    const std::function<std::optional<kit::Image>(int)>& imageAt);
    void removeAllItems();

    QString m_resourcePath;
    kit::View* m_boundView = nullptr; // owned through the subview list
    std::vector<KLResourceItem*> m_items; // owned by the bound view
    std::vector<kit::View*> m_textItems; // owned by the bound view
    KLResourceItem* m_selectedItem = nullptr;
    kit::Point m_clickedPoint;
    kit::Point m_originalPoint;
    std::optional<BackgroundEntry> m_background;
    std::optional<KLFrameBorder> m_frameBorder;
    kit::Size m_frameSize;
    bool m_hasShadow = true;
    bool m_hasCorner = false;
    bool m_ratioLocked = false;
    std::vector<kit::Observation> m_observations;
};
