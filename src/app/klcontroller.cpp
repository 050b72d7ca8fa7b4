#include "klcontroller.h"

#include "klaboutwindow.h"
#include "klmainwindow.h"
#include "klscrollbackview.h"
#include "klwhatsnewwindow.h"
#include "placeholdercanvas.h"
#include "ratiotable.h"

#include "border/klbackgroundlistview.h"
#include "border/klborderlistview.h"
#include "chrome/kllinklabel.h"
#include "chrome/kltabbarview.h"
#include "chrome/kltitlebargroup.h"
#include "kit/defaults.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "template/klresourceitem.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include <algorithm>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QUrl>

const char* const KLController::kSupportAddress = "support@tessera-collage.org";
const char* const KLController::kHelpPageEN = "https://tessera-collage.org/help/en/";
const char* const KLController::kHelpPageCN = "https://tessera-collage.org/help/zh-cn/";

namespace {

// The canvas frames are first computed when the window has its size; these
// only give the canvases a sensible size before that.
constexpr kit::Rect kInitialCanvasFrame { 20, 20, 400, 300 };

} // namespace

KLController::KLController(std::unique_ptr<Dialogs> dialogs, QObject* parent)
    : QObject(parent), m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>()),
      m_window(std::make_unique<KLMainWindow>())
{
    titleMenuItems();

    KLTabBarView* bar = m_window->frameBar();
    bar->addItemWithImage(QStringLiteral("Frame"), QStringLiteral("TIP_FRAME"), 0);
    bar->addItemWithImage(QStringLiteral("photo"), QStringLiteral("TIP_BACKGROUND"), 1);
    bar->addItemWithImage(QStringLiteral("border"), QStringLiteral("TIP_BORDER"), 2);
    bar->layoutSubview();
    bar->selectItemWithIndex(0);
    bar->update();

    KLTitleBarGroup* group = m_window->titlebarView();
    group->setSelectedMode(TemplateMode);
    group->setZoomRange(1.0, 3.0);
    group->setZoomValue(1.0);

    buildCanvases();
    buildLibraries();
    buildRatioView();
    observeNotifications();
    connectControls();
    m_window->frameTabView()->setCurrentIndex(0);
}

KLController::~KLController()
{
    // Observers first: nothing may reach a half-destroyed controller.
    m_observations.clear();
}

KLMainWindow* KLController::window() const
{
    return m_window.get();
}

kit::View* KLController::container(int mode) const
{
    return m_containerHosts[mode]->viewWindow()->rootView();
}

void KLController::titleMenuItems()
{
    const QString name = kit::localized("CFBundleDisplayName");
    const auto& actions = m_window->actions();
    actions.about->setText(kit::localized("ABOUT_MENU_ITEM").arg(name));
    actions.hide->setText(kit::localized("HIDE_MENU_ITEM").arg(name));
    actions.quit->setText(kit::localized("QUIT_MENU_ITEM").arg(name));
    actions.helpEN->setText(kit::localized("HELP_MENU_ITEM").arg(name));
    actions.helpCN->setText(kit::localized("HELP_CN_MENU_ITEM").arg(name));
}

void KLController::buildCanvases()
{
    auto host = [this](std::unique_ptr<KLScrollBackView> back, int mode) {
        auto window = std::make_unique<kit::Window>();
        window->setRootView(std::move(back));
        auto* h = new kit::ViewHost(std::move(window), m_window.get());
        h->hide();
        m_containerHosts[mode] = h;
    };

    auto canvasBack = std::make_unique<KLScrollBackView>(kit::Rect { 0, 0, 200, 200 });
    m_canvas = canvasBack->addSubview(std::make_unique<KLResourceView>(kInitialCanvasFrame));
    host(std::move(canvasBack), TemplateMode);

    auto layoutBack = std::make_unique<KLScrollBackView>(kit::Rect { 0, 0, 200, 200 });
    m_layoutView = layoutBack->addSubview(std::make_unique<PlaceholderCanvas>(
        PlaceholderCanvas::Kind::FreeLayout, kInitialCanvasFrame));
    host(std::move(layoutBack), FreeLayoutMode);

    auto combinBack = std::make_unique<KLScrollBackView>(kit::Rect { 0, 0, 200, 200 });
    m_combinView = combinBack->addSubview(
        std::make_unique<PlaceholderCanvas>(PlaceholderCanvas::Kind::Serial, kInitialCanvasFrame));
    host(std::move(combinBack), SerialMode);

    m_canvases = { m_canvas, m_layoutView, m_combinView };

    QScrollArea* scroll = m_window->scrollView();
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->installEventFilter(this);
    setDocumentView(TemplateMode);
}

void KLController::connectControls()
{
    KLTitleBarGroup* group = m_window->titlebarView();
    connect(group, &KLTitleBarGroup::layoutButtonClicked, this, &KLController::layoutChanged);
    connect(group, &KLTitleBarGroup::zoomValueChanged, this,
            [this](double v) { canvasScaleChanged(v); });
    connect(group, &KLTitleBarGroup::scaleButtonClicked, this, &KLController::showFrameScale);
    connect(group, &KLTitleBarGroup::roundCornerToggled, this, &KLController::roundCornerClicked);
    connect(group, &KLTitleBarGroup::shadowToggled, this, &KLController::shadowClicked);
    connect(group, &KLTitleBarGroup::addTextClicked, this, &KLController::addText);
    connect(group, &KLTitleBarGroup::saveClicked, this, &KLController::saveCanvas);

    connect(m_window->frameBar(), &KLTabBarView::tabBarViewDidSelectTag, this,
            &KLController::tabBarViewDidSelectTag);
    connect(m_window->addItemButton(), &QPushButton::clicked, this, &KLController::addNewItem);
    connect(m_window->removeItemButton(), &QPushButton::clicked, this, &KLController::removeItem);
    connect(m_window->filterButton(), &QPushButton::clicked, this, &KLController::showFilterMenu);
    connect(m_window->splitView(), &QSplitter::splitterMoved, this,
            &KLController::splitViewDidResizeSubviews);

    const auto& actions = m_window->actions();
    connect(actions.newCanvas, &QAction::triggered, this, &KLController::newCanvas);
    connect(actions.addPhotos, &QAction::triggered, this, &KLController::addPhotos);
    connect(actions.save, &QAction::triggered, this, &KLController::saveCanvas);
    connect(actions.hide, &QAction::triggered, m_window.get(), &QWidget::showMinimized);
    connect(actions.quit, &QAction::triggered, m_window.get(), &QWidget::close);
    for (QAction* view : actions.views) {
        connect(view, &QAction::triggered, this,
                [this, view] { selectView(view->data().toInt()); });
    }
    connect(actions.whatsNew, &QAction::triggered, this, [this] { showWhatsNew(true); });
    connect(actions.helpEN, &QAction::triggered, this, &KLController::showHelpEN);
    connect(actions.helpCN, &QAction::triggered, this, &KLController::showHelpCN);
    connect(actions.feedback, &QAction::triggered, this, &KLController::showFeedback);
    connect(actions.about, &QAction::triggered, this, &KLController::showAbout);

    m_window->shouldClose = [this] {
        return windowShouldClose();
    };
    m_window->didResize = [this] {
        windowDidResize();
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
    KLTitleBarGroup* group = m_window->titlebarView();

    const bool corner = defaults.boolForKey(QStringLiteral("HasCorner")).value_or(false);
    {
        const QSignalBlocker block(group->roundCornerButton());
        group->roundCornerButton()->setChecked(corner);
    }
    roundCornerClicked(corner);
    const bool shadow = defaults.boolForKey(QStringLiteral("HasShadow")).value_or(true);
    {
        const QSignalBlocker block(group->hasShadowButton());
        group->hasShadowButton()->setChecked(shadow);
    }
    shadowClicked(shadow);

    m_window->filterButton()->setText(kit::localized("FILTER_ALL"));
    const QStringList templates = m_resourceListView->resourcePaths();
    if (!templates.isEmpty() && loadTemplate(templates.front()))
        lockRatioButton(m_canvas->ratioLocked());

    _selectLayoutIndex(TemplateMode);
    _setupFilterMenu();
    showPage(0);
    QList<int> sizes = m_window->splitView()->sizes();
    if (sizes.size() == 3) {
        const int total = sizes[0] + sizes[1];
        sizes[0] = KLMainWindow::kSidePanelWidth;
        sizes[1] = std::max(0, total - sizes[0]);
        m_window->splitView()->setSizes(sizes);
    }
    scrollLibraryToTop(0);
    scrollLibraryToTop(1);
    layoutLibraries();
    showWhatsNew(false);
}

// -- Modes

void KLController::layoutChanged(QAbstractButton* sender)
{
    KLTitleBarGroup* group = m_window->titlebarView();
    if (sender == group->layoutButton())
        m_currentIndex = TemplateMode;
    else if (sender == group->freeLayoutButton())
        m_currentIndex = FreeLayoutMode;
    else if (sender == group->serialLayoutButton())
        m_currentIndex = SerialMode;
    group->setSelectedMode(m_currentIndex);
    const kit::Size ratio = ratios::table[m_currentScaleIndex[m_currentIndex]];
    updateScaleTitle(ratio.width, ratio.height);
    _selectLayoutIndex(m_currentIndex);
}

void KLController::_selectLayoutIndex(int index)
{
    if (index < TemplateMode || index > SerialMode)
        return;
    m_currentIndex = index;
    KLTitleBarGroup* group = m_window->titlebarView();
    setDocumentView(index);
    group->setZoomRange(1.0, index == SerialMode ? 5.0 : 3.0);

    group->scaleButton()->setVisible(index != SerialMode);
    // The group takes the width of what it shows, and stays centred.
    group->adjustSize();
    group->centreInParent();
    if (index == TemplateMode)
        lockRatioButton(m_canvas->ratioLocked());
    else if (index == FreeLayoutMode)
        lockRatioButton(false);

    KLTabBarView* bar = m_window->frameBar();
    bar->setItemHidden(0, index != TemplateMode);
    bar->layoutSubview();
    showPage(index == TemplateMode ? 0 : 1);

    canvasScaleChanged(m_canvasScales[index]);
    layoutLibraries();
}

void KLController::setDocumentView(int mode)
{
    QScrollArea* scroll = m_window->scrollView();
    kit::ViewHost* next = m_containerHosts[mode];
    if (scroll->widget() == next)
        return;
    // The scroll area deletes a widget it lets go of with setWidget; take the
    // shown one back first and keep it, hidden, in the window.
    if (QWidget* shown = scroll->takeWidget()) {
        shown->setParent(m_window.get());
        shown->hide();
    }
    scroll->setWidget(next);
    next->show();
}

void KLController::selectView(int tag)
{
    KLTitleBarGroup* group = m_window->titlebarView();
    switch (tag) {
    case 100:
        layoutChanged(group->layoutButton());
        break;
    case 101:
        layoutChanged(group->freeLayoutButton());
        break;
    case 102:
        layoutChanged(group->serialLayoutButton());
        break;
    case 200:
    case 201:
    case 202:
        // The template page exists only in the template mode.
        if (tag == 200 && m_currentIndex != TemplateMode)
            return;
        showPage(tag - 200);
        layoutLibrary(tag - 200);
        break;
    default:
        break;
    }
}

void KLController::tabBarViewDidSelectTag(KLTabBarView* bar, int tag)
{
    if (bar != m_window->frameBar() || tag < 0 || tag > 2)
        return;
    showPage(tag);
    layoutLibrary(tag);
}

void KLController::showPage(int page)
{
    m_window->frameBar()->selectItemWithIndex(page);
    m_window->frameBar()->update();
    m_window->frameTabView()->setCurrentIndex(page);
    // Filtering is for templates; the border library can be neither added to
    // nor removed from.
    m_window->filterButton()->setVisible(page == 0);
    m_window->addItemButton()->setVisible(page != 2);
    m_window->removeItemButton()->setVisible(page != 2);
}

// -- Decorations

void KLController::roundCornerClicked(bool on)
{
    for (KLCanvasView* canvas : m_canvases)
        canvas->_setHasCorner(on);
}

void KLController::shadowClicked(bool on)
{
    for (KLCanvasView* canvas : m_canvases)
        canvas->_setHasShadow(on);
}

void KLController::borderDidChanged(KLBorderView* entry)
{
    applyBorder(entry->tag(), entry->path());
}

void KLController::applyBorder(int tag, const std::optional<QString>& path)
{
    // The entry with tag 0 stands for no border.
    m_canvases[m_currentIndex]->_setFrameBorder(tag > 0 ? path : std::nullopt);
}

void KLController::backgroundImageDidChanged(KLBackgroundView* entry)
{
    applyBackground(entry->entry());
}

void KLController::applyBackground(const BackgroundEntry& entry)
{
    if (entry.isPicture()) {
        m_currentBackgroundView[m_currentIndex] = entry;
    } else {
        m_currentBackgroundView[m_currentIndex].reset();
        m_window->titlebarView()->roundCornerButton()->setVisible(true);
    }
    m_canvases[m_currentIndex]->_setBackgroundView(entry);
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
    m_currentScaleIndex[TemplateMode] = ratios::indexForSize(declared.width, declared.height);
    if (m_currentIndex == TemplateMode)
        m_window->titlebarView()->scaleButton()->setText(
            ratios::title(m_currentScaleIndex[TemplateMode]));
    return true;
}

void KLController::selectTemplate(const QString& path)
{
    if (m_currentResourceTemplate && *m_currentResourceTemplate == path)
        return;
    if (!loadTemplate(path))
        return;
    lockRatioButton(m_canvas->ratioLocked());
    layoutChanged(m_window->titlebarView()->layoutButton());
    refillFromRecentDrops();
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

// -- Canvas commands

void KLController::newCanvas()
{
    const auto choice = m_dialogs->ask(m_window.get(), kit::localized("QUESTION_TITLE"),
                                       kit::localized("NEW_CANVAS"), kit::localized("BUTTON_YES"),
                                       kit::localized("BUTTON_NO"));
    if (choice != Dialogs::Choice::Default)
        return;
    m_canvases[m_currentIndex]->clear();
    windowDidResize();
}

bool KLController::windowShouldClose()
{
    // Quitting closes every window again; the answer was given already.
    if (m_terminating)
        return true;
    const auto choice =
        m_dialogs->ask(m_window.get(), kit::localized("QUESTION_TITLE"), kit::localized("APP_QUIT"),
                       kit::localized("BUTTON_YES"), kit::localized("BUTTON_NO"));
    if (choice != Dialogs::Choice::Default)
        return false;
    m_terminating = true;
    QCoreApplication::quit();
    return true;
}

void KLController::addText()
{
    KLCanvasView& canvas = *m_canvases[m_currentIndex];
    canvas.addTextView(kit::localized("DEFAULT_TEXT"), canvas.textAnchor());
}

// -- Windows, help and feedback

QString KLController::majorVersion(const QString& version)
{
    return version.section(QLatin1Char('.'), 0, 0);
}

void KLController::showWhatsNew(bool byCommand)
{
    const QString major = majorVersion(QCoreApplication::applicationVersion());
    if (major.isEmpty())
        return;
    if (!m_whatsNewWindow) {
        m_whatsNewWindow = new KLWhatsNewWindow(m_window.get());
        connect(m_whatsNewWindow, &QDialog::finished, this, &KLController::storeWhatsNewChoice);
    }
    const std::optional<bool> stored =
        kit::Defaults::standard().boolForKey(QStringLiteral("WhatsNew_%1").arg(major));
    const bool show = stored.value_or(true);
    m_whatsNewWindow->displayWhenStartup()->setChecked(show);
    if (!show && !byCommand)
        return;

    KLWhatsNewWindow* w = m_whatsNewWindow;
    w->loadDocument();
    const QRect main = m_window->frameGeometry();
    w->move(main.topLeft()
            + QPoint((main.width() - w->width()) / 2, (main.height() - w->height()) / 2));
    w->show();
    w->raise();
    w->activateWindow();
}

void KLController::storeWhatsNewChoice()
{
    const QString major = majorVersion(QCoreApplication::applicationVersion());
    if (major.isEmpty() || !m_whatsNewWindow)
        return;
    kit::Defaults& defaults = kit::Defaults::standard();
    defaults.set(QStringLiteral("WhatsNew_%1").arg(major),
                 m_whatsNewWindow->displayWhenStartup()->isChecked());
    defaults.synchronize();
}

void KLController::showAbout()
{
    if (!m_aboutWindow) {
        m_aboutWindow = new KLAboutWindow(m_window.get());
        m_aboutWindow->setWindowTitle(
            kit::localized("ABOUT_MENU_ITEM").arg(kit::localized("CFBundleDisplayName")));
        m_aboutWindow->productNameLabel()->setText(kit::localized("CFBundleDisplayName"));
        m_aboutWindow->feedbackLabel()->setText(QString::fromLatin1(kSupportAddress));
        connect(m_aboutWindow, &KLAboutWindow::feedbackClicked, this, &KLController::showFeedback);
    }
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral("1.0");
    m_aboutWindow->versionLabel()->setText(kit::localized("ABOUT_VERSION").arg(version));
    m_aboutWindow->adjustSize();
    // Centred on the main window, a little above its middle.
    const QRect main = m_window->frameGeometry();
    KLAboutWindow* w = m_aboutWindow;
    w->move(main.topLeft()
            + QPoint((main.width() - w->width()) / 2, (main.height() - w->height()) / 2 - 50));
    w->show();
    w->raise();
    w->activateWindow();
}

void KLController::quitAbout()
{
    if (m_aboutWindow)
        m_aboutWindow->hide();
}

void KLController::showHelpEN()
{
    m_dialogs->openUrl(QUrl(QString::fromLatin1(kHelpPageEN)));
}

void KLController::showHelpCN()
{
    m_dialogs->openUrl(QUrl(QString::fromLatin1(kHelpPageCN)));
}

void KLController::showFeedback()
{
    m_dialogs->openUrl(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kSupportAddress)));
}
