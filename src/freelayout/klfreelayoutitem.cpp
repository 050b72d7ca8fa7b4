#include "klfreelayoutitem.h"

#include "kit/graphicscontext.h"
#include "kit/localisation.h"
#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"
#include "kit/window.h"

#include <cmath>

#include <QPainter>
#include <QPainterPathStroker>

using kit::f32;

namespace {

constexpr double kHandleSide = 10;
// The card is inset by this much from the item's bounds.
constexpr double kCardInset = 4;
// Prints larger than this on the device are drawn afresh on every redraw
// rather than kept as a snapshot (16 MiB).
constexpr qint64 kMaxSnapshotPixels = 2048 * 2048;
const kit::Shadow kCardShadow { 4, { 0, -2 }, QColor(85, 85, 85) };
const QColor kSelectionBlue(0, 0, 255);

void post(const kit::NotificationName<KLFreeLayoutItem*>& name, KLFreeLayoutItem* item)
{
    kit::NotificationCenter::defaultCenter().post(name, item);
}

void post(const kit::NotificationName<void>& name)
{
    kit::NotificationCenter::defaultCenter().post(name);
}

// The selection frame: 2 wide, dashes of 5 on and 3 off starting 1 into the
// pattern, as an outline that can be filled.
kit::Path dashedOutline(const kit::Rect& r)
{
    QPainterPath rect;
    rect.addRect(r.toQt());
    QPainterPathStroker stroker;
    stroker.setWidth(2);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::FlatCap);
    // Dash lengths and offset are in line widths.
    stroker.setDashPattern(QList<qreal> { 2.5, 1.5 });
    stroker.setDashOffset(0.5);
    return kit::Path(stroker.createStroke(rect));
}

} // namespace

KLFreeLayoutItem::KLFreeLayoutItem(const kit::Rect& frame) : kit::View(frame) { }

KLFreeLayoutItem::~KLFreeLayoutItem() = default;

// -- Fields

void KLFreeLayoutItem::initLayoutWithImage(const kit::Image& image, kit::Point at)
{
    m_scale = 0.5f;
    m_image = image;
    ++m_photoGeneration;
    updateFrameSize();
    const kit::Size size = unrotatedFrame().size;
    setFrameOrigin({ at.x - size.width / 2, at.y - size.height / 2 });
    storeLocation();
    updateFrameOrigin();
    setNeedsDisplay();
}

void KLFreeLayoutItem::setPlacement(kit::Point centre, float scale, double degrees)
{
    m_scale = scale >= kMinimumScale ? scale : kMinimumScale;
    setFrameRotation(0);
    updateFrameSize();
    const kit::Size size = unrotatedFrame().size;
    setFrameOrigin({ centre.x - size.width / 2, centre.y - size.height / 2 });
    if (std::isfinite(degrees))
        setFrameRotation(degrees);
    storeLocation();
    setNeedsDisplay();
}

void KLFreeLayoutItem::_setImage(const kit::Image& image)
{
    m_scale = 0.5f;
    m_image = image;
    ++m_photoGeneration;
    updateFrameSize();
    setNeedsDisplay();
}

void KLFreeLayoutItem::_setScale(float scale)
{
    m_scale = scale;
    setNeedsDisplay();
}

// -- Layout

kit::Size KLFreeLayoutItem::containerSize() const
{
    return superview() ? superview()->bounds().size : kit::Size {};
}

double KLFreeLayoutItem::margin() const
{
    return f32(0.015 * containerSize().width);
}

double KLFreeLayoutItem::band() const
{
    return f32(0.03 * containerSize().width);
}

double KLFreeLayoutItem::aspect() const
{
    if (!m_image || m_image->isNull())
        return 1;
    return f32(m_image->size().width / m_image->size().height);
}

kit::Point KLFreeLayoutItem::originInContainer() const
{
    return transformToSuperview().map({ 0, 0 });
}

void KLFreeLayoutItem::placeOrigin(kit::Point p)
{
    // The item turns about its centre c, so its (0, 0) lies at
    // origin + c + R(−c); solve for the origin.
    if (frameRotation() == 0) {
        setFrameOrigin(p);
        return;
    }
    const kit::Size size = unrotatedFrame().size;
    const kit::Point c(size.width / 2, size.height / 2);
    const kit::Point turned = kit::AffineTransform::rotation(frameRotation()).map({ -c.x, -c.y });
    setFrameOrigin(p - c - turned);
}

void KLFreeLayoutItem::storeLocation()
{
    const kit::Size W = containerSize();
    const kit::Point o = originInContainer();
    // An empty container keeps the last place rather than a division by zero.
    if (W.width > 0 && W.height > 0)
        m_imageLocation = { o.x / W.width, o.y / W.height };
}

void KLFreeLayoutItem::updateFrameOrigin()
{
    const kit::Size W = containerSize();
    placeOrigin({ W.width * m_imageLocation.x, W.height * m_imageLocation.y });
}

void KLFreeLayoutItem::updateFrameSize()
{
    const double W = containerSize().width;
    const double m = margin(), t = band();
    const double photoWidth = W * double(m_scale);
    const kit::Point keep = originInContainer();
    setFrameSize({ photoWidth + 2 * m, photoWidth / aspect() + t + 2 * m });
    placeOrigin(keep);
    rebuildTrackingZones();
}

void KLFreeLayoutItem::updateFrame()
{
    updateFrameOrigin();
    updateFrameSize();
    setNeedsDisplay();
}

void KLFreeLayoutItem::rebuildTrackingZones()
{
    clearTrackingRects();
    for (int i = LowerLeft; i <= Rotate; ++i)
        addTrackingRect(dragCornerRect(i));
}

kit::Rect KLFreeLayoutItem::dragCornerRect(int index) const
{
    const double w = bounds().width(), h = bounds().height(), t = band();
    switch (index) {
    case LowerLeft:
        return { 0, 0, kHandleSide, kHandleSide };
    case LowerRight:
        return { w - 10, 0, kHandleSide, kHandleSide };
    case UpperLeft:
        return { 0, h - t - 9, kHandleSide, kHandleSide };
    case UpperRight:
        return { w - 10, h - t - 9, kHandleSide, kHandleSide };
    case Rotate:
        // Its left edge, not its centre, lies on the centre line.
        return { w / 2, h - 10, kHandleSide, kHandleSide };
    default:
        return {};
    }
}

int KLFreeLayoutItem::handleAt(kit::Point local) const
{
    for (int i = LowerLeft; i <= Rotate; ++i) {
        if (dragCornerRect(i).contains(local))
            return i;
    }
    return None;
}

// -- Commands

void KLFreeLayoutItem::redrawContainer()
{
    if (!superview())
        return;
    superview()->setNeedsDisplay();
    for (const auto& sub : superview()->subviews())
        sub->setNeedsDisplay();
}

void KLFreeLayoutItem::bringToFront()
{
    View* container = superview();
    if (!container || container->subviews().back().get() == this)
        return;
    container->addSubview(removeFromSuperview());
    if (kit::Window* w = window())
        w->makeFirstResponder(this);
    redrawContainer();
}

void KLFreeLayoutItem::remove()
{
    post(kit::kFreeLayoutItemDeleted, this);
}

void KLFreeLayoutItem::nudge(double dx, double dy)
{
    const kit::Size W = containerSize();
    const kit::Point c = frame().centre() + kit::Point(dx, dy);
    if (c.x < 0 || c.x > W.width || c.y < 0 || c.y > W.height)
        return;
    const kit::Rect r = unrotatedFrame();
    setFrameOrigin({ r.x() + dx, r.y() + dy });
    storeLocation();
}

// -- Events

void KLFreeLayoutItem::mouseDown(const kit::MouseEvent& e)
{
    if (e.clickCount == 2) {
        bringToFront();
        return;
    }
    m_lastPoint = e.locationInWindow;
    m_clickedRect = handleAt(convertPointFromView(e.locationInWindow, nullptr));
    m_lastRect = unrotatedFrame();
    post(kit::kFreeLayoutItemSelected, this);
    post(kit::kTextViewUnselected);
}

void KLFreeLayoutItem::mouseDragged(const kit::MouseEvent& e)
{
    if (!superview())
        return;
    m_inDrag = true;
    const double dx = f32(e.locationInWindow.x - m_lastPoint.x);
    const double dy = f32(e.locationInWindow.y - m_lastPoint.y);
    switch (m_clickedRect) {
    case None: {
        const kit::Point p = superview()->convertPointFromView(e.locationInWindow, nullptr);
        const kit::Size W = containerSize();
        // The print stays where it is while the pointer is outside the container.
        if (p.x < 0 || p.x > W.width || p.y < 0 || p.y > W.height)
            return;
        setFrameOrigin({ m_lastRect.x() + dx, m_lastRect.y() + dy });
        storeLocation();
        break;
    }
    case LowerLeft:
    case LowerRight:
    case UpperLeft:
    case UpperRight:
        dragScale(m_clickedRect == LowerRight || m_clickedRect == UpperRight ? dx : -dx);
        break;
    case Rotate:
        dragRotate(e.locationInWindow);
        break;
    default:
        return;
    }
    // The frame changes above redraw where the print was and where it is;
    // the prints around it redraw only there.
}

void KLFreeLayoutItem::dragScale(double d)
{
    // `d` is how far each side moves outward.
    const double W = containerSize().width;
    if (!(W > 0))
        return;
    const double m = margin();
    const double a = aspect();
    float scale = f32((m_lastRect.width() + 2 * d - 2 * m) / W);
    if (!(scale >= kMinimumScale)) {
        // Never narrower than the minimum, still about the same centre.
        scale = kMinimumScale;
        d = (W * double(scale) + 2 * m - m_lastRect.width()) / 2;
    }
    const double e = f32(d / a);
    m_scale = scale;
    setFrame({ m_lastRect.x() - d, m_lastRect.y() - e, m_lastRect.width() + 2 * d,
               m_lastRect.height() + 2 * e });
    storeLocation();
    rebuildTrackingZones();
}

void KLFreeLayoutItem::dragRotate(kit::Point windowPoint)
{
    View* container = superview();
    const kit::Point B = container->convertPointFromView(windowPoint, nullptr);
    const kit::Size size = bounds().size;
    const kit::Point C = container->convertPointFromView(
        { size.width / 2 + margin(), (size.height - band()) / 2 }, this);
    // On the reference point itself there is no direction (and within a
    // fraction of a unit only rounding noise): keep the rotation.
    if (std::hypot(B.x - C.x, B.y - C.y) < 0.5)
        return;
    const float vx = float(B.x - C.x), vy = float(B.y - C.y);
    float angle = std::atan(vy / vx);
    angle = vx < 0 ? angle + 1.57f : angle - 1.57f;
    const double degrees = f32(double(angle) * 180 / 3.14);
    if (!std::isfinite(degrees))
        return;
    setFrameRotation(degrees);
    storeLocation();
}

void KLFreeLayoutItem::mouseUp(const kit::MouseEvent& e)
{
    m_inDrag = false;
    setNeedsDisplay(); // with its shadow again
    kit::View::mouseUp(e);
}

void KLFreeLayoutItem::mouseMoved(const kit::MouseEvent& e)
{
    kit::Window* w = window();
    if (!w)
        return;
    w->setCursor(std::nullopt);
    if (handleAt(convertPointFromView(e.locationInWindow, nullptr)) != None)
        w->setCursor(Qt::ClosedHandCursor);
}

void KLFreeLayoutItem::mouseExited(const kit::MouseEvent&)
{
    if (kit::Window* w = window())
        w->setCursor(std::nullopt);
}

void KLFreeLayoutItem::rightMouseDown(const kit::MouseEvent&)
{
    if (kit::Window* w = window())
        w->makeFirstResponder(this);
    post(kit::kTextViewUnselected);
    post(kit::kFreeLayoutItemSelected, this);
}

std::optional<kit::Menu> KLFreeLayoutItem::menuForEvent(const kit::MouseEvent&)
{
    // The menu may outlive the item (a removal while it is open).
    const kit::ViewRef self(this);
    kit::Menu menu;
    kit::MenuItem front;
    front.title = kit::localized("BRING_TO_FRONT");
    front.action = [self] {
        if (auto* item = static_cast<KLFreeLayoutItem*>(self.get()))
            item->bringToFront();
    };
    kit::MenuItem remove;
    remove.title = kit::localized("REMOVE_ITEM");
    remove.action = [self] {
        if (auto* item = static_cast<KLFreeLayoutItem*>(self.get()))
            item->remove();
    };
    menu.items = { front, remove };
    return menu;
}

void KLFreeLayoutItem::keyDown(const kit::KeyEvent& e)
{
    const double step = e.modifiers.testFlag(Qt::ShiftModifier) ? 10 : 1;
    switch (e.keyCode) {
    case kit::KeyCode::Delete:
        remove();
        break;
    case kit::KeyCode::Left:
        nudge(-step, 0);
        break;
    case kit::KeyCode::Right:
        nudge(step, 0);
        break;
    case kit::KeyCode::Down:
        nudge(0, -step);
        break;
    case kit::KeyCode::Up:
        nudge(0, step);
        break;
    case kit::KeyCode::Escape:
        kit::View::keyDown(e);
        break;
    default:
        break;
    }
}

// -- Drawing

bool KLFreeLayoutItem::Snapshot::matches(const Snapshot& o) const
{
    auto near = [](double a, double b) {
        return std::abs(a - b) < 1e-6;
    };
    const QTransform& a = transform;
    const QTransform& b = o.transform;
    return near(a.m11(), b.m11()) && near(a.m12(), b.m12()) && near(a.m21(), b.m21())
        && near(a.m22(), b.m22()) && near(a.dx(), b.dx()) && near(a.dy(), b.dy()) && size == o.size
        && scale == o.scale && photo == o.photo && selected == o.selected && inDrag == o.inDrag;
}

void KLFreeLayoutItem::drawRect(kit::GraphicsContext& gc, const kit::Rect&)
{
    if (!m_image || m_image->isNull())
        return;
    // Renders that are kept draw afresh at their own quality; the screen
    // copies the print as long as only its place changes (a move, or the
    // prints around it being redrawn).
    // The selection marks are the screen's: an export of a canvas with a
    // print selected shows none.
    const bool marks = isFirstResponder() && gc.isDrawingToScreen();
    if (!gc.highQuality() && drawSnapshot(gc, marks))
        return;
    gc.clipToRect(bounds());
    drawPrint(gc, marks);
}

bool KLFreeLayoutItem::drawSnapshot(kit::GraphicsContext& gc, bool marks)
{
    const QTransform device = gc.painter().deviceTransform();
    const QRect area = device.mapRect(bounds().toQt()).toAlignedRect();
    if (area.isEmpty() || qint64(area.width()) * area.height() > kMaxSnapshotPixels)
        return false;
    Snapshot wanted;
    wanted.transform = device * QTransform::fromTranslate(-area.x(), -area.y());
    wanted.size = bounds().size;
    wanted.scale = m_scale;
    wanted.photo = m_photoGeneration;
    wanted.selected = marks;
    wanted.inDrag = m_inDrag;
    if (m_snapshot.pixels.isNull() || m_snapshot.pixels.size() != area.size()
        || !m_snapshot.matches(wanted)) {
        wanted.pixels = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        if (wanted.pixels.isNull())
            return false;
        wanted.pixels.fill(Qt::transparent);
        QPainter painter(&wanted.pixels);
        painter.setTransform(wanted.transform);
        {
            kit::GraphicsContext inner(painter);
            inner.setHighQuality(true);
            inner.clipToRect(bounds());
            drawPrint(inner, marks);
        }
        painter.end();
        m_snapshot = std::move(wanted);
    }
    gc.drawDevicePixels(m_snapshot.pixels, area.topLeft());
    return true;
}

void KLFreeLayoutItem::drawPrint(kit::GraphicsContext& gc, bool marks)
{
    const double W = containerSize().width;
    const double m = margin(), t = band();
    const double w = bounds().width(), h = bounds().height();

    if (!m_inDrag)
        gc.setShadow(kCardShadow);
    gc.setColor(Qt::white);
    gc.fillRect({ kCardInset, kCardInset, w - 2 * kCardInset, h - 2 * kCardInset - t });
    gc.clearShadow();

    // Drawn over the card rather than copied: a photo with transparent parts
    // shows the card through them, not whatever lies below the item.
    const double photoWidth = W * double(m_scale);
    gc.drawImage(*m_image, { m, m, photoWidth, photoWidth / aspect() });

    if (!marks)
        return;
    gc.setColor(kSelectionBlue);
    gc.fill(dashedOutline({ 0, 0.5, w, h - t }));
    for (int i = LowerLeft; i <= UpperRight; ++i)
        gc.fillRect(dragCornerRect(i));
    const kit::Rect knob = dragCornerRect(Rotate);
    QPainterPath circle;
    circle.addEllipse(knob.centre().toQt(), 5, 5);
    gc.fill(kit::Path(circle));
    kit::Path stem;
    stem.moveTo({ w / 2 + 5, h - 10 });
    stem.lineTo({ w / 2 + 5, h - t });
    gc.stroke(stem, 3);
}

void KLFreeLayoutItem::imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out,
                                    double scale) const
{
    if (!m_image || m_image->isNull())
        return;
    const double photoWidth = containerSize().width * double(m_scale);
    const QSize pixels(int(std::ceil(photoWidth * scale)),
                       int(std::ceil(photoWidth / aspect() * scale)));
    if (!pixels.isEmpty())
        out.emplace_back(*m_image, pixels);
}
