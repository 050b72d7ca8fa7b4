#include "klcontroller.h"

#include "helppages.h"
#include "klmainwindow.h"
#include "klscrollbackview.h"
#include "ratiotable.h"
#include "serial/klcombinview.h"

#include "border/klbackgroundlistview.h"
#include "border/klbackgroundview.h"
#include "border/klborderlistview.h"
#include "border/klborderview.h"
#include "border/klframeborder.h"
#include "freelayout/klfreelayoutview.h"
#include "kit/defaults.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "template/klimageview.h"
#include "template/klresourceitem.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include <QFileInfo>

namespace {

// The canvas frames are first computed when the window has its size; these
// only give the canvases a sensible size before that.
constexpr kit::Rect kInitialCanvasFrame { 20, 20, 400, 300 };

} // namespace

KLController::KLController(std::unique_ptr<Dialogs> dialogs, QObject* parent)
    : QObject(parent), m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>()),
      m_window(std::make_unique<KLMainWindow>())
{
    m_window->titleMenuItems(kit::localized("CFBundleDisplayName"));
    m_window->setFeedbackShown(!helppages::issuesPage().isEmpty());
    m_window->showLayoutMode(Mode::Template);
    m_window->setZoom(1.0, maximumZoom(Mode::Template), zoomLabel(1.0f));

    m_libraries = std::make_unique<KLLibraryPane>(*m_window, *m_dialogs);
    m_export = std::make_unique<KLExportCommand>(*m_dialogs, *m_window);
    m_styles = std::make_unique<KLStyleCommands>(*m_window, *m_dialogs, m_scaleWindow);
    m_print = std::make_unique<KLPrintCommand>(*m_dialogs, *m_window);
    buildCanvases();
    buildRatioView();
    m_documents = std::make_unique<KLDocumentCommands>(*this, *m_window, *m_dialogs);
    m_autosave = std::make_unique<KLAutosave>(*m_documents, *m_dialogs, *m_window);
    observeNotifications();
    connectWindow();
    m_window->showPage(Page::Templates);
    m_media = std::make_unique<KLMediaPane>(*m_window, KLMediaBrowserHost::Setup::forSession());
    m_media->loadLibraryView();
}

KLController::~KLController()
{
    // Observers first: nothing may reach a half-destroyed controller.
    m_observations.clear();
    m_autosave.reset();
    m_documents.reset();
    m_styles.reset();
}

KLMainWindow* KLController::window() const
{
    return m_window.get();
}

kit::View* KLController::container(Mode mode) const
{
    return m_modes[mode].host->viewWindow()->rootView();
}

void KLController::buildCanvases()
{
    auto host = [this](std::unique_ptr<KLScrollBackView> back, KLCanvasView* canvas, Mode mode) {
        auto window = std::make_unique<kit::Window>();
        window->setRootView(std::move(back));
        auto* h = new kit::ViewHost(std::move(window), m_window.get());
        h->hide();
        m_modes[mode].host = h;
        m_modes[mode].canvas = canvas;
    };

    auto canvasBack = std::make_unique<KLScrollBackView>(kit::Rect { 0, 0, 200, 200 });
    m_canvas = canvasBack->addSubview(std::make_unique<KLResourceView>(kInitialCanvasFrame));
    host(std::move(canvasBack), m_canvas, Mode::Template);

    auto layoutBack = std::make_unique<KLScrollBackView>(kit::Rect { 0, 0, 200, 200 });
    m_layoutView = layoutBack->addSubview(std::make_unique<KLFreeLayoutView>(kInitialCanvasFrame));
    host(std::move(layoutBack), m_layoutView, Mode::FreeLayout);

    auto combinBack = std::make_unique<KLScrollBackView>(kit::Rect { 0, 0, 200, 200 });
    m_combinView = combinBack->addSubview(std::make_unique<KLCombinView>(kInitialCanvasFrame));
    host(std::move(combinBack), m_combinView, Mode::Serial);

    // A dropped file that is no photo is told, as one chosen with Add Photos
    // is; so is a drop refused for another reason.
    for (Mode mode : kModes) {
        m_modes[mode].canvas->onUnreadablePhotos = [this](const QStringList& failures) {
            reportUnreadablePhotos(failures);
        };
        m_modes[mode].canvas->onDropRefused = [this](const QString& reason) {
            m_window->showMessage(reason);
        };
    }

    m_window->showDocument(m_modes[Mode::Template].host);
    backgroundListView()->onThumbnailLoaded = [this](KLThumbnailView* entry) {
        if (auto* background = dynamic_cast<KLBackgroundView*>(entry))
            backgroundPictureArrived(background->entry());
    };
}

void KLController::connectWindow()
{
    KLMainWindow* w = m_window.get();
    connect(w, &KLMainWindow::layoutModeChosen, this, &KLController::layoutChanged);
    connect(w, &KLMainWindow::zoomChosen, this, [this](double v) { canvasScaleChanged(v); });
    connect(w, &KLMainWindow::ratioListRequested, this, &KLController::showFrameScale);
    connect(w, &KLMainWindow::styleListRequested, m_styles.get(), &KLStyleCommands::showStyleView);
    connect(w, &KLMainWindow::cornerToggled, this, &KLController::roundCornerToggled);
    connect(w, &KLMainWindow::shadowToggled, this, &KLController::shadowToggled);
    connect(w, &KLMainWindow::zoomInRequested, this, &KLController::zoomIn);
    connect(w, &KLMainWindow::zoomOutRequested, this, &KLController::zoomOut);
    connect(w, &KLMainWindow::zoomToFitRequested, this, &KLController::zoomToFit);
    connect(w, &KLMainWindow::addTextRequested, this, &KLController::addText);
    connect(w, &KLMainWindow::saveRequested, this, &KLController::saveCanvas);
    connect(w, &KLMainWindow::printRequested, this, &KLController::printCanvas);
    connect(w, &KLMainWindow::printPreviewRequested, this, &KLController::previewPrint);
    connect(w, &KLMainWindow::pdfExportRequested, this, &KLController::exportPdf);
    connect(w, &KLMainWindow::newCanvasRequested, this, &KLController::newCanvas);
    connect(w, &KLMainWindow::addPhotosRequested, this, &KLController::addPhotos);
    KLDocumentCommands* d = m_documents.get();
    connect(w, &KLMainWindow::newDocumentRequested, d, &KLDocumentCommands::newDocument);
    connect(w, &KLMainWindow::openRequested, d, &KLDocumentCommands::open);
    connect(w, &KLMainWindow::openRecentRequested, d, &KLDocumentCommands::openFile);
    connect(w, &KLMainWindow::clearRecentRequested, d, &KLDocumentCommands::clearRecentDocuments);
    connect(w, &KLMainWindow::saveDocumentRequested, d, &KLDocumentCommands::save);
    connect(w, &KLMainWindow::saveAsRequested, d, &KLDocumentCommands::saveAs);
    connect(w, &KLMainWindow::saveCopyRequested, d, &KLDocumentCommands::saveCopyWithPhotos);
    connect(w, &KLMainWindow::viewCommand, this, &KLController::selectView);
    connect(w, &KLMainWindow::pageChosen, this, &KLController::tabBarViewDidSelectTag);
    connect(w, &KLMainWindow::addItemRequested, m_libraries.get(), &KLLibraryPane::addNewItem);
    connect(w, &KLMainWindow::removeItemRequested, this, &KLController::removeItem);
    connect(w, &KLMainWindow::filterRequested, m_libraries.get(), &KLLibraryPane::showFilterMenu);
    connect(w, &KLMainWindow::whatsNewRequested, this, [this] { showWhatsNew(true); });
    connect(w, &KLMainWindow::helpRequested, this, &KLController::showHelp);
    connect(w, &KLMainWindow::feedbackRequested, this, &KLController::showFeedback);
    connect(w, &KLMainWindow::aboutRequested, this, &KLController::showAbout);
    connect(w, &KLMainWindow::resized, this, &KLController::windowDidResize);
    connect(w, &KLMainWindow::canvasAreaResized, this, &KLController::recomputeCurrentFrame);
    connect(w, &KLMainWindow::dividerMoved, this, &KLController::splitViewDidResizeSubviews);
    w->shouldClose = [this] {
        return windowShouldClose();
    };
}

void KLController::observeNotifications()
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    auto observe = [&](const auto& name, auto handler) {
        m_observations.push_back(centre.addObserver(name, std::move(handler)));
    };
    observe(kit::kLayoutItemSelected, [this](KLImageView* thumbnail) {
        if (thumbnail)
            layoutFrameChanged(thumbnail);
    });
    observe(kit::kLayoutImageDropped,
            [this](const kit::Image& image) { layoutImageDropped(image); });
    observe(kit::kBorderItemSelected, [this](KLBorderView* entry) {
        if (entry)
            borderDidChanged(entry);
    });
    observe(kit::kBackgroundItemSelected, [this](KLBackgroundView* entry) {
        if (entry)
            backgroundImageDidChanged(entry);
    });
    observe(kit::kCombinViewUpdated, [this] { combinViewDidUpdated(); });
}

// -- Launch

void KLController::applicationDidFinishLaunching()
{
    kit::Defaults& defaults = kit::Defaults::standard();
    const bool corner = defaults.boolForKey(QStringLiteral("HasCorner")).value_or(false);
    m_window->setCornerChecked(corner);
    roundCornerClicked(corner);
    const bool shadow = defaults.boolForKey(QStringLiteral("HasShadow")).value_or(true);
    m_window->setShadowChecked(shadow);
    shadowClicked(shadow);

    m_window->setFilterTitle(kit::localized("FILTER_ALL"));
    const QStringList templates = resourceListView()->resourcePaths();
    if (!templates.isEmpty() && loadTemplate(templates.front()))
        lockRatioButton(m_canvas->ratioLocked());

    _selectLayoutIndex(Mode::Template);
    m_libraries->setupFilterMenu();
    showPage(Page::Templates);
    m_window->setSidePanelWidth(KLMainWindow::kSidePanelWidth);
    m_libraries->scrollToTop(Page::Templates);
    m_libraries->scrollToTop(Page::Backgrounds);
    m_libraries->layoutAll();
    showWhatsNew(false);
    m_documents->start();
    m_autosave->start();
}

// -- Modes

void KLController::layoutChanged(Mode mode)
{
    m_currentMode = mode;
    m_window->showLayoutMode(mode);
    const kit::Size ratio = ratios::table[current().ratioIndex];
    updateScaleTitle(ratio.width, ratio.height);
    _selectLayoutIndex(mode);
}

void KLController::_selectLayoutIndex(Mode mode)
{
    m_currentMode = mode;
    m_window->showDocument(current().host);
    m_window->setRatioButtonShown(mode != Mode::Serial);
    if (mode == Mode::Template)
        lockRatioButton(m_canvas->ratioLocked());
    else if (mode == Mode::FreeLayout)
        lockRatioButton(false);

    // A document may give each mode its own corners and shadow.
    m_window->setCornerChecked(current().canvas->hasCorner());
    m_window->setShadowChecked(current().canvas->hasShadow());
    m_window->setTemplatesTabShown(mode == Mode::Template);
    showPage(mode == Mode::Template ? Page::Templates : Page::Backgrounds);
    canvasScaleChanged(current().zoom);
    m_libraries->layoutAll();
    markLibraries();
}

void KLController::selectView(int tag)
{
    for (Mode mode : kModes) {
        if (tag == tags::layoutModeTag(mode))
            return layoutChanged(mode);
    }
    for (Page page : kPages) {
        if (tag != tags::pageTag(page))
            continue;
        // The template page exists only in the template mode.
        if (page == Page::Templates && m_currentMode != Mode::Template)
            return;
        return showPage(page);
    }
}

void KLController::tabBarViewDidSelectTag(Page page)
{
    showPage(page);
}

void KLController::showPage(Page page)
{
    m_window->showPage(page);
    m_libraries->layout(page);
}

// -- Decorations

void KLController::roundCornerClicked(bool on)
{
    for (Mode mode : kModes)
        m_modes[mode].canvas->_setHasCorner(on);
}

void KLController::shadowClicked(bool on)
{
    for (Mode mode : kModes)
        m_modes[mode].canvas->_setHasShadow(on);
}

void KLController::roundCornerToggled(bool on)
{
    kit::Defaults& defaults = kit::Defaults::standard();
    defaults.set(QStringLiteral("HasCorner"), on);
    defaults.synchronize();
    roundCornerClicked(on);
}

void KLController::shadowToggled(bool on)
{
    kit::Defaults& defaults = kit::Defaults::standard();
    defaults.set(QStringLiteral("HasShadow"), on);
    defaults.synchronize();
    shadowClicked(on);
}

void KLController::borderDidChanged(KLBorderView* entry)
{
    applyBorder(entry->tag(), entry->path());
}

void KLController::applyBorder(int tag, const std::optional<QString>& path)
{
    // The entry with tag 0 stands for no border.
    const std::optional<QString> file = tag > 0 ? path : std::nullopt;
    // A file that no longer reads as a border (changed since the library
    // listed it) is refused; the canvas keeps what it shows.
    if (file && !KLFrameBorder::initWithBorderFile(*file)) {
        m_window->showMessage(kit::localized("BORDER_UNREADABLE").arg(QFileInfo(*file).fileName()));
        return;
    }
    current().canvas->_setFrameBorder(file);
    markLibraries();
}

void KLController::backgroundImageDidChanged(KLBackgroundView* entry)
{
    applyBackground(entry->entry());
}

void KLController::applyBackground(const BackgroundEntry& entry)
{
    if (entry.isPicture()) {
        current().background = entry;
    } else {
        current().background.reset();
        m_window->setCornerButtonShown(true);
    }
    current().canvas->_setBackgroundView(entry);
    markLibraries();
}

void KLController::backgroundPictureArrived(const BackgroundEntry& entry)
{
    for (Mode mode : kModes) {
        ModeState& state = m_modes[mode];
        const std::optional<BackgroundEntry>& shown = state.canvas->backgroundView();
        if (!shown || !(*shown == entry) || !shown->image.isNull())
            continue;
        state.canvas->_setBackgroundView(entry);
        if (state.background && *state.background == entry)
            state.background = entry;
    }
}

void KLController::markLibraries()
{
    resourceListView()->markFile(m_currentResourceTemplate.value_or(QString()));
    const KLCanvasView& canvas = *current().canvas;
    // No choice shows plain white, the first entry.
    const std::optional<BackgroundEntry>& background = canvas.backgroundView();
    backgroundListView()->markFile(background ? background->path
                                              : backgroundListView()->resourcePaths().value(0));
    borderListView()->markFile(canvas.frameBorderPath().value_or(KLBorderView::kNoBorderPath));
}

// -- Templates and recent drops

void KLController::layoutFrameChanged(KLImageView* thumbnail)
{
    selectTemplate(thumbnail->path());
}

bool KLController::loadTemplate(const QString& path)
{
    QString error;
    if (!m_canvas->loadResourceFromPath(path, &error) && !QFileInfo::exists(path)) {
        kit::log(kit::lcApp(), QStringLiteral("Cannot load template '%1': %2").arg(path, error));
        return false;
    }
    // A malformed template still becomes the current one (its canvas is
    // empty), so that it can be removed.
    m_currentResourceTemplate = path;
    const kit::Size declared = m_canvas->frameSize();
    ModeState& state = m_modes[Mode::Template];
    state.ratioIndex = ratios::indexForSize(declared.width, declared.height);
    if (m_currentMode == Mode::Template)
        m_window->setRatioTitle(ratios::title(state.ratioIndex));
    return true;
}

void KLController::selectTemplate(const QString& path)
{
    if (m_currentResourceTemplate && *m_currentResourceTemplate == path)
        return;
    if (!loadTemplate(path))
        return;
    lockRatioButton(m_canvas->ratioLocked());
    layoutChanged(Mode::Template);
    refillFromRecentDrops();
    markLibraries();
}

void KLController::refillFromRecentDrops()
{
    const auto& cells = m_canvas->items();
    const size_t n = m_droppedImages.size(), c = cells.size();
    if (n == 0 || c == 0)
        return;
    // The c most recent drops, oldest first; or all of them in the first cells.
    if (n >= c) {
        for (size_t i = 0; i < c; ++i)
            cells[i]->_setImage(m_droppedImages[n - c + i]);
    } else {
        for (size_t i = 0; i < n; ++i)
            cells[i]->_setImage(m_droppedImages[i]);
    }
    m_canvas->setNeedsDisplay();
}

void KLController::layoutImageDropped(const kit::Image& image)
{
    m_droppedImages.push_back(image);
    if (m_droppedImages.size() > size_t(kMaxRecentDrops))
        m_droppedImages.erase(m_droppedImages.begin());
}
