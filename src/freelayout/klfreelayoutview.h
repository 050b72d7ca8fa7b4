#pragma once

// The canvas of the free layout: photos dropped or added anywhere become
// prints (KLFreeLayoutItem) that the person moves, scales, rotates and
// stacks. Decorations, plate, captions and export come from KLCanvasView.
//
// Prints and captions live in the container (boundView), the bounds inset
// by 4 on every side; later subviews lie on top, and a new print goes on top
// of everything. Every print keeps its place and width as fractions of the
// container, so a resized canvas (window, zoom, export) shows the same
// collage at another scale.

#include "canvas/klcanvasview.h"

#include <vector>

class KLFreeLayoutItem;

class KLFreeLayoutView : public KLCanvasView
{
public:
    explicit KLFreeLayoutView(const kit::Rect& frame = { 0, 0, 400, 400 });
    ~KLFreeLayoutView() override;

    kit::View* boundView() const { return m_boundView; }
    // The prints in the order they were added (not the stacking order).
    const std::vector<KLFreeLayoutItem*>& items() const { return m_items; }

    // Reads the file and adds it as a print centred on `at`, a point of the
    // canvas. An unreadable file is logged ("Load image from <path> failed!")
    // and reported through onUnreadablePhotos; nothing is added. Answers the
    // new print or nullptr.
    KLFreeLayoutItem* addImageFromPath(const QString& path, kit::Point at);
    // Adds the photo as a print of half the container's width centred on
    // `at` (a point of the canvas), on top of everything, and selects it.
    KLFreeLayoutItem* addImage(const kit::Image& image, kit::Point at);
    // The first photo centred, each next one 3 % of the container further
    // right and down, so that none hides another completely.
    void addPhotos(const std::vector<kit::Image>& photos) override;

    // The item asked to be removed ("kFreeLayoutItemDeleted"); prints of
    // other canvases are ignored.
    void layoutItemDeleted(KLFreeLayoutItem* item);
    // A print was selected ("kFreeLayoutItemSelected"): everything redraws so
    // that only its marks show.
    void layoutItemSelected(KLFreeLayoutItem* item);
    // Deselects prints and captions too.
    void clearResponder() override;

    // A click beside every print deselects; Escape too.
    void mouseDown(const kit::MouseEvent& e) override;
    void keyDown(const kit::KeyEvent& e) override;
    // Only the first file of a drop is taken, centred on the drop point; the
    // drop is refused when that file is no photo (told to onUnreadablePhotos).
    bool performDragOperation(const kit::DragInfo& info) override;

protected:
    void removeAllPhotos() override;
    void layoutContent() override;
    const QLoggingCategory& logCategory() const override;

private:
    void redrawContents();

    kit::View* m_boundView = nullptr; // owned through the subview list
    std::vector<KLFreeLayoutItem*> m_items; // owned by the container
    std::vector<kit::Observation> m_observations;
};
