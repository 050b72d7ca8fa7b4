#include "viewhost.h"

#include "graphicscontext.h"

#include <algorithm>
#include <cmath>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDragEnterEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleHints>
#include <QToolTip>
#include <QUrl>

namespace kit {

namespace {

QStringList localFiles(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

// Menus show icons at the style's small size; a menu with larger pictures
// (style previews) shows them at their own size.
class MenuIconStyle : public QProxyStyle
{
public:
    explicit MenuIconStyle(int side) : m_side(side) { }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        if (metric == PM_SmallIconSize)
            return m_side;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    int m_side;
};

void growIconSize(QMenu& menu, QSize icon)
{
    const int side = std::max(icon.width(), icon.height());
    if (side <= menu.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &menu))
        return;
    auto* style = new MenuIconStyle(side); // owned by the menu
    style->setParent(&menu);
    menu.setStyle(style);
}

void fillQMenu(QMenu& target, const Menu& menu, std::vector<std::function<void()>>& actions)
{
    for (const MenuItem& item : menu.items) {
        if (item.separator) {
            target.addSeparator();
            continue;
        }
        QString title = item.title;
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        if (!item.submenu.empty()) {
            QMenu* sub = target.addMenu(title); // owned by `target`
            sub->setEnabled(item.enabled);
            fillQMenu(*sub, Menu { item.submenu }, actions);
            continue;
        }
        QAction* action = target.addAction(title); // owned by `target`
        action->setEnabled(item.enabled);
        if (!item.icon.isNull()) {
            action->setIcon(QIcon(QPixmap::fromImage(item.icon)));
            growIconSize(target, item.icon.size());
        }
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        action->setData(int(actions.size()));
        actions.push_back(item.action);
    }
}

} // namespace

std::unique_ptr<QMenu> buildQMenu(const Menu& menu, std::vector<std::function<void()>>& actions)
{
    auto qmenu = std::make_unique<QMenu>();
    fillQMenu(*qmenu, menu, actions);
    return qmenu;
}

ViewHost::ViewHost(QWidget* parent) : ViewHost(std::make_unique<Window>(), parent) { }

ViewHost::ViewHost(std::unique_ptr<Window> window, QWidget* parent)
    : QWidget(parent), m_ownedWindow(std::move(window)), m_window(m_ownedWindow.get())
{
    if (!m_window) {
        m_ownedWindow = std::make_unique<Window>();
        m_window = m_ownedWindow.get();
    }
    attach();
}

ViewHost::ViewHost(Window* window, QWidget* parent) : QWidget(parent), m_window(window)
{
    if (!m_window) {
        m_ownedWindow = std::make_unique<Window>();
        m_window = m_ownedWindow.get();
    }
    attach();
}

ViewHost::~ViewHost()
{
    // A borrowed window outlives the host; it must not call back into it.
    m_window->onNeedsDisplay = nullptr;
    m_window->onNeedsDisplayInRect = nullptr;
    m_window->onPopUpMenu = nullptr;
    m_window->onCursorChanged = nullptr;
}

void ViewHost::attach()
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    // Right clicks are handled as mouse presses; Qt's own context-menu event
    // must not reach the parent widgets as well.
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_window->onNeedsDisplay = [this] {
        update();
    };
    m_window->onNeedsDisplayInRect = [this](const Rect& r) {
        // One pixel more on every side for antialiased edges.
        update(toWidgetRect(r).toAlignedRect().adjusted(-1, -1, 1, 1).intersected(rect()));
    };
    m_window->onPopUpMenu = [this](const Menu& menu, Point at) {
        popUpMenu(menu, at);
    };
    m_window->onCursorChanged = [this](std::optional<Qt::CursorShape> shape) {
        if (shape)
            setCursor(*shape);
        else
            unsetCursor();
    };
    if (m_window->contentSize().isEmpty())
        m_window->setContentSize(Size(width(), height()));
}

QSize ViewHost::sizeHint() const
{
    const Size s = m_window->contentSize();
    return s.isEmpty() ? QSize(400, 300) : QSize(int(std::ceil(s.width)), int(std::ceil(s.height)));
}

Point ViewHost::toWindowPoint(QPointF p) const
{
    return { p.x(), height() - p.y() };
}

QPointF ViewHost::toWidgetPoint(Point p) const
{
    return { p.x, height() - p.y };
}

QRectF ViewHost::toWidgetRect(const Rect& r) const
{
    return { r.minX(), height() - r.maxY(), r.width(), r.height() };
}

bool ViewHost::focusNextPrevChild(bool)
{
    return false;
}

void ViewHost::paintEvent(QPaintEvent* event)
{
    View* root = m_window->rootView();
    if (!root || root->isHidden())
        return;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    // The one flip between y-up views and the y-down widget; the backing
    // store applies the device pixel ratio below this.
    painter.translate(0, height());
    painter.scale(1, -1);
    GraphicsContext gc(painter);
    const QRect area = event->rect();
    const Rect dirty(area.x(), height() - area.y() - area.height(), area.width(), area.height());
    const AffineTransform place = root->transformToSuperview();
    gc.concat(place);
    root->drawTree(gc, boundingBox(place.inverted(), dirty));
}

void ViewHost::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_window->setContentSize(Size(width(), height()));
}

MouseEvent ViewHost::mouseEvent(const QMouseEvent* event, int clickCount) const
{
    MouseEvent e;
    e.locationInWindow = toWindowPoint(event->position());
    e.clickCount = clickCount;
    e.modifiers = event->modifiers();
    return e;
}

int ViewHost::countClick(QPointF position, bool doubleClickEvent)
{
    const QStyleHints* hints = QGuiApplication::styleHints();
    const QPointF d = position - m_lastPressPosition;
    const bool continues = m_lastPress.isValid()
        && m_lastPress.elapsed() <= hints->mouseDoubleClickInterval()
        && std::hypot(d.x(), d.y()) <= hints->mouseDoubleClickDistance();
    m_clickCount = continues ? m_clickCount + 1 : 1;
    if (doubleClickEvent)
        m_clickCount = std::max(m_clickCount, 2);
    m_lastPress.start();
    m_lastPressPosition = position;
    return m_clickCount;
}

void ViewHost::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton) {
        const int count = countClick(event->position(), false);
        m_leftDown = true;
        m_pressPending = true;
        m_window->mouseDown(mouseEvent(event, count));
    } else if (event->button() == Qt::RightButton) {
        m_window->rightMouseDown(mouseEvent(event, 1));
    }
}

void ViewHost::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    // Qt may deliver a double click either instead of the second press or
    // right after it; in the latter case the press already counted it.
    if (m_pressPending)
        return;
    const int count = countClick(event->position(), true);
    m_leftDown = true;
    m_pressPending = true;
    m_window->mouseDown(mouseEvent(event, count));
}

void ViewHost::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (m_leftDown)
        m_window->mouseDragged(mouseEvent(event, m_clickCount));
    else if (event->buttons() == Qt::NoButton)
        m_window->mouseMoved(mouseEvent(event, 0));
}

void ViewHost::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftDown)
        return;
    m_leftDown = false;
    m_pressPending = false;
    m_window->mouseUp(mouseEvent(event, m_clickCount));
}

void ViewHost::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_window->mouseLeftWindow();
}

void ViewHost::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    const QPoint pixels = event->pixelDelta();
    // Touchpads send begin and end markers that carry no movement.
    if (angle.isNull() && pixels.isNull()) {
        event->ignore();
        return;
    }
    ScrollEvent e;
    e.locationInWindow = toWindowPoint(event->position());
    // A notch away from the user is positive, as on the views' side.
    e.deltaX = angle.isNull() ? pixels.x() / ScrollEvent::kPixelsPerNotch
                              : angle.x() / ScrollEvent::kEighthsPerNotch;
    e.deltaY = angle.isNull() ? pixels.y() / ScrollEvent::kPixelsPerNotch
                              : angle.y() / ScrollEvent::kEighthsPerNotch;
    e.modifiers = event->modifiers();
    if (m_window->scrollWheel(e)) {
        event->accept();
        return;
    }
    // What no view uses scrolls the scroll area that shows the host. Handed
    // over explicitly: Qt passes only spontaneous wheel events up to parents.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        auto* area = qobject_cast<QAbstractScrollArea*>(w);
        if (!area)
            continue;
        QWidget* viewport = area->viewport();
        const QPointF at = viewport->mapFromGlobal(event->globalPosition());
        QWheelEvent onViewport(at, event->globalPosition(), pixels, angle, event->buttons(),
                               event->modifiers(), event->phase(), event->inverted(),
                               event->source());
        QCoreApplication::sendEvent(viewport, &onViewport);
        event->setAccepted(onViewport.isAccepted());
        return;
    }
    event->ignore();
}

bool ViewHost::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = m_window->toolTipAt(toWindowPoint(help->pos()));
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}

void ViewHost::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    KeyEvent e;
    e.keyCode = keyCodeFromQt(event->key());
    e.text = event->text();
    e.modifiers = event->modifiers();
    m_window->keyDown(e);
}

void ViewHost::dragEnterEvent(QDragEnterEvent* event)
{
    const QStringList files = localFiles(event->mimeData());
    // Only drags of local files take part; others never reach the views.
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    DragInfo info { toWindowPoint(event->position()), files,
                    bool(event->possibleActions() & Qt::CopyAction) };
    const DragOperation op = m_window->draggingEntered(info);
    // The enter is accepted even where no view takes the drop, so that the
    // moves keep coming and a target further on can still be found.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (op == DragOperation::None)
        event->setDropAction(Qt::IgnoreAction);
}

void ViewHost::dragMoveEvent(QDragMoveEvent* event)
{
    DragInfo info { toWindowPoint(event->position()), localFiles(event->mimeData()),
                    bool(event->possibleActions() & Qt::CopyAction) };
    if (m_window->draggingUpdated(info) == DragOperation::Copy) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ViewHost::dragLeaveEvent(QDragLeaveEvent* event)
{
    event->accept();
    m_window->draggingExited();
}

void ViewHost::dropEvent(QDropEvent* event)
{
    DragInfo info { toWindowPoint(event->position()), localFiles(event->mimeData()),
                    bool(event->possibleActions() & Qt::CopyAction) };
    if (!info.fileNames.isEmpty() && m_window->performDrop(info)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ViewHost::popUpMenu(const Menu& menu, Point windowLocation)
{
    std::vector<std::function<void()>> actions;
    std::unique_ptr<QMenu> qmenu = buildQMenu(menu, actions);
    const QPoint global = mapToGlobal(toWidgetPoint(windowLocation).toPoint());
    QAction* chosen = execMenu ? execMenu(*qmenu, global) : qmenu->exec(global);
    std::function<void()> run;
    if (chosen && chosen->data().isValid()) {
        const int index = chosen->data().toInt();
        if (index >= 0 && size_t(index) < actions.size())
            run = actions[size_t(index)];
    }
    // The menu is gone before the action runs, which may remove the view
    // that offered it or open a modal dialog.
    qmenu.reset();
    if (run)
        run();
}

} // namespace kit
