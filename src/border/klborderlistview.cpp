#include "klborderlistview.h"

#include "kit/animator.h"
#include "kit/folders.h"
#include "kit/logging.h"

#include <QFileInfo>

namespace {

const QStringList kBorderExtensions { QStringLiteral("BDR") };

// Decodes the levels a 64-point cell draws on 1× and 2× screens, so that
// the main thread only draws.
void warm(const kit::Image& image)
{
    image.pixels(QSize(128, 128));
    image.pixels(QSize(64, 64));
}

} // namespace

KLBorderListView::KLBorderListView(const kit::Rect& frame) : KLGridLibraryView(frame)
{
    load();
    layout();
}

KLBorderListView::~KLBorderListView() = default;

void KLBorderListView::removeAllEntries()
{
    for (KLBorderView* view : m_imgViews)
        view->removeFromSuperview(); // the returned owner destroys it
    m_imgViews.clear();
    // Thumbnails still on their way belong to the views just removed.
    ++m_generation;
}

void KLBorderListView::load()
{
    using kit::Folders;
    const QString app = Folders::resourceFolder(kit::LibraryFolder::Borders);
    const QString user = Folders::userFolder(kit::LibraryFolder::Borders);

    m_resourcePaths.clear();
    removeAllEntries();

    if (QFileInfo(user).isDir()) {
        kit::log(kit::lcLibrary(), QStringLiteral("Copy border file..."));
        for (const QString& relative : Folders::walk(app)) {
            const QString target = user + u'/' + relative;
            if (!Folders::exists(target))
                Folders::copyItem(app + u'/' + relative, target);
        }
    } else {
        kit::log(kit::lcLibrary(), QStringLiteral("Local not exists:%1").arg(user));
        Folders::copyItem(app, user);
    }
    loadBorderFromPath(app);
}

void KLBorderListView::loadBorderFromPath(const QString& folder)
{
    kit::log(kit::lcLibrary(), QStringLiteral("Load border file from '%1'.").arg(folder));
    QStringList paths { KLBorderView::kNoBorderPath };
    for (const QString& relative : kit::Folders::walkFiles(folder, kBorderExtensions))
        paths.append(folder + u'/' + relative);
    m_resourcePaths = paths;
}

void KLBorderListView::setResourcePaths(const QStringList& paths)
{
    removeAllEntries();
    m_resourcePaths = paths;
}

std::optional<kit::Image> KLBorderListView::thumbnailForPath(const QString& path)
{
    std::optional<kit::Image> image;
    if (path == KLBorderView::kNoBorderPath) {
        image = kit::Image::load(kit::Folders::resourcePath(QStringLiteral("B-0.png")));
    } else {
        const QFileInfo info(path);
        const QString name = info.fileName();
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString thumbnail =
            info.absolutePath() + u'/' + (dot > 0 ? name.left(dot) : name) + QStringLiteral(".png");
        image = kit::Folders::exists(thumbnail)
            ? kit::Image::load(thumbnail)
            : kit::Image::load(kit::Folders::resourcePath(QStringLiteral("images/white.png")));
    }
    if (image)
        warm(*image);
    return image;
}

void KLBorderListView::layout()
{
    const bool create = m_imgViews.empty();
    const int n = int(m_resourcePaths.size());
    const std::optional<Grid> grid = gridFor(n);
    if (!grid)
        return;
    setFrameOrigin({ 0, 0 });
    setContentSize(*grid);

    kit::Animator::Targets moves;
    for (int i = 0; i < n; ++i) {
        const kit::Rect cell = cellFrame(*grid, i);
        if (!create) {
            if (i < int(m_imgViews.size()))
                moves.emplace_back(m_imgViews[size_t(i)], cell);
            continue;
        }
        auto view = std::make_unique<KLBorderView>(cell);
        view->setTag(i);
        view->setPath(m_resourcePaths[i]);
        m_imgViews.push_back(addSubview(std::move(view)));
    }
    if (!moves.empty())
        kit::Animator::shared().animate(moves, m_animationMs);

    if (!create || n == 0)
        return;
    for (int i = 0; i < n; ++i) {
        const QString path = m_resourcePaths[i];
        const kit::ViewRef entry(m_imgViews[size_t(i)]);
        const int generation = m_generation;
        runInBackground<std::optional<kit::Image>>(
            [path] { return thumbnailForPath(path); },
            [this, entry, generation](std::optional<kit::Image> image) {
                if (generation != m_generation || !image)
                    return;
                if (auto* view = static_cast<KLBorderView*>(entry.get()))
                    view->_setImage(*image);
            });
    }
}
