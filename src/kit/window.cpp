#include "window.h"

#include <cmath>

namespace kit {

Window::Window() = default;

Window::~Window()
{
    if (m_root) {
        // The window is going away as a whole; the dying views need not tell it.
        m_root->m_window = nullptr;
        m_root.reset();
    }
}

void Window::setRootView(std::unique_ptr<View> root)
{
    if (m_root) {
        m_root->m_window = nullptr;
        // Forget every view of the old tree before it dies or is reused.
        viewWillBeDestroyed(m_root.get());
    }
    m_root = std::move(root);
    if (m_root) {
        if (m_contentSize.isEmpty())
            m_contentSize = m_root->unrotatedFrame().size;
        m_root->m_window = this;
        m_root->setFrameRotation(0);
        m_root->setFrame({ { 0, 0 }, m_contentSize });
    }
    setNeedsDisplay();
}

void Window::setContentSize(Size size)
{
    m_contentSize = size;
    if (m_root)
        m_root->setFrame({ { 0, 0 }, size });
    setNeedsDisplay();
}

View* Window::inWindow(const ViewRef& ref) const
{
    View* v = ref.get();
    return v && v->window() == this ? v : nullptr;
}

bool Window::makeFirstResponder(View* view)
{
    View* old = firstResponder();
    if (view == old)
        return true;
    if (view && (!view->acceptsFirstResponder() || view->window() != this))
        return false;
    m_firstResponder = view;
    // Views draw their selection from isFirstResponder(), so both redraw.
    if (old) {
        const ViewRef oldRef(old);
        old->resignFirstResponder();
        if (View* still = inWindow(oldRef))
            still->setNeedsDisplay();
    }
    if (View* now = firstResponder()) {
        now->becomeFirstResponder();
        now->setNeedsDisplay();
    }
    return true;
}

View* Window::firstResponder() const
{
    return inWindow(m_firstResponder);
}

View* Window::mouseDownView() const
{
    return inWindow(m_mouseDownView);
}

View* Window::hitTest(Point windowLocation) const
{
    return m_root ? m_root->hitTest(windowLocation) : nullptr;
}

// -- Mouse

void Window::mouseDown(const MouseEvent& e)
{
    View* hit = hitTest(e.locationInWindow);
    m_mouseDownView = hit;
    if (!hit)
        return;
    if (hit->acceptsFirstResponder())
        makeFirstResponder(hit);
    // The responder change may have removed the view; it then gets nothing.
    if (View* target = mouseDownView())
        target->mouseDown(e);
}

void Window::mouseDragged(const MouseEvent& e)
{
    if (View* v = mouseDownView())
        v->mouseDragged(e);
}

void Window::mouseUp(const MouseEvent& e)
{
    View* v = mouseDownView();
    m_mouseDownView.reset();
    if (v)
        v->mouseUp(e);
}

void Window::rightMouseDown(const MouseEvent& e)
{
    ViewRef hit = hitTest(e.locationInWindow);
    if (View* v = hit.get())
        v->rightMouseDown(e);
    // The handler may have removed or destroyed the view; then no menu.
    for (View* v = inWindow(hit); v; v = v->superview()) {
        if (std::optional<Menu> menu = v->menuForEvent(e)) {
            if (onPopUpMenu)
                onPopUpMenu(*menu, e.locationInWindow);
            return;
        }
    }
}

bool Window::scrollWheel(const ScrollEvent& e)
{
    View* v = hitTest(e.locationInWindow);
    return v && v->scrollWheel(e);
}

void Window::keyDown(const KeyEvent& e)
{
    if (View* v = firstResponder())
        v->keyDown(e);
}

// -- Tracking and cursors

View* Window::trackingViewAt(Point windowLocation) const
{
    // Front to back, as drawn: the topmost view whose tracking rect holds the
    // point, reached only through the visible parts of its ancestors.
    std::function<View*(View*, Point)> search = [&search](View* v, Point p) -> View* {
        if (v->isHidden())
            return nullptr;
        const Point local = v->transformToSuperview().inverted().map(p);
        if (v->clipsToBounds() && !v->bounds().contains(local))
            return nullptr;
        const auto& subs = v->subviews();
        for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
            if (View* found = search(it->get(), local))
                return found;
        }
        for (const Rect& r : v->trackingRects()) {
            if (r.contains(local))
                return v;
        }
        return nullptr;
    };
    return m_root ? search(m_root.get(), windowLocation) : nullptr;
}

void Window::mouseMoved(const MouseEvent& e)
{
    View* now = trackingViewAt(e.locationInWindow);
    View* before = inWindow(m_trackingView);
    m_trackingView = now;
    if (before && before != now)
        before->mouseExited(e);
    // mouseExited may have changed the tree.
    now = inWindow(m_trackingView);
    if (now)
        now->mouseMoved(e);

    std::optional<Qt::CursorShape> shape;
    for (View* v = hitTest(e.locationInWindow); v && !shape; v = v->superview())
        shape = v->cursorAt(v->convertPointFromView(e.locationInWindow, nullptr));
    if (shape)
        setCursor(shape);
    else if (!inWindow(m_trackingView))
        setCursor(std::nullopt);
}

void Window::mouseLeftWindow()
{
    View* before = inWindow(m_trackingView);
    m_trackingView.reset();
    if (before)
        before->mouseExited(MouseEvent {});
    setCursor(std::nullopt);
}

void Window::setCursor(std::optional<Qt::CursorShape> shape)
{
    if (shape == m_cursor)
        return;
    m_cursor = shape;
    if (onCursorChanged)
        onCursorChanged(shape);
}

QString Window::toolTipAt(Point windowLocation) const
{
    for (View* v = hitTest(windowLocation); v; v = v->superview()) {
        if (!v->toolTip().isEmpty())
            return v->toolTip();
    }
    return {};
}

// -- File drops

View* Window::dropTargetAt(Point windowLocation) const
{
    for (View* v = hitTest(windowLocation); v; v = v->superview()) {
        if (v->acceptsFileDrops())
            return v;
    }
    return nullptr;
}

DragOperation Window::draggingEntered(const DragInfo& info)
{
    if (View* old = inWindow(m_dragTarget))
        old->draggingExited();
    View* target = dropTargetAt(info.locationInWindow);
    m_dragTarget = target;
    m_dragOperation = target ? target->draggingEntered(info) : DragOperation::None;
    return m_dragOperation;
}

DragOperation Window::draggingUpdated(const DragInfo& info)
{
    View* target = dropTargetAt(info.locationInWindow);
    View* current = inWindow(m_dragTarget);
    if (target != current) {
        if (current)
            current->draggingExited();
        m_dragTarget = target;
        m_dragOperation = target ? target->draggingEntered(info) : DragOperation::None;
    } else if (target) {
        m_dragOperation = target->draggingUpdated(info);
    } else {
        m_dragOperation = DragOperation::None;
    }
    return m_dragOperation;
}

void Window::draggingExited()
{
    View* target = inWindow(m_dragTarget);
    m_dragTarget.reset();
    m_dragOperation = DragOperation::None;
    if (target)
        target->draggingExited();
}

bool Window::performDrop(const DragInfo& info)
{
    View* target = dropTargetAt(info.locationInWindow);
    DragOperation op = m_dragOperation;
    if (target && target != inWindow(m_dragTarget))
        op = target->draggingEntered(info);
    m_dragTarget.reset();
    m_dragOperation = DragOperation::None;
    // A target that refused the operation is not asked to perform it.
    if (!target || op == DragOperation::None)
        return false;
    ViewRef ref(target);
    if (!target->prepareForDragOperation(info) || !inWindow(ref))
        return false;
    return target->performDragOperation(info);
}

// -- Display

void Window::setNeedsDisplay()
{
    if (onNeedsDisplay)
        onNeedsDisplay();
    else if (onNeedsDisplayInRect)
        onNeedsDisplayInRect(Rect({ 0, 0 }, m_contentSize));
}

void Window::setNeedsDisplayInRect(const Rect& windowRect)
{
    const bool finite = std::isfinite(windowRect.x()) && std::isfinite(windowRect.y())
        && std::isfinite(windowRect.width()) && std::isfinite(windowRect.height());
    if (!finite) {
        // A view placed at NaN or infinity: no usable area, redraw it all.
        setNeedsDisplay();
        return;
    }
    if (onNeedsDisplayInRect)
        onNeedsDisplayInRect(windowRect);
    else if (onNeedsDisplay)
        onNeedsDisplay();
}

void Window::viewWillBeDestroyed(View* v)
{
    for (ViewRef* ref : { &m_firstResponder, &m_mouseDownView, &m_trackingView, &m_dragTarget }) {
        const View* held = ref->get();
        if (held && held->isDescendantOf(v))
            ref->reset();
    }
}

} // namespace kit
