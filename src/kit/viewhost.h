#pragma once

// The widget that shows a Window's view tree on screen. It flips y once
// (views are y-up, widgets y-down), paints only the region Qt asks for, and
// turns Qt's mouse, wheel, key and drag events into window events.

#include "geometry.h"
#include "window.h"

#include <functional>
#include <memory>

#include <QElapsedTimer>
#include <QWidget>

class QAction;
class QMenu;

namespace kit {

class ViewHost : public QWidget
{
    Q_OBJECT

public:
    // Owns a new empty window.
    explicit ViewHost(QWidget* parent = nullptr);
    // Owns `window`.
    explicit ViewHost(std::unique_ptr<Window> window, QWidget* parent = nullptr);
    // Borrows `window`, which must outlive the host; the host's hooks are
    // removed from it when the host dies.
    explicit ViewHost(Window* window, QWidget* parent = nullptr);
    ~ViewHost() override;

    Window* viewWindow() const { return m_window; }

    // Widget coordinates (y down, logical pixels) to window coordinates (y up)
    // and back.
    Point toWindowPoint(QPointF widgetPoint) const;
    QPointF toWidgetPoint(Point windowPoint) const;
    QRectF toWidgetRect(const Rect& windowRect) const;

    // Pops a context menu up at a global position and answers the chosen
    // action (or nullptr). QMenu::exec by default; tests replace it.
    std::function<QAction*(QMenu& menu, QPoint globalPosition)> execMenu;

    QSize sizeHint() const override;

protected:
    // Tool tips come from the views under the pointer (View::toolTip).
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override; // Tab reaches the views
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void attach();
    void popUpMenu(const Menu& menu, Point windowLocation);
    MouseEvent mouseEvent(const QMouseEvent* event, int clickCount) const;
    int countClick(QPointF position, bool doubleClickEvent);

    std::unique_ptr<Window> m_ownedWindow;
    Window* m_window = nullptr;
    bool m_leftDown = false;
    // A press was just delivered and Qt may follow it with a double-click
    // event for the same click.
    bool m_pressPending = false;
    // Multiple-click counting: Qt reports double clicks only.
    int m_clickCount = 0;
    QPointF m_lastPressPosition;
    QElapsedTimer m_lastPress;
};

// Builds a QMenu from a menu model. Each enabled action's data holds its index
// in `actions`, where its callback is collected; separators and submenus carry
// none. Ampersands in titles are shown, not taken as mnemonics.
std::unique_ptr<QMenu> buildQMenu(const Menu& menu, std::vector<std::function<void()>>& actions);

} // namespace kit
