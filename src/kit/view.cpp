#include "view.h"

#include "graphicscontext.h"
#include "window.h"

#include <algorithm>
#include <cmath>

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcView, "tessera.view")

namespace kit {

namespace {

bool intersects(const Rect& a, const Rect& b)
{
    return a.minX() < b.maxX() && b.minX() < a.maxX() && a.minY() < b.maxY() && b.minY() < a.maxY();
}

} // namespace

View::View(const Rect& frame) : m_frame(frame) { }

View::~View()
{
    if (Window* w = window())
        w->viewWillBeDestroyed(this);
    // The subviews die while this view is still whole; they are already
    // forgotten by the window, so they need not find it.
    for (auto& sub : m_subviews)
        sub->m_superview = nullptr;
    m_subviews.clear();
}

// -- Geometry

Rect View::frame() const
{
    if (m_rotation == 0)
        return m_frame;
    return boundingBox(transformToSuperview(), bounds());
}

void View::setFrame(const Rect& frame)
{
    // The size is always passed on: views that lay out rely on setFrameSize
    // even when the size has not changed (e.g. the first placement after
    // construction with the same frame).
    setFrameOrigin(frame.origin);
    setFrameSize(frame.size);
}

void View::setFrameOrigin(Point origin)
{
    if (m_frame.origin == origin)
        return;
    invalidateFrameArea();
    m_frame.origin = origin;
    invalidateFrameArea();
}

void View::setFrameSize(Size size)
{
    invalidateFrameArea();
    m_frame.size = size;
    invalidateFrameArea();
}

void View::setFrameRotation(double degrees)
{
    if (m_rotation == degrees)
        return;
    invalidateFrameArea();
    m_rotation = degrees;
    invalidateFrameArea();
}

AffineTransform View::transformToSuperview() const
{
    const AffineTransform place = AffineTransform::translation(m_frame.x(), m_frame.y());
    if (m_rotation == 0)
        return place;
    const Point c = m_frame.centre();
    return place.then(AffineTransform::translation(-c.x, -c.y))
        .then(AffineTransform::rotation(m_rotation))
        .then(AffineTransform::translation(c.x, c.y));
}

AffineTransform View::transformToWindow() const
{
    AffineTransform t;
    for (const View* v = this; v; v = v->m_superview)
        t = t.then(v->transformToSuperview());
    return t;
}

Point View::convertPointFromView(Point p, const View* from) const
{
    const Point inWindow = from ? from->transformToWindow().map(p) : p;
    return transformToWindow().inverted().map(inWindow);
}

Point View::convertPointToView(Point p, const View* to) const
{
    const Point inWindow = transformToWindow().map(p);
    return to ? to->transformToWindow().inverted().map(inWindow) : inWindow;
}

Rect View::convertRectFromView(const Rect& r, const View* from) const
{
    const AffineTransform fromWindow = transformToWindow().inverted();
    return boundingBox(from ? fromWindow.after(from->transformToWindow()) : fromWindow, r);
}

Rect View::convertRectToView(const Rect& r, const View* to) const
{
    const AffineTransform toWindow = transformToWindow();
    return boundingBox(to ? to->transformToWindow().inverted().after(toWindow) : toWindow, r);
}

// -- Tree

View* View::addSubview(std::unique_ptr<View> view)
{
    if (!view)
        return nullptr;
    View* raw = view.get();
    if (raw == this || isDescendantOf(raw)) {
        // A view cannot contain its own ancestor; destroying it here would
        // destroy this view too, so it is left alone (and leaked).
        qCWarning(lcView) << "addSubview: refused to add a view inside itself";
        (void)view.release();
        return nullptr;
    }
    raw->m_superview = this;
    m_subviews.push_back(std::move(view));
    raw->setNeedsDisplay();
    return raw;
}

std::unique_ptr<View> View::removeFromSuperview()
{
    View* parent = m_superview;
    if (!parent)
        return nullptr;
    invalidateFrameArea();
    auto& subs = parent->m_subviews;
    const auto it = std::find_if(subs.begin(), subs.end(), [this](const std::unique_ptr<View>& v) {
        return v.get() == this;
    });
    std::unique_ptr<View> self = std::move(*it);
    subs.erase(it);
    m_superview = nullptr;
    return self;
}

void View::sortSubviews(const std::function<bool(const View*, const View*)>& before)
{
    std::stable_sort(m_subviews.begin(), m_subviews.end(),
                     [&before](const std::unique_ptr<View>& a, const std::unique_ptr<View>& b) {
                         return before(a.get(), b.get());
                     });
    setNeedsDisplay();
}

int View::indexInSuperview() const
{
    if (!m_superview)
        return -1;
    const auto& subs = m_superview->m_subviews;
    for (size_t i = 0; i < subs.size(); ++i) {
        if (subs[i].get() == this)
            return int(i);
    }
    return -1;
}

bool View::isDescendantOf(const View* other) const
{
    if (!other)
        return false;
    for (const View* v = this; v; v = v->m_superview) {
        if (v == other)
            return true;
    }
    return false;
}

Window* View::window() const
{
    const View* top = this;
    while (top->m_superview)
        top = top->m_superview;
    return top->m_window;
}

void View::setHidden(bool hidden)
{
    if (m_hidden == hidden)
        return;
    m_hidden = hidden;
    invalidateFrameArea();
}

// -- Drawing

void View::drawRect(GraphicsContext&, const Rect&) { }

void View::setNeedsDisplay()
{
    Window* w = window();
    if (!w)
        return;
    if (!clipsToBounds()) {
        w->setNeedsDisplay();
        return;
    }
    w->setNeedsDisplayInRect(convertRectToView(bounds(), nullptr));
}

void View::invalidateFrameArea()
{
    Window* w = window();
    if (!w)
        return;
    if (!clipsToBounds() || !m_superview) {
        w->setNeedsDisplay();
        return;
    }
    w->setNeedsDisplayInRect(m_superview->convertRectToView(frame(), nullptr));
}

void View::drawTree(GraphicsContext& gc, const Rect& dirty)
{
    const bool clips = clipsToBounds();
    gc.save();
    if (clips && !drawsInsideBounds())
        gc.clipToRect(bounds());
    // The view's own state changes (colour, shadow, transform) end with its
    // drawRect; they never reach its subviews.
    gc.save();
    drawRect(gc, clips ? dirty.intersected(bounds()) : dirty);
    gc.restore();
    if (const std::optional<Path> clip = subviewClipPath())
        gc.clip(*clip);
    for (const auto& sub : m_subviews) {
        if (sub->isHidden())
            continue;
        if (sub->clipsToBounds() && !intersects(sub->frame(), dirty))
            continue;
        const AffineTransform t = sub->transformToSuperview();
        gc.save();
        gc.concat(t);
        sub->drawTree(gc, boundingBox(t.inverted(), dirty));
        gc.restore();
    }
    gc.restore();
}

// -- Hit testing

View* View::hitTest(Point p)
{
    if (m_hidden)
        return nullptr;
    const Point local = transformToSuperview().inverted().map(p);
    if (clipsToBounds() && !bounds().contains(local))
        return nullptr;
    for (auto it = m_subviews.rbegin(); it != m_subviews.rend(); ++it) {
        if (View* hit = (*it)->hitTest(local))
            return hit;
    }
    return isPointInside(local) ? this : nullptr;
}

bool View::isPointInside(Point local) const
{
    return bounds().contains(local);
}

// -- Responder

bool View::isFirstResponder() const
{
    const Window* w = window();
    return w && w->firstResponder() == this;
}

void View::mouseDown(const MouseEvent& e)
{
    if (m_superview)
        m_superview->mouseDown(e);
}

void View::mouseDragged(const MouseEvent& e)
{
    if (m_superview)
        m_superview->mouseDragged(e);
}

void View::mouseUp(const MouseEvent& e)
{
    if (m_superview)
        m_superview->mouseUp(e);
}

void View::rightMouseDown(const MouseEvent& e)
{
    if (m_superview)
        m_superview->rightMouseDown(e);
}

bool View::scrollWheel(const ScrollEvent& e)
{
    return m_superview && m_superview->scrollWheel(e);
}

void View::keyDown(const KeyEvent& e)
{
    if (m_superview)
        m_superview->keyDown(e);
}

void View::mouseMoved(const MouseEvent&) { }

void View::mouseExited(const MouseEvent&) { }

void View::addTrackingRect(const Rect& r)
{
    m_trackingRects.push_back(r);
}

void View::clearTrackingRects()
{
    m_trackingRects.clear();
}

std::optional<Qt::CursorShape> View::cursorAt(Point) const
{
    return std::nullopt;
}

std::optional<Menu> View::menuForEvent(const MouseEvent&)
{
    return std::nullopt;
}

// -- File drops

DragOperation View::draggingEntered(const DragInfo& info)
{
    return info.sourceAllowsCopy ? DragOperation::Copy : DragOperation::None;
}

DragOperation View::draggingUpdated(const DragInfo& info)
{
    return draggingEntered(info);
}

void View::draggingExited() { }

bool View::prepareForDragOperation(const DragInfo&)
{
    return true;
}

bool View::performDragOperation(const DragInfo&)
{
    return false;
}

void View::imagesToDraw(std::vector<std::pair<Image, QSize>>&, double) const { }

} // namespace kit
