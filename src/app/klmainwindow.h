#pragma once

// The editor's main window: a 60-unit top bar with the title-bar group in
// its centre, and below it a split view of three panes: the side panel (tab
// bar over the template, background and border pages, with the add, remove
// and filter buttons under them), the canvas area (the main scroll view) and
// the media browser's place. It also holds the menus. The window only shows;
// KLController wires every control and decides what closing means.

#include <array>
#include <functional>

#include <QMainWindow>

class KLTabBarView;
class KLTitleBarGroup;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QSplitter;
class QStackedWidget;

class KLMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Width of the side panel when the window opens: the first divider.
    static constexpr int kSidePanelWidth = 180;
    static constexpr int kMediaPaneWidth = 220;

    explicit KLMainWindow(QWidget* parent = nullptr);
    ~KLMainWindow() override;

    QWidget* topBar() const { return m_topBar; }
    KLTitleBarGroup* titlebarView() const { return m_titlebarView; }
    QSplitter* splitView() const { return m_splitView; }
    KLTabBarView* frameBar() const { return m_frameBar; }
    QStackedWidget* frameTabView() const { return m_frameTabView; }
    // The page scroll views, by page: 0 templates, 1 backgrounds, 2 borders.
    QScrollArea* pageScrollView(int page) const { return m_pages[page]; }
    QPushButton* addItemButton() const { return m_addItemButton; }
    QPushButton* removeItemButton() const { return m_removeItemButton; }
    QPushButton* filterButton() const { return m_filterButton; }
    QScrollArea* scrollView() const { return m_scrollView; }
    QWidget* photoView() const { return m_photoView; }

    struct Actions
    {
        QAction* newCanvas = nullptr;
        QAction* addPhotos = nullptr;
        QAction* save = nullptr;
        QAction* hide = nullptr;
        QAction* quit = nullptr;
        // Tags 100, 101, 102 (layout modes) and 200, 201, 202 (side-panel
        // pages), in that order; each action's data() is its tag.
        std::array<QAction*, 6> views {};
        QAction* whatsNew = nullptr;
        QAction* helpEN = nullptr;
        QAction* helpCN = nullptr;
        QAction* feedback = nullptr;
        QAction* about = nullptr;
    };
    const Actions& actions() const { return m_actions; }

    // Asked when the person closes the window; answering false keeps it open.
    std::function<bool()> shouldClose;
    // Told after every resize of the window.
    std::function<void()> didResize;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* makeSidePanel();
    void makeMenus();

    QWidget* m_topBar = nullptr;
    KLTitleBarGroup* m_titlebarView = nullptr;
    QSplitter* m_splitView = nullptr;
    KLTabBarView* m_frameBar = nullptr;
    QStackedWidget* m_frameTabView = nullptr;
    std::array<QScrollArea*, 3> m_pages {};
    QPushButton* m_addItemButton = nullptr;
    QPushButton* m_removeItemButton = nullptr;
    QPushButton* m_filterButton = nullptr;
    QScrollArea* m_scrollView = nullptr;
    QWidget* m_photoView = nullptr;
    Actions m_actions;
};
