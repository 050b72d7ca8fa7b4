#include "kltabbarview.h"

#include "namedimage.h"

#include <algorithm>

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace {

constexpr int kBarHeight = 36;
constexpr int kIconSize = 24; // the named images' design size
constexpr int kMinItemWidth = 32;
constexpr int kItemInset = 3; // between an item's rectangle and its highlight
constexpr int kIndicatorHeight = 2;

// Paints `icon` as a mask in `color`: the tab bar's icons follow the palette
// (light and dark themes) instead of the colour they were drawn in.
QPixmap tinted(const QIcon& icon, const QSize& size, qreal dpr, const QColor& color)
{
    QPixmap pixmap = icon.pixmap(size, dpr);
    if (pixmap.isNull())
        return pixmap;
    QPainter p(&pixmap);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(pixmap.rect(), color);
    return pixmap;
}

} // namespace

KLTabBarView::KLTabBarView(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void KLTabBarView::addItemWithImage(const QIcon& image, const QString& tipKey, int tag)
{
    m_items.push_back({ image, tipKey, tag, false, {} });
    updateGeometry();
}

void KLTabBarView::addItemWithImage(const QString& imageName, const QString& tipKey, int tag)
{
    addItemWithImage(chrome::namedImage(imageName), tipKey, tag);
}

void KLTabBarView::layoutSubview()
{
    const int visible = int(std::count_if(m_items.begin(), m_items.end(),
                                          [](const Item& item) { return !item.hidden; }));
    // Integer widths that add up to the bar's width exactly: the remainder
    // goes one pixel at a time to the first items.
    const int base = visible > 0 ? width() / visible : 0;
    int extra = visible > 0 ? width() % visible : 0;
    int x = 0;
    for (Item& item : m_items) {
        if (item.hidden) {
            item.rect = {};
            continue;
        }
        const int w = base + (extra > 0 ? 1 : 0);
        extra = std::max(0, extra - 1);
        item.rect = QRect(x, 0, w, height());
        x += w;
    }
    if (m_hovered >= 0 && m_items[m_hovered].hidden)
        m_hovered = -1;
    update();
}

void KLTabBarView::selectItemWithIndex(int index)
{
    if (index < 0 || index >= int(m_items.size()) || index == m_selected)
        return;
    m_selected = index;
    update();
}

void KLTabBarView::setItemHidden(int index, bool hidden)
{
    if (index < 0 || index >= int(m_items.size()))
        return;
    m_items[index].hidden = hidden;
    update();
}

int KLTabBarView::itemAt(const QPoint& pos) const
{
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (!m_items[i].hidden && m_items[i].rect.contains(pos))
            return i;
    }
    return -1;
}

QSize KLTabBarView::sizeHint() const
{
    const int n = std::max<int>(1, int(m_items.size()));
    return { n * 56, kBarHeight };
}

QSize KLTabBarView::minimumSizeHint() const
{
    const int n = std::max<int>(1, int(m_items.size()));
    return { n * kMinItemWidth, kBarHeight };
}

void KLTabBarView::userSelect(int index)
{
    if (index < 0 || index >= int(m_items.size()) || m_items[index].hidden)
        return;
    m_selected = index;
    update();
    emit tabBarViewDidSelectTag(this, m_items[index].tag);
}

int KLTabBarView::nextVisible(int from, int step) const
{
    for (int i = from + step; i >= 0 && i < int(m_items.size()); i += step) {
        if (!m_items[i].hidden)
            return i;
    }
    return -1;
}

void KLTabBarView::setHovered(int index)
{
    if (index == m_hovered)
        return;
    m_hovered = index;
    update();
}

bool KLTabBarView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = itemAt(help->pos());
        if (index >= 0 && !m_items[index].tipKey.isEmpty()) {
            const QByteArray key = m_items[index].tipKey.toUtf8();
            QToolTip::showText(help->globalPos(), qtTrId(key.constData()), this,
                               m_items[index].rect);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void KLTabBarView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor accent = pal.color(QPalette::Highlight);
    const QColor text =
        pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);

    QColor quiet = text;
    quiet.setAlphaF(0.7);

    p.fillRect(rect(), pal.color(QPalette::Window));
    QColor rule = text;
    rule.setAlphaF(0.15);
    p.fillRect(QRect(0, height() - 1, width(), 1), rule);

    const QSize iconSize(kIconSize, kIconSize);
    for (int i = 0; i < int(m_items.size()); ++i) {
        const Item& item = m_items[i];
        if (item.hidden || item.rect.isEmpty())
            continue;
        const QRectF pad = QRectF(item.rect).adjusted(kItemInset, kItemInset, -kItemInset,
                                                      -kItemInset - kIndicatorHeight);
        const bool selected = i == m_selected;
        if (selected || i == m_hovered) {
            QColor fill = selected ? accent : text;
            fill.setAlphaF(selected ? 0.16 : 0.08);
            QPainterPath plate;
            plate.addRoundedRect(pad, 5, 5);
            p.fillPath(plate, fill);
        }
        if (selected) {
            const int w = std::min(item.rect.width() - 2 * kItemInset, 28);
            p.fillRect(QRect(item.rect.center().x() - w / 2, height() - kIndicatorHeight - 1, w,
                             kIndicatorHeight),
                       accent);
        }
        if (hasFocus() && (i == m_selected || (m_selected < 0 && i == nextVisible(-1, 1)))) {
            QPen pen(accent, 1.5, Qt::DotLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(pad.adjusted(0.75, 0.75, -0.75, -0.75), 5, 5);
        }
        const QPixmap pm =
            tinted(item.image, iconSize, devicePixelRatioF(), selected ? accent : quiet);
        if (!pm.isNull()) {
            const QRect target(QPoint(0, 0), iconSize);
            p.drawPixmap(target.translated(pad.center().toPoint() - target.center()), pm);
        }
    }
}

void KLTabBarView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutSubview();
}

void KLTabBarView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = itemAt(event->position().toPoint());
    if (index < 0) {
        event->ignore();
        return;
    }
    userSelect(index);
}

void KLTabBarView::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(itemAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void KLTabBarView::leaveEvent(QEvent* event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void KLTabBarView::keyPressEvent(QKeyEvent* event)
{
    int target = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        target = nextVisible(m_selected < 0 ? int(m_items.size()) : m_selected, -1);
        break;
    case Qt::Key_Right:
        target = nextVisible(m_selected, 1);
        break;
    case Qt::Key_Home:
        target = nextVisible(-1, 1);
        break;
    case Qt::Key_End:
        target = nextVisible(int(m_items.size()), -1);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        target = m_selected >= 0 && !m_items[m_selected].hidden ? m_selected : nextVisible(-1, 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (target >= 0)
        userSelect(target);
}
