#include "klattachedwindow.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

using Side = KLAttachedWindow::Side;

Side opposite(Side side)
{
    switch (side) {
    case Side::Upper:
        return Side::Lower;
    case Side::Lower:
        return Side::Upper;
    case Side::Left:
        return Side::Right;
    case Side::Right:
        return Side::Left;
    }
    return side;
}

bool isVertical(Side side)
{
    return side == Side::Upper || side == Side::Lower;
}

} // namespace

KLAttachedWindow::KLAttachedWindow(QWidget* content, QPoint point, QWidget* anchor, Side side,
                                   int distance)
    : QWidget(anchor->window(), Qt::Tool | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint),
      m_content(content), m_contentOwner(content->parentWidget()), m_anchor(anchor), m_point(point),
      m_side(side), m_effectiveSide(side), m_distance(std::max(0, distance))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    content->setParent(this);
    content->installEventFilter(this);
    anchor->installEventFilter(this);
    if (anchor->window() != anchor)
        anchor->window()->installEventFilter(this);
    reposition();
}

KLAttachedWindow::~KLAttachedWindow()
{
    releaseContent();
}

void KLAttachedWindow::setPoint(QPoint point)
{
    m_point = point;
    reposition();
}

void KLAttachedWindow::setSide(Side side)
{
    m_side = side;
    reposition();
}

void KLAttachedWindow::setDistance(int distance)
{
    m_distance = std::max(0, distance);
    reposition();
}

void KLAttachedWindow::setBorderColor(const QColor& color)
{
    m_borderColor = color;
    update();
}

void KLAttachedWindow::setBorderWidth(int width)
{
    m_borderWidth = std::max(0, width);
    reposition();
}

void KLAttachedWindow::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    update();
}

void KLAttachedWindow::setCornerRadius(int radius)
{
    m_cornerRadius = std::max(0, radius);
    reposition();
}

void KLAttachedWindow::setHasArrow(bool hasArrow)
{
    m_hasArrow = hasArrow;
    reposition();
}

void KLAttachedWindow::setArrowBaseWidth(int width)
{
    m_arrowBaseWidth = std::max(0, width);
    reposition();
}

void KLAttachedWindow::setArrowHeight(int height)
{
    m_arrowHeight = std::max(0, height);
    reposition();
}

void KLAttachedWindow::setViewMargin(int margin)
{
    m_viewMargin = std::max(0, margin);
    reposition();
}

void KLAttachedWindow::addPassThroughWidget(QWidget* widget)
{
    if (widget)
        m_passThrough.append(widget);
}

QRect KLAttachedWindow::bodyRect() const
{
    const int a = arrowExtent();
    switch (m_effectiveSide) {
    case Side::Upper:
        return { 0, 0, width(), height() - a };
    case Side::Lower:
        return { 0, a, width(), height() - a };
    case Side::Left:
        return { 0, 0, width() - a, height() };
    case Side::Right:
        return { a, 0, width() - a, height() };
    }
    return rect();
}

void KLAttachedWindow::reposition()
{
    if (!m_anchor)
        return;
    QSize contentSize;
    if (m_content) {
        contentSize = m_content->sizeHint();
        if (!contentSize.isValid())
            contentSize = m_content->size();
        contentSize =
            contentSize.expandedTo(m_content->minimumSize()).boundedTo(m_content->maximumSize());
    }
    const int frame = 2 * frameThickness();
    const QPoint p = m_anchor->mapToGlobal(m_point);
    QScreen* screen = QGuiApplication::screenAt(p);
    if (!screen)
        screen = m_anchor->screen();
    const QRect avail = screen ? screen->availableGeometry() : QRect();

    // The window's rectangle for one side, with the arrow centred on the point.
    auto place = [&](Side side) {
        const bool vertical = isVertical(side);
        const QSize size(contentSize.width() + frame + (vertical ? 0 : arrowExtent()),
                         contentSize.height() + frame + (vertical ? arrowExtent() : 0));
        QRect r(QPoint(0, 0), size);
        switch (side) {
        case Side::Upper:
            r.moveBottomLeft(QPoint(p.x() - size.width() / 2, p.y() - m_distance - 1));
            break;
        case Side::Lower:
            r.moveTopLeft(QPoint(p.x() - size.width() / 2, p.y() + m_distance));
            break;
        case Side::Left:
            r.moveTopRight(QPoint(p.x() - m_distance - 1, p.y() - size.height() / 2));
            break;
        case Side::Right:
            r.moveTopLeft(QPoint(p.x() + m_distance, p.y() - size.height() / 2));
            break;
        }
        return r;
    };
    auto overflow = [&](const QRect& r) {
        if (avail.isEmpty())
            return 0;
        const QRect inside = r.intersected(avail);
        return r.width() * r.height() - inside.width() * inside.height();
    };

    Side side = m_side;
    QRect r = place(side);
    if (overflow(r) > 0) {
        const QRect flipped = place(opposite(side));
        // Only a side that keeps more of the window on screen is worth the flip.
        if (overflow(flipped) < overflow(r)) {
            side = opposite(side);
            r = flipped;
        }
    }
    // Slide along the edge the arrow sits on; the arrow keeps pointing at p.
    if (!avail.isEmpty()) {
        if (isVertical(side))
            r.moveLeft(std::clamp(r.left(), avail.left(),
                                  std::max(avail.left(), avail.right() + 1 - r.width())));
        else
            r.moveTop(std::clamp(r.top(), avail.top(),
                                 std::max(avail.top(), avail.bottom() + 1 - r.height())));
    }

    m_effectiveSide = side;
    setGeometry(r);
    const int along = isVertical(side) ? p.x() - r.left() : p.y() - r.top();
    const int length = isVertical(side) ? r.width() : r.height();
    const int reach = m_borderWidth + m_cornerRadius + m_arrowBaseWidth / 2;
    m_arrowOffset = reach * 2 <= length ? std::clamp(along, reach, length - reach) : length / 2;

    if (m_content && m_content->parentWidget() == this) {
        const QRect body = bodyRect();
        m_content->setGeometry(
            QRect(body.topLeft() + QPoint(frameThickness(), frameThickness()), contentSize));
    }
    update();
}

QPoint KLAttachedWindow::arrowTipGlobal() const
{
    QPoint tip;
    switch (m_effectiveSide) {
    case Side::Upper:
        tip = { m_arrowOffset, height() };
        break;
    case Side::Lower:
        tip = { m_arrowOffset, 0 };
        break;
    case Side::Left:
        tip = { width(), m_arrowOffset };
        break;
    case Side::Right:
        tip = { 0, m_arrowOffset };
        break;
    }
    if (!m_hasArrow)
        tip = isVertical(m_effectiveSide) ? QPoint(width() / 2, tip.y())
                                          : QPoint(tip.x(), height() / 2);
    return geometry().topLeft() + tip;
}

QPainterPath KLAttachedWindow::outline() const
{
    // Inset by half the border so that the stroke stays inside the window;
    // the round joins then end exactly on the window's edge at the tip.
    const qreal inset = m_borderWidth / 2.0;
    const QRectF b = QRectF(bodyRect()).adjusted(inset, inset, -inset, -inset);
    if (b.width() <= 0 || b.height() <= 0)
        return {};
    const qreal l = b.left(), t = b.top(), rt = b.right(), bt = b.bottom();
    const qreal r = std::min<qreal>({ qreal(m_cornerRadius), b.width() / 2, b.height() / 2 });
    const qreal d = 2 * r;
    const qreal h = m_hasArrow ? m_arrowHeight : 0;
    const Side side = m_effectiveSide;
    const bool vertical = isVertical(side);
    const qreal edge = vertical ? b.width() : b.height();
    const qreal half = std::max<qreal>(0, std::min<qreal>(m_arrowBaseWidth / 2.0, edge / 2 - r));
    const bool arrow = m_hasArrow && h > 0 && half > 0;
    // Window coordinates of the arrow's centre along its edge, kept off the corners.
    const qreal lo = (vertical ? l : t) + r + half;
    const qreal hi = (vertical ? rt : bt) - r - half;
    const qreal c = lo <= hi ? std::clamp<qreal>(m_arrowOffset, lo, hi) : (lo + hi) / 2;

    // Clockwise from the top-left corner; the arrow is inserted on the edge
    // that faces the point (the window's Upper side has it at the bottom).
    QPainterPath path;
    path.moveTo(l + r, t);
    if (arrow && side == Side::Lower) {
        path.lineTo(c - half, t);
        path.lineTo(c, t - h);
        path.lineTo(c + half, t);
    }
    path.lineTo(rt - r, t);
    path.arcTo(QRectF(rt - d, t, d, d), 90, -90);
    if (arrow && side == Side::Left) {
        path.lineTo(rt, c - half);
        path.lineTo(rt + h, c);
        path.lineTo(rt, c + half);
    }
    path.lineTo(rt, bt - r);
    path.arcTo(QRectF(rt - d, bt - d, d, d), 0, -90);
    if (arrow && side == Side::Upper) {
        path.lineTo(c + half, bt);
        path.lineTo(c, bt + h);
        path.lineTo(c - half, bt);
    }
    path.lineTo(l + r, bt);
    path.arcTo(QRectF(l, bt - d, d, d), 270, -90);
    if (arrow && side == Side::Right) {
        path.lineTo(l, c + half);
        path.lineTo(l - h, c);
        path.lineTo(l, c - half);
    }
    path.lineTo(l, t + r);
    path.arcTo(QRectF(l, t, d, d), 180, -90);
    path.closeSubpath();
    return path;
}

bool KLAttachedWindow::isInside(const QWidget* widget) const
{
    // Walks across windows too, so pop-ups opened by the content (a combo
    // box's list) count as inside.
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == this)
            return true;
        for (const QPointer<QWidget>& pass : m_passThrough) {
            if (pass && pass == w)
                return true;
        }
    }
    return false;
}

bool KLAttachedWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (isVisible() && watched->isWidgetType() && !isInside(static_cast<QWidget*>(watched)))
            close();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (watched == m_anchor || (m_anchor && watched == m_anchor->window()))
            reposition();
        break;
    case QEvent::LayoutRequest:
        if (watched == m_content)
            reposition();
        break;
    case QEvent::Hide:
        // Deferred: a window hides at the start of its destruction, and a
        // closing pop-up must not hand its content to a dying owner. When
        // the window is destroyed, this pop-up goes with it before the
        // timer fires.
        if (m_anchor && watched == m_anchor->window() && isVisible())
            QTimer::singleShot(0, this, &QWidget::close);
        break;
    default:
        break;
    }
    return false;
}

void KLAttachedWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QPainterPath path = outline();
    p.fillPath(path, m_backgroundColor);
    if (m_borderWidth > 0) {
        p.setPen(QPen(m_borderColor, m_borderWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

void KLAttachedWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void KLAttachedWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    reposition();
    if (m_content && m_content->parentWidget() == this)
        m_content->show();
    qApp->installEventFilter(this);
    raise();
    activateWindow();
}

void KLAttachedWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (m_closing)
        return;
    m_closing = true;
    qApp->removeEventFilter(this);
    releaseContent();
    emit closed(this);
}

bool KLAttachedWindow::ownerIsBeingDestroyed() const
{
    // A parent that deletes its children has already taken this one off its
    // list; the content's owner dies too when it lies in that parent.
    const QObject* p = parent();
    if (!p || p->children().contains(this))
        return false;
    for (const QObject* o = m_contentOwner; o; o = o->parent()) {
        if (o == p)
            return true;
    }
    return false;
}

void KLAttachedWindow::releaseContent()
{
    // A content whose owner is gone stays with this window and dies with it.
    if (!m_content || m_content->parentWidget() != this || !m_contentOwner
        || ownerIsBeingDestroyed())
        return;
    m_content->removeEventFilter(this);
    m_content->hide();
    m_content->setParent(m_contentOwner);
}
