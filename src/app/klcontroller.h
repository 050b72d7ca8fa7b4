#pragma once

// The one controller of the editor window. It builds the window's behaviour
// on top of KLMainWindow: the three layout modes with their canvases, the
// canvas ratio and zoom, the decorations, the side-panel libraries and their
// add, remove and filter commands, the new-canvas and quit questions, the
// what's-new and about windows, help and feedback, export, and new photos.
// It learns what the person did on canvases and libraries through the
// notification centre.
//
// Its work is split over several files: klcontroller.cpp (start-up, modes,
// decorations, notifications, windows), klcontroller_ratio.cpp (ratio, zoom
// and frames), klcontroller_library.cpp (library commands, photos, export).
//
// Modes are indexed 0 template, 1 free layout, 2 serial. Per mode the
// controller keeps the zoom, the ratio index and the user background chosen
// last; switching modes never clears a canvas.

#include "dialogs.h"
#include "klaboutwindow.h"
#include "klwhatsnewwindow.h"

#include "border/backgroundentry.h"
#include "chrome/klattachedwindow.h"
#include "kit/geometry.h"
#include "kit/image.h"
#include "kit/notificationcenter.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class KLBackgroundListView;
class KLBackgroundView;
class KLBorderListView;
class KLBorderView;
class KLCanvasView;
class KLImageView;
class KLMainWindow;
class KLResourceListView;
class KLResourceView;
class KLScrollBackView;
class KLTabBarView;
class PlaceholderCanvas;
class QAbstractButton;
class QMenu;
class QWidget;

namespace kit {
class ViewHost;
class View;
} // namespace kit

class KLController : public QObject
{
    Q_OBJECT

public:
    enum Mode { TemplateMode = 0, FreeLayoutMode = 1, SerialMode = 2 };

    // Builds the window and wires it (the wake-up). `dialogs` answers every
    // question; the real dialogs when null.
    explicit KLController(std::unique_ptr<Dialogs> dialogs = nullptr, QObject* parent = nullptr);
    ~KLController() override;

    KLMainWindow* window() const;

    // Applies the preferences, loads the first template, selects the template
    // mode, lays the libraries out and shows the what's-new window; run once
    // after the window is shown.
    void applicationDidFinishLaunching();

    // -- Modes and side panel
    int currentIndex() const { return m_currentIndex; }
    // `sender` is one of the three mode buttons; anything else keeps the mode.
    void layoutChanged(QAbstractButton* sender);
    void _selectLayoutIndex(int index);
    // 100–102 layout modes, 200–202 side-panel pages; other tags do nothing.
    void selectView(int tag);
    void tabBarViewDidSelectTag(KLTabBarView* bar, int tag);

    // -- Decorations, given to the canvas of the current mode (corner and
    // shadow to all three).
    void roundCornerClicked(bool on);
    void shadowClicked(bool on);
    void borderDidChanged(KLBorderView* entry);
    void backgroundImageDidChanged(KLBackgroundView* entry);
    // The same with the values the entries carry.
    void applyBorder(int tag, const std::optional<QString>& path);
    void applyBackground(const BackgroundEntry& entry);

    // -- Templates and recent drops
    void layoutFrameChanged(KLImageView* thumbnail);
    // Loads a template into the template canvas, switches to the template
    // mode and refills its cells from the recent drops. Selecting the loaded
    // template again changes nothing.
    void selectTemplate(const QString& path);
    void layoutImageDropped(const kit::Image& image);
    // Oldest first; at most kMaxRecentDrops.
    const std::vector<kit::Image>& droppedImages() const { return m_droppedImages; }
    static constexpr int kMaxRecentDrops = 10;

    // -- Canvas commands
    void newCanvas();
    // Answers whether the main window may close (asks first).
    bool windowShouldClose();
    void addText();

    // -- Windows, help and feedback
    // `byCommand` is false at launch, where a stored "off" keeps it closed.
    void showWhatsNew(bool byCommand);
    void showAbout();
    void quitAbout();
    void showHelpEN();
    void showHelpCN();
    void showFeedback();

    // -- Ratio and zoom (klcontroller_ratio.cpp)
    void updateScaleTitle(double width, double height);
    void lockRatioButton(bool locked);
    // Opens the ratio pop-up, or closes it when it is open.
    void showFrameScale();
    void chooseFrameScale(int tag);
    // Applies `value` (the slider's when absent) as the current mode's zoom.
    void canvasScaleChanged(std::optional<double> value = {});
    void updateCanvasFrame();
    void updateFreeLayoutFrame();
    void updateCombinFrame();
    void updateFrameWithRatioWidth(float ratioWidth, float ratioHeight, int mode);
    void combinViewDidUpdated();
    void windowDidResize();
    void splitViewDidResizeSubviews();
    // Closes the ratio (or style) pop-up if one is open.
    void closePopUp();

    // -- Library commands, photos and export (klcontroller_library.cpp)
    void addNewItem();
    void removeItem();
    void showFilterMenu();
    void chooseFilter(int tag);
    // Asks for photos and gives them to the current canvas.
    void addPhotos();
    // Gives the photos in `files` to the canvas of the current mode as a drop
    // of them would; unreadable files are listed in one message and the
    // others still go in.
    void openPhotos(const QStringList& files);
    void saveCanvas();

    // -- State, for the window's parts and for tests
    KLResourceView* canvas() const { return m_canvas; }
    PlaceholderCanvas* layoutView() const { return m_layoutView; }
    PlaceholderCanvas* combinView() const { return m_combinView; }
    KLCanvasView& canvasOfMode(int mode) const { return *m_canvases[mode]; }
    kit::View* container(int mode) const;
    kit::ViewHost* containerHost(int mode) const { return m_containerHosts[mode]; }
    // The document view's frame in the scroll view, as last computed.
    kit::Rect documentFrame(int mode) const { return m_documentFrames[mode]; }
    float canvasScale(int mode) const { return m_canvasScales[mode]; }
    int currentScaleIndex(int mode) const { return m_currentScaleIndex[mode]; }
    const std::optional<QString>& currentResourceTemplate() const
    {
        return m_currentResourceTemplate;
    }
    const std::optional<BackgroundEntry>& currentBackgroundView(int mode) const
    {
        return m_currentBackgroundView[mode];
    }
    KLResourceListView* resourceListView() const { return m_resourceListView; }
    KLBackgroundListView* backgroundListView() const { return m_backgroundListView; }
    KLBorderListView* borderListView() const { return m_borderListView; }
    KLWhatsNewWindow* whatsNewWindow() const { return m_whatsNewWindow; }
    KLAboutWindow* aboutWindow() const { return m_aboutWindow; }
    KLAttachedWindow* scaleWindow() const { return m_scaleWindow; }
    QWidget* scaleView() const { return m_scaleView; }
    QMenu* filterMenu() const { return m_filterMenu; }
    Dialogs& dialogs() const { return *m_dialogs; }

    // The zoom label's text for a zoom factor.
    static QString zoomLabel(float zoom);
    // The major version ("1" of "1.0.2"); empty without a version.
    static QString majorVersion(const QString& version);

    // The support address and the help pages.
    static const char* const kSupportAddress;
    static const char* const kHelpPageEN;
    static const char* const kHelpPageCN;

protected:
    // Follows the sizes of the main scroll view and of the library pages.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Wake-up parts.
    void buildCanvases();
    void buildLibraries();
    void buildRatioView();
    void titleMenuItems();
    void connectControls();
    void observeNotifications();
    void _setupFilterMenu();

    // Shows side-panel page `page` with the buttons that belong to it.
    void showPage(int page);
    void layoutLibraries();
    // Re-sizes a library to its page's width and lays it out.
    void layoutLibrary(int page);
    void scrollLibraryToTop(int page);
    void setDocumentView(int mode);
    void recomputeCurrentFrame();
    void applyDocumentFrame(int mode, const kit::Rect& document);
    // Loads a template into the canvas and takes its ratio; false when the
    // file is missing (nothing changes then).
    bool loadTemplate(const QString& path);
    void refillFromRecentDrops();
    void storeWhatsNewChoice();

    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<KLMainWindow> m_window;

    // Canvases, each in its own document view hosted by its own widget.
    KLResourceView* m_canvas = nullptr;
    PlaceholderCanvas* m_layoutView = nullptr;
    PlaceholderCanvas* m_combinView = nullptr;
    std::array<KLCanvasView*, 3> m_canvases {};
    std::array<kit::ViewHost*, 3> m_containerHosts {};
    std::array<kit::Rect, 3> m_documentFrames {};

    // Libraries, each the root of its page's view host.
    KLResourceListView* m_resourceListView = nullptr;
    KLBackgroundListView* m_backgroundListView = nullptr;
    KLBorderListView* m_borderListView = nullptr;
    std::array<kit::ViewHost*, 3> m_libraryHosts {};

    int m_currentIndex = TemplateMode;
    std::array<float, 3> m_canvasScales { 1.0f, 1.0f, 1.0f };
    std::array<int, 3> m_currentScaleIndex { 0, 0, 0 };
    std::array<std::optional<BackgroundEntry>, 3> m_currentBackgroundView;
    std::optional<QString> m_currentResourceTemplate;
    std::vector<kit::Image> m_droppedImages;

    QPointer<KLWhatsNewWindow> m_whatsNewWindow;
    QPointer<KLAboutWindow> m_aboutWindow;
    QPointer<KLAttachedWindow> m_scaleWindow;
    QWidget* m_scaleView = nullptr; // owned by the main window
    QMenu* m_filterMenu = nullptr; // owned by the main window
    std::vector<kit::Observation> m_observations;
    // Set once the person agreed to quit.
    bool m_terminating = false;
};
