// KLController: the side-panel libraries (hosting, layout, the add, remove
// and filter commands), new photos for the canvases, and export.

#include "klcontroller.h"

#include "exportrunner.h"
#include "exportsettings.h"
#include "klexportpanel.h"
#include "klmainwindow.h"
#include "placeholdercanvas.h"
#include "ratiotable.h"

#include "border/klbackgroundlistview.h"
#include "border/klborderlistview.h"
#include "chrome/kltabbarview.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "template/klresourcelistview.h"
#include "template/klresourceview.h"

#include <cmath>

#include <QFont>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// Picture types the background library lists, as an open dialog filter.
const char* const kPicturePatterns = "*.png *.jpg *.jpeg *.bmp *.tiff *.tif "
                                     "*.PNG *.JPG *.JPEG *.BMP *.TIFF *.TIF";
// Photos any canvas takes.
const char* const kPhotoPatterns = "*.png *.jpg *.jpeg *.bmp *.tiff *.tif *.gif *.webp "
                                   "*.PNG *.JPG *.JPEG *.BMP *.TIFF *.TIF *.GIF *.WEBP";
// Library entries slide to their new places over this time.
constexpr int kLibraryAnimationMs = 250;
// An unreadable-photos message lists at most this many names.
constexpr int kMaxListedFiles = 12;

} // namespace

// -- Hosting and layout

void KLController::buildLibraries()
{
    auto host = [this](std::unique_ptr<KLGridLibraryView> library, int page) {
        KLGridLibraryView* view = library.get();
        auto window = std::make_unique<kit::Window>();
        window->setRootView(std::move(library));
        auto* h = new kit::ViewHost(std::move(window));
        m_libraryHosts[page] = h;
        // The host follows the library's height as the grid grows and shrinks.
        view->onFrameSizeChanged = [h](kit::Size size) {
            const QSize s(int(std::ceil(size.width)), int(std::ceil(size.height)));
            if (h->size() != s)
                h->resize(s);
        };
        QScrollArea* area = m_window->pageScrollView(page);
        area->setWidget(h);
        area->viewport()->installEventFilter(this);
    };
    auto templates = std::make_unique<KLResourceListView>();
    m_resourceListView = templates.get();
    host(std::move(templates), 0);
    auto backgrounds = std::make_unique<KLBackgroundListView>();
    m_backgroundListView = backgrounds.get();
    host(std::move(backgrounds), 1);
    auto borders = std::make_unique<KLBorderListView>();
    m_borderListView = borders.get();
    host(std::move(borders), 2);
}

void KLController::layoutLibrary(int page)
{
    if (page < 0 || page > 2 || !m_libraryHosts[page])
        return;
    QScrollArea* area = m_window->pageScrollView(page);
    // A hidden page's viewport keeps a stale size and its host gets resize
    // events only once shown; its library is laid out when its page shows.
    if (!area->isVisible())
        return;
    kit::ViewHost* host = m_libraryHosts[page];
    auto* library = static_cast<KLGridLibraryView*>(host->viewWindow()->rootView());
    // The library is as wide as its page and at least as tall.
    const QSize visible = area->viewport()->size();
    library->setScrollViewHeight(visible.height());
    host->resize(visible.width(), std::max(host->height(), visible.height()));
    // The library lays its cells out for its own frame: it must be the
    // host's size before the layout, whatever events are still pending.
    host->viewWindow()->setContentSize(kit::Size(host->width(), host->height()));
    // Entries jump to their places when the page changes size; only a change
    // of what is listed (a filter) slides them.
    switch (page) {
    case 0:
        m_resourceListView->setAnimationDuration(0);
        m_resourceListView->layout();
        m_resourceListView->setAnimationDuration(kLibraryAnimationMs);
        break;
    case 1:
        m_backgroundListView->setAnimationDuration(0);
        m_backgroundListView->layout();
        m_backgroundListView->setAnimationDuration(kLibraryAnimationMs);
        break;
    default:
        m_borderListView->setAnimationDuration(0);
        m_borderListView->layout();
        m_borderListView->setAnimationDuration(kLibraryAnimationMs);
        break;
    }
}

void KLController::layoutLibraries()
{
    layoutLibrary(1);
    layoutLibrary(0);
    layoutLibrary(2);
}

void KLController::scrollLibraryToTop(int page)
{
    m_window->pageScrollView(page)->verticalScrollBar()->setValue(0);
}

// -- Add and remove

void KLController::addNewItem()
{
    const bool templates = m_window->frameBar()->indexOfSelectedItem() == 0;
    const QString filter = templates
        ? kit::localized("FILE_TYPE_TEMPLATES") + QStringLiteral(" (*.fdd *.FDD)")
        : kit::localized("FILE_TYPE_PICTURES") + QStringLiteral(" (%1)").arg(kPicturePatterns);
    const QStringList files = m_dialogs->chooseFiles(
        m_window.get(), kit::localized(templates ? "ADD_TEMPLATES_TITLE" : "ADD_BACKGROUNDS_TITLE"),
        { filter });
    if (files.isEmpty())
        return;
    // The page shown when the choice is confirmed decides the library.
    if (m_window->frameBar()->indexOfSelectedItem() == 0) {
        for (const QString& file : files)
            m_resourceListView->addTemplateFromURL(file);
        m_resourceListView->load();
        layoutLibrary(0);
    } else {
        for (const QString& file : files)
            m_backgroundListView->addImageFromURL(file);
        m_backgroundListView->load();
        layoutLibrary(1);
    }
}

void KLController::removeItem()
{
    QWidget* parent = m_window.get();
    if (m_window->frameBar()->indexOfSelectedItem() != 0) {
        const std::optional<BackgroundEntry> entry = m_currentBackgroundView[m_currentIndex];
        if (!entry || !entry->isPicture()) {
            m_dialogs->inform(parent, kit::localized("WARNING_TITLE"),
                              kit::localized("CAN_NOT_DELETE_IMAGE"), kit::localized("BUTTON_OK"));
            return;
        }
        const auto choice =
            m_dialogs->ask(parent, kit::localized("QUESTION_TITLE"), kit::localized("DELETE_IMAGE"),
                           kit::localized("BUTTON_NO"), kit::localized("BUTTON_YES"));
        if (choice != Dialogs::Choice::Alternate)
            return;
        for (KLCanvasView* canvas : m_canvases) {
            if (canvas->backgroundView() == *entry)
                canvas->_setBackgroundView(std::nullopt);
        }
        m_backgroundListView->removeView(*entry);
        m_currentBackgroundView[m_currentIndex].reset();
        layoutLibrary(1);
        return;
    }

    if (!m_currentResourceTemplate)
        return;
    if (m_resourceListView->resourcePaths().size() == 1) {
        m_dialogs->inform(parent, kit::localized("WARNING_TITLE"),
                          kit::localized("NO_TEMPLATE_LEFT"), kit::localized("BUTTON_OK"));
        return;
    }
    const auto choice =
        m_dialogs->ask(parent, kit::localized("QUESTION_TITLE"), kit::localized("DELETE_TEMPLATE"),
                       kit::localized("BUTTON_NO"), kit::localized("BUTTON_YES"));
    if (choice != Dialogs::Choice::Alternate)
        return;
    m_resourceListView->removeTemplate(*m_currentResourceTemplate);
    const QStringList remaining = m_resourceListView->resourcePaths();
    m_currentResourceTemplate.reset();
    if (!remaining.isEmpty() && loadTemplate(remaining.front())) {
        // The next template shows at its own ratio and lock at once.
        lockRatioButton(m_canvas->ratioLocked());
        recomputeCurrentFrame();
    }
    layoutLibrary(0);
}

// -- Filter

void KLController::_setupFilterMenu()
{
    if (!m_filterMenu) {
        m_filterMenu = new QMenu(QStringLiteral("Filter"), m_window.get());
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(12);
        for (int tag : { 0, 2, 3, 4, 5, 6, 7, 8, 9 }) {
            const QString key =
                tag == 0 ? QStringLiteral("FILTER_ALL") : QStringLiteral("FILTER_%1").arg(tag);
            QAction* item = m_filterMenu->addAction(kit::localized(key));
            item->setData(tag);
            item->setFont(font);
        }
    }
    m_window->filterButton()->setProperty("tag", 0);
    m_resourceListView->_setFilter(0);
}

void KLController::showFilterMenu()
{
    // The button lies at the bottom of the window: the menu opens upwards
    // from its corner, so that it covers neither the button nor the list.
    QPushButton* button = m_window->filterButton();
    const QPoint at =
        button->mapToGlobal(QPoint(0, 0)) - QPoint(0, m_filterMenu->sizeHint().height());
    if (QAction* chosen = m_dialogs->popUpMenu(*m_filterMenu, at))
        chooseFilter(chosen->data().toInt());
}

void KLController::chooseFilter(int tag)
{
    m_window->filterButton()->setText(kit::localized(
        tag == 0 ? QStringLiteral("FILTER_ALL") : QStringLiteral("FILTER_%1").arg(tag)));
    m_resourceListView->_setFilter(tag);
    layoutLibrary(0);
    scrollLibraryToTop(0);
}

// -- Photos

void KLController::addPhotos()
{
    const QStringList files = m_dialogs->chooseFiles(
        m_window.get(), kit::localized("ADD_PHOTOS_TITLE"),
        { kit::localized("FILE_TYPE_PHOTOS") + QStringLiteral(" (%1)").arg(kPhotoPatterns) });
    if (!files.isEmpty())
        openPhotos(files);
}

void KLController::openPhotos(const QStringList& files)
{
    std::vector<kit::Image> photos;
    QStringList failures;
    for (const QString& file : files) {
        QString reason;
        if (std::optional<kit::Image> photo = kit::Image::load(file, &reason)) {
            photos.push_back(*photo);
        } else {
            kit::log(kit::lcApp(), QStringLiteral("Load image from %1 failed!").arg(file));
            // The reader's reason names the file itself, usually.
            failures.append(reason.contains(file) ? reason
                                                  : QStringLiteral("%1: %2").arg(file, reason));
        }
    }
    m_canvases[m_currentIndex]->addPhotos(photos);
    if (m_currentIndex == SerialMode)
        updateCombinFrame();
    if (failures.isEmpty())
        return;
    QStringList listed = failures.mid(0, kMaxListedFiles);
    if (failures.size() > kMaxListedFiles)
        listed.append(kit::localized("AND_MORE_FILES").arg(failures.size() - kMaxListedFiles));
    m_dialogs->inform(m_window.get(), kit::localized("WARNING_TITLE"),
                      kit::localized("PHOTOS_UNREADABLE") + QStringLiteral("\n\n")
                          + listed.join(QLatin1Char('\n')),
                      kit::localized("BUTTON_OK"));
}

// -- Export

void KLController::saveCanvas()
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kLayoutClearResponder, nullptr);
    closePopUp();

    const int mode = m_currentIndex;
    // The serial canvas's ratio is its content's.
    const kit::Size ratio = mode == SerialMode ? kit::Size(m_combinView->ratio(), 1)
                                               : ratios::table[m_currentScaleIndex[mode]];
    const std::optional<ExportChoice> choice = m_dialogs->runExportPanel(m_window.get(), ratio);
    if (!choice)
        return;
    kit::Size size = choice->outputSize;
    if (mode == SerialMode)
        size = exportsettings::serialOutputSize(choice->outputSize.width, m_combinView->ratio(),
                                                choice->sizeType == exportsettings::Custom);
    if (mode == TemplateMode)
        centre.post(kit::kTextViewUnselected);

    KLCanvasView& canvas = *m_canvases[mode];
    const ExportResult result = exportCanvas(
        canvas,
        [&canvas](const QString& path, kit::ImageFormat format, QString* error) {
            return canvas.saveToURL(path, format, error);
        },
        size, choice->path, choice->format, choice->sizeType, m_window.get());
    if (!result.ok) {
        m_dialogs->inform(m_window.get(), kit::localized("WARNING_TITLE"), result.error,
                          kit::localized("BUTTON_OK"));
        return;
    }
    if (choice->reveal)
        m_dialogs->revealFile(choice->path);
}
