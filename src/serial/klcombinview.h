#pragma once

// The canvas of the serial layout: photos of one common width joined into
// one column, the first on top, over the plate and decorations that every
// canvas shares (KLCanvasView). The column's shape follows from the photos,
// so the canvas reports its content ratio and whoever hosts it gives it a
// frame of that shape (posting "kCombinViewUpdated" asks for one); any frame
// size lays the column out again.
//
// The person appends photos by dropping files, reorders them by dragging one
// up or down past another (the others slide into their new places), and
// removes one with Delete or its context menu.
//
// Its plate differs from the plain one in two ways: with the shadow off, a
// rounded or bordered outline is not filled (only a background picture shows
// inside it), and clear() keeps the background choice. A caption's height is
// the style's fraction of the canvas's height.
//
// Invariants:
// - items() is the column order, top first; every item is a subview.
// - While a layout pass's animation runs (layoutInProgress()), dragging moves
//   the grabbed photo but reorders nothing, so one gesture over a neighbour
//   swaps once.
// - A grabbed photo keeps the frame that the pointer gives it; layout passes
//   move the others around it.
// - Subviews are stacked by tag: photos (0, the one grabbed last 999) below
//   captions.

#include "klcombinitem.h"

#include "canvas/klcanvasview.h"
#include "kit/image.h"
#include "kit/notificationcenter.h"

#include <vector>

class KLCombinView : public KLCanvasView
{
public:
    // The duration of the animated moves, in milliseconds.
    static constexpr int kLayoutAnimationMs = 200;

    explicit KLCombinView(const kit::Rect& frame = { 0, 0, 400, 400 });
    ~KLCombinView() override;

    // Width ÷ height of the column's content; 1 with no photos. clear()
    // keeps the last value.
    float ratio() const { return m_ratio; }
    // An empty column takes this shape (a cleared one keeps its last, a new
    // one is square) and posts "kCombinViewUpdated"; ignored while the
    // column holds photos.
    void keepRatio(float ratio);

    // Appends a photo at the bottom of the column and posts
    // "kCombinViewUpdated" then "kTextViewUnselected". A photo with no pixels
    // is refused (logged as a load failure): answers false, nothing changes.
    bool addImage(const kit::Image& image);
    // Appends several photos in this order with one update; photos with no
    // pixels are left out. Answers how many were added.
    int addImages(const std::vector<kit::Image>& images);
    // File ▸ Add Photos: every photo, in order.
    void addPhotos(const std::vector<kit::Image>& photos) override;

    KLCombinItem* _createItemWithImage(const kit::Image& image);
    void _updateRatio();
    // Places every item but the grabbed one for the current width, sliding
    // them there when `animate` is set. Reordering waits until the pass's
    // animation group completes.
    void _layout(bool animate);

    void mouseDown(const kit::MouseEvent& e) override;
    void mouseDragged(const kit::MouseEvent& e) override;
    void mouseUp(const kit::MouseEvent& e) override;

    // Takes the first file of a drop; later files are ignored. A drop with
    // no file is refused, and so is one whose first file is no image (the
    // failure is logged and told to onUnreadablePhotos).
    bool performDragOperation(const kit::DragInfo& info) override;

    // Observer of "kCombinItemDeleted": removes the item if it is one of
    // this canvas's, then posts "kCombinViewUpdated".
    void combinItemDeleted(KLCombinItem* item);

    const std::vector<KLCombinItem*>& items() const { return m_items; }
    KLCombinItem* selectedItem() const { return m_selectedItem; }
    bool layoutInProgress() const { return m_layoutInProgress; }

protected:
    // clear() empties the column but keeps the ratio it had.
    void removeAllPhotos() override;
    void layoutContent() override { _layout(false); }
    bool fillsOutlineWithoutShadow() const override { return false; }
    double captionHeight(double styleHeight) const override;
    bool clearKeepsBackground() const override { return true; }
    const QLoggingCategory& logCategory() const override;

private:
    // The stacking order: ascending tags, photos below captions.
    void restack();

    std::vector<KLCombinItem*> m_items; // owned through the subview list
    KLCombinItem* m_selectedItem = nullptr;
    float m_ratio = 1.0f;
    kit::Point m_clickedPoint;
    kit::Point m_originalPoint;
    bool m_layoutInProgress = false;
    // Numbers the layout passes; only the latest pass's completion ends the
    // layout in progress.
    unsigned m_layoutPass = 0;
    kit::Observation m_observation;
};
