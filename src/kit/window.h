#pragma once

// A window of views: holds the root view, the first responder and the view
// that received the mouse-down (it gets the drags and the mouse-up). The
// host (ViewHost on screen, tests directly) feeds it events in window
// coordinates, y up.
//
// The window never owns the views it remembers besides the root; a view that
// dies, or leaves the window, is simply no longer answered (see ViewRef).

#include "events.h"
#include "view.h"

#include <functional>
#include <memory>
#include <optional>

namespace kit {

class Window
{
public:
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The root view fills the window's content; it is sized with the window.
    // A window whose content size was never set takes the root's size.
    void setRootView(std::unique_ptr<View> root);
    View* rootView() const { return m_root.get(); }
    void setContentSize(Size size);
    Size contentSize() const { return m_contentSize; }

    // Answers false and changes nothing when the view refuses or is not in
    // this window. nullptr makes the window itself first responder (no view
    // is). The old responder resigns before the new one becomes.
    bool makeFirstResponder(View* view);
    // nullptr while the responder is out of the window (removed, destroyed).
    View* firstResponder() const;

    // -- Events from the host
    // The hit view becomes first responder when it accepts, then receives the
    // mouse-down; it keeps receiving the drags and the mouse-up wherever the
    // pointer goes.
    void mouseDown(const MouseEvent& e);
    void mouseDragged(const MouseEvent& e);
    void mouseUp(const MouseEvent& e);
    // rightMouseDown to the hit view, then the menu of the hit view or of its
    // nearest ancestor that has one goes to onPopUpMenu.
    void rightMouseDown(const MouseEvent& e);
    // To the view under the pointer; answers whether a view used it.
    bool scrollWheel(const ScrollEvent& e);
    // To the first responder; dropped when there is none.
    void keyDown(const KeyEvent& e);
    // Pointer moved without a button pressed; drives tracking rects and cursors.
    void mouseMoved(const MouseEvent& e);
    void mouseLeftWindow();

    // The drop target is the deepest view under the location that accepts
    // file drops, or its nearest ancestor that does.
    DragOperation draggingEntered(const DragInfo& info);
    DragOperation draggingUpdated(const DragInfo& info);
    void draggingExited();
    // prepare, then perform; false when there is no target, the target
    // refuses the operation, or either step fails.
    bool performDrop(const DragInfo& info);

    // The view that got the last mouse-down, until the mouse-up.
    View* mouseDownView() const;
    View* hitTest(Point windowLocation) const;
    // The tip of the deepest view under the location that has one; empty
    // when none has.
    QString toolTipAt(Point windowLocation) const;

    // -- Host hooks
    // Redraw everything; or, when onNeedsDisplayInRect is set, the parts that
    // views ask for (window coordinates).
    std::function<void()> onNeedsDisplay;
    std::function<void(const Rect& windowRect)> onNeedsDisplayInRect;
    std::function<void(const Menu&, Point windowLocation)> onPopUpMenu;
    std::function<void(std::optional<Qt::CursorShape>)> onCursorChanged;

    void setNeedsDisplay();
    void setNeedsDisplayInRect(const Rect& windowRect);

    // The pointer's shape; none is the arrow. Views may set it from
    // mouseMoved/mouseExited; cursorAt() answers take precedence.
    void setCursor(std::optional<Qt::CursorShape> shape);
    std::optional<Qt::CursorShape> cursor() const { return m_cursor; }

    // Called by views as they die; forgets the view and its descendants.
    void viewWillBeDestroyed(View* v);

private:
    View* dropTargetAt(Point windowLocation) const;
    View* trackingViewAt(Point windowLocation) const;
    // The view if it is alive and still in this window.
    View* inWindow(const ViewRef& ref) const;

    std::unique_ptr<View> m_root;
    Size m_contentSize;
    ViewRef m_firstResponder;
    ViewRef m_mouseDownView;
    ViewRef m_trackingView;
    ViewRef m_dragTarget;
    DragOperation m_dragOperation = DragOperation::None;
    std::optional<Qt::CursorShape> m_cursor;
};

} // namespace kit
