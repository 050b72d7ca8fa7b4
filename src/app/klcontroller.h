#pragma once

// The one controller of the editor window. It builds the window's behaviour
// on top of KLMainWindow: the three layout modes with their canvases, the
// canvas ratio and zoom, the decorations, the side-panel libraries (through
// KLLibraryPane) and their remove command, the new-canvas and quit
// questions, the what's-new and about windows, help and feedback, export
// (through KLExportCommand), captions and text styles (through
// KLStyleCommands), and new photos. It learns what the person did
// on canvases and libraries through the notification centre, and what they
// asked of the window through the window's signals.
//
// Its work is split over several files: klcontroller.cpp (start-up, modes,
// decorations, notifications, templates), klcontroller_ratio.cpp (ratio,
// zoom and frames), klcontroller_commands.cpp (library and canvas commands,
// photos, windows, help).
//
// Per mode the controller keeps the zoom, the ratio index and the user
// background chosen last (ModeState); switching modes never clears a canvas.

#include "dialogs.h"
#include "klaboutwindow.h"
#include "klautosave.h"
#include "kldocumentcommands.h"
#include "klexportcommand.h"
#include "kllibrarypane.h"
#include "klmediapane.h"
#include "klprintcommand.h"
#include "klstylecommands.h"
#include "klwhatsnewwindow.h"
#include "mode.h"

#include "border/backgroundentry.h"
#include "chrome/klattachedwindow.h"
#include "kit/geometry.h"
#include "kit/image.h"
#include "kit/notificationcenter.h"

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
class KLCombinView;
class KLFreeLayoutView;
class QMenu;
class QWidget;
class QUrl;

namespace kit {
class ViewHost;
class View;
} // namespace kit

class KLController : public QObject
{
    Q_OBJECT

public:
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
    Mode currentMode() const { return m_currentMode; }
    // Switches to `mode`: its ratio, zoom, canvas and pages.
    void layoutChanged(Mode mode);
    void _selectLayoutIndex(Mode mode);
    // View menu commands: tags::layoutModeTag and tags::pageTag; the
    // templates page only in the template mode; other tags do nothing.
    void selectView(int tag);
    // The person pressed a page's tab.
    void tabBarViewDidSelectTag(Page page);

    // -- Decorations. Corner and shadow go to all three canvases, a border
    // and a background to the canvas of the current mode.
    void roundCornerClicked(bool on);
    void shadowClicked(bool on);
    // The person's toggles: stored as "HasCorner" and "HasShadow" for the
    // next start, then applied.
    void roundCornerToggled(bool on);
    void shadowToggled(bool on);
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

    // -- Canvas and library commands (klcontroller_commands.cpp)
    void newCanvas();
    // Answers whether the main window may close (asks first).
    bool windowShouldClose();
    void addText();
    // Removes the chosen user background or the loaded template, asking first.
    void removeItem();
    // Asks for photos and gives them to the current canvas.
    void addPhotos();
    // Gives the photos in `files` to the canvas of the current mode as
    // File ▸ Add Photos does (the photos given on the command line come
    // this way too); unreadable files are named in the window's message and
    // the others still go in. In the template mode the photos fill the
    // empty cells first (KLResourceView::placePhotos), and those that found
    // no cell join the recent drops, as the window's message says, so that
    // a template with more cells shows them.
    void openPhotos(const QStringList& files);
    // Names photo files that could not be read in the window's message (one
    // line each, at most kMaxListedFiles of them).
    void reportUnreadablePhotos(const QStringList& failures);
    static constexpr int kMaxListedFiles = 12;
    void saveCanvas();
    // The collage of the current mode printed, previewed or written as a
    // PDF page (KLPrintCommand).
    void printCanvas();
    void previewPrint();
    void exportPdf();

    // -- The collage as a document (klcontroller_document.cpp)
    KLDocumentCommands& documents() const { return *m_documents; }
    KLAutosave& autosave() const { return *m_autosave; }
    // A mode takes the ratio (an index into the ratio table) or zoom a
    // document gives it; the mode shown is laid out again.
    void setModeRatio(Mode mode, int index);
    void setModeZoom(Mode mode, float zoom);
    // The template canvas holds the template a document gave it.
    void templateLoadedFromDocument();
    // Undo or redo gave the canvases another state: the corner and shadow
    // check boxes and the libraries' marks show the current mode's again.
    void collageRestored();

    // -- Windows, help and feedback (klcontroller_commands.cpp)
    // `byCommand` is false at launch, where a stored "off" keeps it closed.
    void showWhatsNew(bool byCommand);
    void showAbout();
    void quitAbout();
    // The shipped help pages in `language` ("en", "zh_CN"; the English ones
    // for a language that has none). A message says so when no page is
    // installed or nothing on the system opens it.
    void showHelp(const QString& language);
    // The project's issue page; nothing when the build names none (the menu
    // entry is hidden then).
    void showFeedback();

    // -- Ratio and zoom (klcontroller_ratio.cpp)
    void updateScaleTitle(double width, double height);
    void lockRatioButton(bool locked);
    // Opens the ratio pop-up, or closes it when it is open.
    void showFrameScale();
    void chooseFrameScale(int tag);
    // Applies `value` (the slider's when absent) as the current mode's zoom.
    void canvasScaleChanged(std::optional<double> value = {});
    // View ▸ Zoom In and Zoom Out: to the next step of kZoomStep up or down,
    // within the slider's range; Fit: back to 1.
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    static constexpr double kZoomStep = 0.25;
    void updateCanvasFrame();
    void updateFreeLayoutFrame();
    void updateCombinFrame();
    void updateFrameWithRatioWidth(float ratioWidth, float ratioHeight, Mode mode);
    void combinViewDidUpdated();
    void windowDidResize();
    void splitViewDidResizeSubviews();
    // Closes the ratio (or style) pop-up if one is open.
    void closePopUp();

    // -- State, for the window's parts and for tests
    KLResourceView* canvas() const { return m_canvas; }
    KLFreeLayoutView* layoutView() const { return m_layoutView; }
    KLCombinView* combinView() const { return m_combinView; }
    KLCanvasView& canvasOfMode(Mode mode) const { return *m_modes[mode].canvas; }
    const ModeState& modeState(Mode mode) const { return m_modes[mode]; }
    kit::View* container(Mode mode) const;
    const std::optional<QString>& currentResourceTemplate() const
    {
        return m_currentResourceTemplate;
    }
    KLLibraryPane& libraries() const { return *m_libraries; }
    KLMediaPane& media() const { return *m_media; }
    // The caption settings panel and the text style commands.
    KLStyleCommands& styles() const { return *m_styles; }
    KLResourceListView* resourceListView() const { return m_libraries->resourceListView(); }
    KLBackgroundListView* backgroundListView() const { return m_libraries->backgroundListView(); }
    KLBorderListView* borderListView() const { return m_libraries->borderListView(); }
    KLWhatsNewWindow* whatsNewWindow() const { return m_whatsNewWindow; }
    KLAboutWindow* aboutWindow() const { return m_aboutWindow; }
    KLAttachedWindow* scaleWindow() const { return m_scaleWindow; }
    QWidget* scaleView() const { return m_scaleView; }
    Dialogs& dialogs() const { return *m_dialogs; }

    // The zoom label's text for a zoom factor.
    static QString zoomLabel(float zoom);
    // The major version ("1" of "1.0.2"); empty without a version.
    static QString majorVersion(const QString& version);

private:
    // Wake-up parts.
    void buildCanvases();
    void buildRatioView();
    void connectWindow();
    void observeNotifications();

    // Shows side-panel page `page` and lays its library out.
    void showPage(Page page);
    void recomputeCurrentFrame();
    void applyDocumentFrame(Mode mode, const kit::Rect& document);
    // Loads a template into the canvas and takes its ratio; false when the
    // file is missing (nothing changes then).
    bool loadTemplate(const QString& path);
    void refillFromRecentDrops();
    // Marks the loaded template and the border and background of the
    // current mode's canvas in their libraries.
    void markLibraries();
    // A background picture that arrived after it was chosen reaches the
    // canvases that show its entry.
    void backgroundPictureArrived(const BackgroundEntry& entry);
    void storeWhatsNewChoice();
    // Opens `url`, or says that nothing on the system can.
    void openUrlOrSay(const QUrl& url);
    // Says that a library item's file could not be deleted and so stays.
    void informDeleteFailed(const QString& path);
    ModeState& current() { return m_modes[m_currentMode]; }
    // The current mode's ratio (width, height); the serial column's is its
    // content's, as (ratio, 1).
    kit::Size currentRatio() const;

    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<KLMainWindow> m_window;
    std::unique_ptr<KLLibraryPane> m_libraries;
    std::unique_ptr<KLExportCommand> m_export;
    std::unique_ptr<KLMediaPane> m_media;
    std::unique_ptr<KLStyleCommands> m_styles;
    std::unique_ptr<KLPrintCommand> m_print;
    std::unique_ptr<KLDocumentCommands> m_documents;
    std::unique_ptr<KLAutosave> m_autosave;

    // Canvases, each in its own document view hosted by its own widget.
    KLResourceView* m_canvas = nullptr;
    KLFreeLayoutView* m_layoutView = nullptr;
    KLCombinView* m_combinView = nullptr;

    Mode m_currentMode = Mode::Template;
    ModeStates m_modes;
    std::optional<QString> m_currentResourceTemplate;
    std::vector<kit::Image> m_droppedImages;

    QPointer<KLWhatsNewWindow> m_whatsNewWindow;
    QPointer<KLAboutWindow> m_aboutWindow;
    QPointer<KLAttachedWindow> m_scaleWindow;
    QWidget* m_scaleView = nullptr; // owned by the main window
    std::vector<kit::Observation> m_observations;
    // Set once the person agreed to quit.
    bool m_terminating = false;
};
