#pragma once

// A window of views: holds the root view, the first responder and the view
// that received the mouse-down (it gets the drags and the mouse-up). The
// host (ViewHost on screen, tests directly) feeds it events in window
// coordinates, y up.

#include "events.h"
#include "view.h"

#include <functional>
#include <memory>

namespace kit {

class Window
{
public:
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The root view fills the window's content; it is sized with the window.
    void setRootView(std::unique_ptr<View> root);
    View* rootView() const { return m_root.get(); }
    void setContentSize(Size size);
    Size contentSize() const;

    // Answers false and changes nothing when the view refuses. nullptr makes
    // the window itself first responder (no view is).
    bool makeFirstResponder(View* view);
    View* firstResponder() const { return m_firstResponder; }

    // -- Events from the host
    void mouseDown(const MouseEvent& e);
    void mouseDragged(const MouseEvent& e);
    void mouseUp(const MouseEvent& e);
    void rightMouseDown(const MouseEvent& e);
    void scrollWheel(const ScrollEvent& e);
    void keyDown(const KeyEvent& e);
    // Pointer moved without a button pressed; drives tracking rects and cursors.
    void mouseMoved(const MouseEvent& e);
    void mouseLeftWindow();

    DragOperation draggingEntered(const DragInfo& info);
    DragOperation draggingUpdated(const DragInfo& info);
    void draggingExited();
    bool performDrop(const DragInfo& info); // prepare, then perform

    // The view that got the last mouse-down, until the mouse-up.
    View* mouseDownView() const { return m_mouseDownView; }
    View* hitTest(Point windowLocation) const;

    // -- Host hooks
    std::function<void()> onNeedsDisplay;
    std::function<void(const Menu&, Point windowLocation)> onPopUpMenu;
    std::function<void(std::optional<Qt::CursorShape>)> onCursorChanged;

    void setNeedsDisplay();
    // Called by views as they die, so no dangling pointer survives.
    void viewWillBeDestroyed(View* v);

private:
    View* dropTargetAt(Point windowLocation) const;

    std::unique_ptr<View> m_root;
    View* m_firstResponder = nullptr;
    View* m_mouseDownView = nullptr;
    View* m_trackingView = nullptr;
    View* m_dragTarget = nullptr;
};

} // namespace kit
