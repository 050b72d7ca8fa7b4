#include "kllibrarypane.h"

#include "dialogs.h"
#include "klmainwindow.h"

#include "border/klbackgroundlistview.h"
#include "border/klborderlistview.h"
#include "kit/localisation.h"
#include "kit/viewhost.h"
#include "kit/window.h"
#include "template/klresourcelistview.h"

#include <cmath>

#include <QActionGroup>
#include <QDir>
#include <QFont>
#include <QMenu>

namespace {

// The pictures the background library lists, as patterns of an open
// dialog's filter (which tells case on Linux).
QString picturePatterns()
{
    QStringList patterns;
    for (const QString& extension : KLBackgroundListView::pictureExtensions())
        patterns << QStringLiteral("*.") + extension.toLower() << QStringLiteral("*.") + extension;
    return patterns.join(QLatin1Char(' '));
}
// A message about refused files lists at most this many.
constexpr int kMaxListedFiles = 12;
// Library entries slide to their new places over this time.
constexpr int kLibraryAnimationMs = 250;
// The filter menu: every template, or those of 2 to 9 cells.
constexpr int kFilterTags[] = { 0, 2, 3, 4, 5, 6, 7, 8, 9 };

QString filterTitle(int tag)
{
    return kit::localized(tag == 0 ? QStringLiteral("FILTER_ALL")
                                   : QStringLiteral("FILTER_%1").arg(tag));
}

// Lays a library out at once: entries jump to their places when the page
// changes size; only a change of what is listed (a filter) slides them.
template<class Library> void layoutAtOnce(Library& library)
{
    library.setAnimationDuration(0);
    library.layout();
    library.setAnimationDuration(kLibraryAnimationMs);
}

} // namespace

KLLibraryPane::KLLibraryPane(KLMainWindow& window, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_window(window), m_dialogs(dialogs)
{
    auto host = [this](std::unique_ptr<KLGridLibraryView> library, Page page) {
        KLGridLibraryView* view = library.get();
        auto viewWindow = std::make_unique<kit::Window>();
        viewWindow->setRootView(std::move(library));
        auto* h = new kit::ViewHost(std::move(viewWindow));
        m_hosts[int(page)] = h;
        // The host follows the library's height as the grid grows and shrinks.
        view->onFrameSizeChanged = [h](kit::Size size) {
            const QSize s(int(std::ceil(size.width)), int(std::ceil(size.height)));
            if (h->size() != s)
                h->resize(s);
        };
        m_window.setLibrary(page, h);
    };
    auto templates = std::make_unique<KLResourceListView>();
    m_resourceListView = templates.get();
    host(std::move(templates), Page::Templates);
    auto backgrounds = std::make_unique<KLBackgroundListView>();
    m_backgroundListView = backgrounds.get();
    host(std::move(backgrounds), Page::Backgrounds);
    auto borders = std::make_unique<KLBorderListView>();
    m_borderListView = borders.get();
    host(std::move(borders), Page::Borders);

    for (Page page : { Page::Templates, Page::Backgrounds })
        library(page)->onFilesRefused = [this, page](const QStringList& files) {
            reportRefused(page, files);
        };

    connect(&m_window, &KLMainWindow::libraryResized, this, &KLLibraryPane::layout);
}

KLLibraryPane::~KLLibraryPane() = default;

KLGridLibraryView* KLLibraryPane::library(Page page) const
{
    return static_cast<KLGridLibraryView*>(m_hosts[int(page)]->viewWindow()->rootView());
}

void KLLibraryPane::layout(Page page)
{
    // A hidden page's viewport keeps a stale size and its host gets resize
    // events only once shown; its library is laid out when its page shows.
    if (!m_window.isLibraryShown(page))
        return;
    kit::ViewHost* host = m_hosts[int(page)];
    // The library is as wide as its page and at least as tall.
    const QSize visible = m_window.libraryViewportSize(page);
    library(page)->setScrollViewHeight(visible.height());
    host->resize(visible.width(), std::max(host->height(), visible.height()));
    // The library lays its cells out for its own frame: it must be the
    // host's size before the layout, whatever events are still pending.
    host->viewWindow()->setContentSize(kit::Size(host->width(), host->height()));
    switch (page) {
    case Page::Templates:
        layoutAtOnce(*m_resourceListView);
        break;
    case Page::Backgrounds:
        layoutAtOnce(*m_backgroundListView);
        break;
    case Page::Borders:
        layoutAtOnce(*m_borderListView);
        break;
    }
}

void KLLibraryPane::layoutAll()
{
    layout(Page::Backgrounds);
    layout(Page::Templates);
    layout(Page::Borders);
}

void KLLibraryPane::scrollToTop(Page page)
{
    m_window.scrollLibraryToTop(page);
}

// -- Filter

void KLLibraryPane::setupFilterMenu()
{
    if (!m_filterMenu) {
        m_filterMenu = new QMenu(QStringLiteral("Filter"), &m_window);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(12);
        // The filter in force shows checked.
        auto* choices = new QActionGroup(m_filterMenu);
        for (int tag : kFilterTags) {
            QAction* item = m_filterMenu->addAction(filterTitle(tag));
            item->setData(tag);
            item->setFont(font);
            item->setCheckable(true);
            choices->addAction(item);
        }
    }
    m_window.setFilterTitle(filterTitle(0));
    m_resourceListView->_setFilter(0);
    markFilter(0);
}

void KLLibraryPane::markFilter(int tag)
{
    for (QAction* item : m_filterMenu->actions())
        item->setChecked(item->data().toInt() == tag);
}

void KLLibraryPane::showFilterMenu()
{
    if (!m_filterMenu)
        setupFilterMenu();
    const QPoint at = m_window.filterMenuPosition(m_filterMenu->sizeHint());
    if (QAction* chosen = m_dialogs.popUpMenu(*m_filterMenu, at))
        chooseFilter(chosen->data().toInt());
}

void KLLibraryPane::chooseFilter(int tag)
{
    m_window.setFilterTitle(filterTitle(tag));
    m_resourceListView->_setFilter(tag);
    if (m_filterMenu)
        markFilter(tag);
    layout(Page::Templates);
    scrollToTop(Page::Templates);
}

// -- Add

void KLLibraryPane::addNewItem()
{
    const bool templates = m_window.currentPage() == Page::Templates;
    const QString filter = templates
        ? kit::localized("FILE_TYPE_TEMPLATES") + QStringLiteral(" (*.fdd *.FDD)")
        : kit::localized("FILE_TYPE_PICTURES") + QStringLiteral(" (%1)").arg(picturePatterns());
    const QStringList files = m_dialogs.chooseFiles(
        &m_window, kit::localized(templates ? "ADD_TEMPLATES_TITLE" : "ADD_BACKGROUNDS_TITLE"),
        { filter });
    if (files.isEmpty())
        return;
    // The page shown when the choice is confirmed decides the library.
    const Page page =
        m_window.currentPage() == Page::Templates ? Page::Templates : Page::Backgrounds;
    QStringList refused;
    for (const QString& file : files) {
        const bool added = page == Page::Templates
            ? m_resourceListView->addTemplateFromURL(file).has_value()
            : m_backgroundListView->addImageFromURL(file).has_value();
        if (!added)
            refused.append(file);
    }
    if (page == Page::Templates)
        m_resourceListView->load();
    else
        m_backgroundListView->load();
    layout(page);
    if (!refused.isEmpty())
        reportRefused(page, refused);
}

void KLLibraryPane::reportRefused(Page page, const QStringList& files)
{
    QStringList listed;
    for (const QString& file : files.mid(0, kMaxListedFiles))
        listed.append(QDir::toNativeSeparators(file));
    if (files.size() > kMaxListedFiles)
        listed.append(kit::localized("AND_MORE_FILES").arg(files.size() - kMaxListedFiles));
    const char* key = page == Page::Templates ? "TEMPLATES_NOT_ADDED" : "BACKGROUNDS_NOT_ADDED";
    m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"),
                     kit::localized(key) + QStringLiteral("\n\n") + listed.join(QLatin1Char('\n')),
                     kit::localized("BUTTON_OK"));
}
