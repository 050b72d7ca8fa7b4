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
#include "image.h"
#include "path.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QCursor>
#include <QString>

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
    Rect bounds() const { return { 0, 0, m_frame.width(), m_frame.height() }; }
    // Degrees, counter-clockwise, about the frame centre.
    double frameRotation() const { return m_rotation; }
    void setFrameRotation(double degrees);

    // Maps bounds coordinates to superview coordinates.
    AffineTransform transformToSuperview() const;
    // `from`/`to` nullptr means window coordinates.
    Point convertPointFromView(Point p, const View* from) const;
    Point convertPointToView(Point p, const View* to) const;
    // The axis-aligned box around the converted rectangle.
    Rect convertRectFromView(const Rect& r, const View* from) const;
    Rect convertRectToView(const Rect& r, const View* to) const;
    // Maps bounds coordinates to window coordinates (the top of the tree's
    // superview space when the view is in no window).
    AffineTransform transformToWindow() const;

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
    // nullptr when the view has no superview.
    std::unique_ptr<View> removeFromSuperview();
    // Reorders the subviews (stable) without removing any of them, so that the
    // first responder and the mouse-down view are kept. `before(a, b)` is true
    // when a must lie behind b.
    void sortSubviews(const std::function<bool(const View*, const View*)>& before);
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
    // A path in bounds coordinates that further clips what the subviews draw
    // (not the view's own drawing). Default: none.
    virtual std::optional<Path> subviewClipPath() const { return std::nullopt; }
    // A clipping view that keeps all its drawing inside its bounds by itself
    // answers yes, sparing the tree a clip that is costly when the view is
    // rotated. Default no.
    virtual bool drawsInsideBounds() const { return false; }
    // The pictures this view itself draws and the pixel size each is drawn at,
    // `scale` device pixels per unit; a render decodes them all in parallel
    // before it draws (see prepareImages in render.h). Default: none.
    virtual void imagesToDraw(std::vector<std::pair<Image, QSize>>& out, double scale) const;
    // Asks the window to redraw the part of it that shows this view (all of
    // it for a view that does not clip); nothing happens outside a window.
    void setNeedsDisplay();
    // Draws this view and its subviews; the context's user space must be this
    // view's bounds space.
    void drawTree(GraphicsContext& gc, const Rect& dirty);

    // -- Hit testing
    // `p` in superview coordinates; the deepest visible view under it, or
    // nullptr. Subviews are searched from the top; a clipping view's subviews
    // are reached only inside its bounds.
    virtual View* hitTest(Point p);
    // Whether a point of the bounds space belongs to the view (default: inside
    // the bounds); subclasses may refine, e.g. to a mask.
    virtual bool isPointInside(Point local) const;

    // -- Responder
    // A view that accepts becomes first responder when it is clicked, before
    // it receives the mouse-down.
    virtual bool acceptsFirstResponder() const { return false; }
    virtual bool acceptsFirstMouse() const { return true; }
    virtual void becomeFirstResponder() { }
    virtual void resignFirstResponder() { }
    bool isFirstResponder() const;

    // Events; the default implementations pass mouse, scroll and key events
    // on to the superview, so that a container can handle what its children
    // do not. Locations stay in window coordinates.
    virtual void mouseDown(const MouseEvent& e);
    virtual void mouseDragged(const MouseEvent& e);
    virtual void mouseUp(const MouseEvent& e);
    virtual void rightMouseDown(const MouseEvent& e);
    // Answers whether the view used the event. The default passes it to the
    // superview; a root view answers false, and the host then lets what
    // surrounds the window (a scroll area) have it.
    virtual bool scrollWheel(const ScrollEvent& e);
    virtual void keyDown(const KeyEvent& e);
    // Sent while the pointer moves inside one of the view's tracking rects, and
    // once when it leaves all of them. The defaults do nothing.
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

    // The tip shown while the pointer rests on the view; empty for none (the
    // host then asks the superview).
    const QString& toolTip() const { return m_toolTip; }
    void setToolTip(const QString& tip) { m_toolTip = tip; }

    // -- File drops: a view takes part only when registered. The defaults
    // answer Copy when the source allows it (draggingUpdated answers what
    // draggingEntered does), prepare answers true and perform false.
    void registerForFileDrops(bool on) { m_acceptsDrops = on; }
    bool acceptsFileDrops() const { return m_acceptsDrops; }
    virtual DragOperation draggingEntered(const DragInfo& info);
    virtual DragOperation draggingUpdated(const DragInfo& info);
    virtual void draggingExited();
    virtual bool prepareForDragOperation(const DragInfo& info);
    virtual bool performDragOperation(const DragInfo& info);

private:
    friend class Window;
    friend class ViewRef;
    void invalidateFrameArea();

    Rect m_frame;
    double m_rotation = 0;
    View* m_superview = nullptr;
    Window* m_window = nullptr; // set on root views; others ask their superview
    std::vector<std::unique_ptr<View>> m_subviews;
    std::vector<Rect> m_trackingRects;
    int m_tag = 0;
    QString m_toolTip;
    bool m_hidden = false;
    bool m_acceptsDrops = false;
    // Expires when the view dies; lets the window hold views it does not own
    // (first responder, mouse-down view, ...) without dangling.
    std::shared_ptr<char> m_lifetime = std::make_shared<char>();
};

// A non-owning reference to a view that reads as nullptr once the view is
// destroyed, whatever tree it was in at the time.
class ViewRef
{
public:
    ViewRef() = default;
    ViewRef(View* v) : m_view(v), m_lifetime(v ? v->m_lifetime : nullptr) { }
    View* get() const { return m_lifetime.expired() ? nullptr : m_view; }
    void reset() { *this = ViewRef(); }

private:
    View* m_view = nullptr;
    std::weak_ptr<char> m_lifetime;
};

} // namespace kit
