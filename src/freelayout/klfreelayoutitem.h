#pragma once

// One photo of the free layout: a print on a white card with a drop shadow,
// moved, scaled and rotated with the mouse. The item lives in the canvas's
// container (its superview) and keeps its geometry relative to it, so that it
// keeps its place and proportion at any container size:
//
//   W, H  the container's frame size; m = 0.015 W and t = 0.03 W (single
//         precision) are the margin and the handle band;
//   a     the photo's width ÷ height;
//   size  (W scale + 2m, W scale ÷ a + t + 2m);
//   place imageLocation × (W, H) is where the item's own (0, 0) lies in the
//         container, rotation included, so a turned item keeps its corner.
//
// The photo is drawn at (m, m), W scale wide; the card is (4, 4, w − 8,
// h − 8 − t); the band of height t above it holds the rotation handle.
//
// Gestures are measured from the mouse-down, never accumulated between drag
// events. A click on a corner handle scales about the centre (only the
// horizontal movement counts), on the rotation handle turns the item toward
// the pointer, anywhere else moves it. The item posts kFreeLayoutItemSelected
// when clicked and kFreeLayoutItemDeleted when it asks to be removed; the
// canvas does the removal.

#include "kit/image.h"
#include "kit/view.h"

#include <optional>

#include <QImage>
#include <QTransform>

class KLFreeLayoutItem : public kit::View
{
public:
    // Handle indices; -1 (None) is a move.
    enum Handle {
        None = -1,
        LowerLeft = 0,
        LowerRight = 1,
        UpperLeft = 2,
        UpperRight = 3,
        Rotate = 4
    };

    // The narrowest print a scale drag leaves: the photo's width as a
    // fraction of the container's width.
    static constexpr float kMinimumScale = 0.05f;

    // scale 0.5, imageLocation (0, 0), no photo (draws nothing), no tracking zones.
    explicit KLFreeLayoutItem(const kit::Rect& frame = {});
    ~KLFreeLayoutItem() override;

    // Gives the item its photo with scale 0.5 and centres it on `at`, a point
    // of the container. The item must already be in its container.
    void initLayoutWithImage(const kit::Image& image, kit::Point at);

    // Puts the print's centre on `centre` (a point of the container) with
    // the given scale (at least kMinimumScale) and rotation (degrees,
    // counter-clockwise about the centre). The item must be in its container.
    void setPlacement(kit::Point centre, float scale, double degrees);

    // -- Fields. A leading underscore also redraws (or lays out).
    const std::optional<kit::Image>& image() const { return m_image; }
    // Scale back to 0.5 and a new size for the photo; the place is kept.
    void _setImage(const kit::Image& image);
    float scale() const { return m_scale; }
    // Stores and redraws; the frame follows at the next updateFrameSize.
    void _setScale(float scale);
    // Where the item's (0, 0) lies, as fractions of the container's size.
    kit::Point imageLocation() const { return m_imageLocation; }
    void setImageLocation(kit::Point location) { m_imageLocation = location; }

    // -- Layout against the container
    // m and t for the container's current width.
    double margin() const;
    double band() const;
    // Places the item from imageLocation, keeping its size and rotation.
    void updateFrameOrigin();
    // Sizes the item from scale, the photo's aspect and the container's
    // width, keeping the place of its (0, 0); rebuilds the handle zones.
    void updateFrameSize();
    // updateFrameOrigin, updateFrameSize, redraw. The canvas calls it for
    // every item whenever its own size changes.
    void updateFrame();

    // The handle's 10 × 10 square in item coordinates.
    kit::Rect dragCornerRect(int index) const;
    // The first handle whose square holds `local`, or None.
    int handleAt(kit::Point local) const;

    // -- Commands (the context menu's)
    // Puts the item on top of the container's stack and selects it; nothing
    // when it is already on top.
    void bringToFront();
    // Asks the canvas to remove the item (kFreeLayoutItemDeleted). The item
    // may be destroyed when this returns.
    void remove();
    // Moves the item by (dx, dy) container units; refused when its centre
    // would leave the container.
    void nudge(double dx, double dy);

    // -- Gesture state, as left by the last mouse-down
    int clickedRect() const { return m_clickedRect; }
    bool inDrag() const { return m_inDrag; }

    // -- Responder and events
    bool acceptsFirstResponder() const override { return true; }
    bool acceptsFirstMouse() const override { return true; }
    void mouseDown(const kit::MouseEvent& e) override;
    void mouseDragged(const kit::MouseEvent& e) override;
    void mouseUp(const kit::MouseEvent& e) override;
    void mouseMoved(const kit::MouseEvent& e) override;
    void mouseExited(const kit::MouseEvent& e) override;
    void rightMouseDown(const kit::MouseEvent& e) override;
    std::optional<kit::Menu> menuForEvent(const kit::MouseEvent& e) override;
    // Delete removes, the arrows nudge by 1 (Shift: 10); Escape goes on to
    // the canvas; every other key is swallowed.
    void keyDown(const kit::KeyEvent& e) override;

    // -- Drawing
    void drawRect(kit::GraphicsContext& gc, const kit::Rect& dirty) override;
    // The item clips its own drawing (a snapshot is clipped when it is made).
    bool drawsInsideBounds() const override { return true; }
    void imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out, double scale) const override;

private:
    kit::Size containerSize() const;
    // The photo's aspect, width ÷ height in single precision; 1 without a photo.
    double aspect() const;
    // Where the item's (0, 0) lies in the container.
    kit::Point originInContainer() const;
    // Places the unrotated frame so that the item's (0, 0) lands on `p`.
    void placeOrigin(kit::Point p);
    void storeLocation();
    void rebuildTrackingZones();
    // Redraws every print and caption of the container.
    void redrawContainer();
    void dragScale(double dx);
    void dragRotate(kit::Point windowPoint);

    // The print as drawn on screen last, in device pixels, with what it was
    // drawn for; redraws that change none of it copy the pixels.
    struct Snapshot
    {
        QImage pixels;
        QTransform transform; // bounds to snapshot pixels
        kit::Size size;
        float scale = 0;
        int photo = 0; // photoGeneration at the time
        bool selected = false;
        bool inDrag = false;
        bool matches(const Snapshot& o) const;
    };
    // Draws the snapshot, making it first when needed; false when the print
    // is too large on the device to keep one.
    bool drawSnapshot(kit::GraphicsContext& gc, bool marks);
    // Card, photo and, with `marks`, the selection marks.
    void drawPrint(kit::GraphicsContext& gc, bool marks);

    Snapshot m_snapshot;
    // Counts the photos the item has been given.
    int m_photoGeneration = 0;
    std::optional<kit::Image> m_image;
    float m_scale = 0.5f;
    kit::Point m_imageLocation;
    kit::Point m_lastPoint;
    // The unrotated frame at the mouse-down.
    kit::Rect m_lastRect;
    int m_clickedRect = None;
    bool m_inDrag = false;
};
