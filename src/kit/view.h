#pragma once

// A node of the view tree. Coordinates are y-up. A view's frame is its place
// in its superview; its bounds are (0, 0, width, height). A rotated view
// turns about its frame centre: setFrame() places the unrotated rectangle and
// frame() answers the axis-aligned box around the turned one.
//
// A superview owns its subviews; removeFromSuperview() hands ownership back to
// the caller so the view can be added again (on top).

#include "events.h"
#include "geometry.h"

#include <memory>
#include <optional>
#include <vector>

#include <QCursor>

namespace kit {

class GraphicsContext;
class Window;

class View
{
public:
    explicit View(const Rect& frame = {});
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // -- Geometry
    // The axis-aligned box around the (possibly rotated) view, in superview coordinates.
    Rect frame() const;
    // The unrotated rectangle whose centre the view turns about.
    Rect unrotatedFrame() const { return m_frame; }
    void setFrame(const Rect& frame);
    void setFrameOrigin(Point origin);
    // Keeps the origin of the unrotated rectangle. Subclasses that lay out
    // override this and call the base first.
    virtual void setFrameSize(Size size);
    Rect bounds() const { return {0, 0, m_frame.width(), m_frame.height()}; }
    // Degrees, counter-clockwise, about the frame centre.
    double frameRotation() const { return m_rotation; }
    void setFrameRotation(double degrees);

    // Maps bounds coordinates to superview coordinates.
    AffineTransform transformToSuperview() const;
    // `from`/`to` nullptr means window coordinates.
    Point convertPointFromView(Point p, const View* from) const;
    Point convertPointToView(Point p, const View* to) const;

    // -- Tree
    View* superview() const { return m_superview; }
    const std::vector<std::unique_ptr<View>>& subviews() const { return m_subviews; }
    View* addSubview(std::unique_ptr<View> view); // on top
    template<class T> T* addSubview(std::unique_ptr<T> view)
    {
        T* raw = view.get();
        addSubview(std::unique_ptr<View>(std::move(view)));
        return raw;
    }
    std::unique_ptr<View> removeFromSuperview();
    int indexInSuperview() const;
    bool isDescendantOf(const View* other) const;
    Window* window() const;

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);

    // -- Drawing
    // Draws the view's own content in bounds coordinates; subviews are drawn
    // afterwards by the tree, on top. `dirty` is in bounds coordinates.
    virtual void drawRect(GraphicsContext& gc, const Rect& dirty);
    // Clips subviews to the bounds (default yes).
    virtual bool clipsToBounds() const { return true; }
    void setNeedsDisplay();
    // Draws this view and its subviews; the context's user space must be this
    // view's bounds space.
    void drawTree(GraphicsContext& gc, const Rect& dirty);

    // -- Hit testing
    // `p` in superview coordinates; the deepest visible view under it, or nullptr.
    virtual View* hitTest(Point p);
    // Bounds containment through rotation; subclasses may refine.
    virtual bool isPointInside(Point local) const;

    // -- Responder
    virtual bool acceptsFirstResponder() const { return false; }
    virtual bool acceptsFirstMouse() const { return true; }
    virtual void becomeFirstResponder() { }
    virtual void resignFirstResponder() { }
    bool isFirstResponder() const;

    // Events; the default implementations pass mouse and key events on to the
    // superview, so that a container can handle what its children do not.
    virtual void mouseDown(const MouseEvent& e);
    virtual void mouseDragged(const MouseEvent& e);
    virtual void mouseUp(const MouseEvent& e);
    virtual void rightMouseDown(const MouseEvent& e);
    virtual void scrollWheel(const ScrollEvent& e);
    virtual void keyDown(const KeyEvent& e);
    // Sent while the pointer moves inside one of the view's tracking rects, and
    // once when it leaves all of them.
    virtual void mouseMoved(const MouseEvent& e);
    virtual void mouseExited(const MouseEvent& e);

    // Tracking rects, in bounds coordinates.
    void addTrackingRect(const Rect& r);
    void clearTrackingRects();
    const std::vector<Rect>& trackingRects() const { return m_trackingRects; }
    // The cursor over a point of the bounds; none for the default arrow.
    virtual std::optional<Qt::CursorShape> cursorAt(Point local) const;

    // A context menu for a right click, or none.
    virtual std::optional<Menu> menuForEvent(const MouseEvent& e);

    // -- File drops: a view takes part only when registered.
    void registerForFileDrops(bool on) { m_acceptsDrops = on; }
    bool acceptsFileDrops() const { return m_acceptsDrops; }
    virtual DragOperation draggingEntered(const DragInfo& info);
    virtual DragOperation draggingUpdated(const DragInfo& info);
    virtual void draggingExited();
    virtual bool prepareForDragOperation(const DragInfo& info);
    virtual bool performDragOperation(const DragInfo& info);

private:
    friend class Window;
    void setWindowRecursive(Window* w);

    Rect m_frame;
    double m_rotation = 0;
    View* m_superview = nullptr;
    Window* m_window = nullptr; // set on root views; others ask their superview
    std::vector<std::unique_ptr<View>> m_subviews;
    std::vector<Rect> m_trackingRects;
    int m_tag = 0;
    bool m_hidden = false;
    bool m_acceptsDrops = false;
};

} // namespace kit
