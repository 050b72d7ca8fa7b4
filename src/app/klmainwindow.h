#pragma once

// The editor's main window: a 60-unit top bar with the title-bar group in
// its centre, and below it a split view of three panes: the side panel (tab
// bar over the template, background and border pages, with the add, remove
// and filter buttons under them), the canvas area (the main scroll view) and
// the media browser's place. It also holds the menus.
//
// The window only shows. It tells what the person asked for through its
// signals and is told what to show through the methods below; KLController
// decides everything and never reaches for the window's widgets.

#include "mode.h"

#include <functional>
#include <optional>

#include <QMainWindow>

class KLAttachedWindow;
class KLTabBarView;
class KLTitleBarGroup;
class QAbstractButton;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class QTimer;

class KLMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Width of the side panel when the window opens: the first divider.
    static constexpr int kSidePanelWidth = 180;
    static constexpr int kMediaPaneWidth = 220;

    explicit KLMainWindow(QWidget* parent = nullptr);
    ~KLMainWindow() override;

    // Titles the about, hide, quit and help menu items with the
    // application's display name.
    void titleMenuItems(const QString& displayName);
    // The feedback entry of the Help menu.
    void setFeedbackShown(bool shown);
    bool isFeedbackShown() const;

    // -- The top bar
    // The chosen layout mode's button shows as chosen.
    void showLayoutMode(Mode mode);
    // The zoom slider's value and maximum, and the label beside it. Never
    // sends zoomChosen.
    void setZoom(double value, double maximum, const QString& label);
    double zoom() const;
    void setRatioTitle(const QString& title);
    // A locked ratio button is disabled, with a tool tip that says why.
    void setRatioLocked(bool locked);
    void setRatioButtonShown(bool shown);
    // Sets the check boxes without sending cornerToggled or shadowToggled.
    void setCornerChecked(bool on);
    void setShadowChecked(bool on);
    void setCornerButtonShown(bool shown);
    // Re-centres the title-bar group in the top bar.
    void centreTitleBar();
    // Opens `content` in a pop-up attached below the ratio button, its arrow
    // pointing at it; the pop-up closes itself when it loses the focus,
    // except to the ratio button. The caller owns the pop-up.
    KLAttachedWindow* openRatioList(QWidget* content, int tag);
    // The same below the text style button.
    KLAttachedWindow* openStyleList(QWidget* content, int tag);

    // -- The canvas area
    // Shows `document` in the main scroll view; the one shown before goes
    // back, hidden, into the window.
    void showDocument(QWidget* document);
    // The size of the main scroll view, scrollers included.
    QSize canvasAreaSize() const;
    // Both scrollers always, or none.
    void setScrollersShown(bool shown);

    // -- The side panel
    // Selects the page's tab and shows the page with the buttons that belong
    // to it: the filter for templates, add and remove for all but borders.
    void showPage(Page page);
    Page currentPage() const;
    void setTemplatesTabShown(bool shown);
    // The widget that shows a library; the page scrolls it vertically.
    void setLibrary(Page page, QWidget* library);
    // The visible size of a page and whether it is on screen now.
    QSize libraryViewportSize(Page page) const;
    bool isLibraryShown(Page page) const;
    void scrollLibraryToTop(Page page);
    void setFilterTitle(const QString& title);
    // Where a menu of `menuSize` opens so that it lies above the filter
    // button, in global coordinates.
    QPoint filterMenuPosition(QSize menuSize) const;
    // The side panel gets this width; the canvas area gives or takes the
    // difference.
    void setSidePanelWidth(int width);

    // -- Messages
    // Shows `text` in a bar above the canvas area until the person closes it
    // or kMessageSeconds pass; a new message replaces the one shown. The
    // window stays usable meanwhile.
    void showMessage(const QString& text);
    QString message() const;
    static constexpr int kMessageSeconds = 15;

    // -- The media browser's pane
    // Shows `browser` in the right-hand pane instead of its placeholder.
    void setMediaBrowser(QWidget* browser);
    // Shows or hides the pane; the View menu's item follows without sending
    // mediaBrowserToggled.
    void setMediaBrowserShown(bool shown);
    bool isMediaBrowserShown() const;

    // The File menu's Open Recent items, most recent first.
    void setRecentDocuments(const QStringList& paths);
    // The Edit menu's Undo and Redo name the step they would take back or
    // make again ("Undo Move"); without one they are disabled.
    void setUndoRedo(const std::optional<QString>& undoName,
                     const std::optional<QString>& redoName);
    QAction* undoAction() const { return m_undoAction; }
    QAction* redoAction() const { return m_redoAction; }

    // Asked when the person closes the window; answering false keeps it open.
    std::function<bool()> shouldClose;

signals:
    void layoutModeChosen(Mode mode);
    void zoomChosen(double zoom);
    void ratioListRequested();
    void styleListRequested();
    void cornerToggled(bool on);
    void shadowToggled(bool on);
    void addTextRequested();
    // File ▸ Export… and the title bar's save button.
    void saveRequested();
    void printRequested();
    void printPreviewRequested();
    void pdfExportRequested();
    // View ▸ Zoom In, Zoom Out and Fit.
    void zoomInRequested();
    void zoomOutRequested();
    void zoomToFitRequested();
    void newDocumentRequested();
    void openRequested();
    void openRecentRequested(const QString& path);
    void clearRecentRequested();
    void saveDocumentRequested();
    void saveAsRequested();
    void saveCopyRequested();
    void newCanvasRequested();
    void addPhotosRequested();
    void undoRequested();
    void redoRequested();
    // A command of the View menu, by tag (tags::layoutModeTag, tags::pageTag).
    void viewCommand(int tag);
    // The View menu's media browser item was switched.
    void mediaBrowserToggled(bool shown);
    // The person pressed a page's tab.
    void pageChosen(Page page);
    void addItemRequested();
    void removeItemRequested();
    void filterRequested();
    void whatsNewRequested();
    // The help pages in `language` ("en", "zh_CN"): the interface's own
    // (F1), or the other one.
    void helpRequested(const QString& language);
    void feedbackRequested();
    void aboutRequested();
    // The window, the canvas area or a library page changed size, or the
    // person moved a divider.
    void resized();
    void canvasAreaResized();
    void libraryResized(Page page);
    void dividerMoved();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeSidePanel();
    QWidget* makeMessageBar();
    void makeMenus();
    void connectTitleBar();
    KLAttachedWindow* openPopUpBelow(QPushButton* button, QWidget* content, int tag);

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
    QWidget* m_messageBar = nullptr;
    QLabel* m_messageLabel = nullptr;
    QTimer* m_messageTimer = nullptr;
    QMenu* m_recentMenu = nullptr;
    QAction* m_hideAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_mediaBrowserAction = nullptr;
    QAction* m_quitAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_helpENAction = nullptr;
    QAction* m_helpCNAction = nullptr;
    QAction* m_feedbackAction = nullptr;
};
