#include "klresourcelistview.h"

#include "klresourceview.h"
#include "templatefile.h"

#include "kit/animator.h"
#include "kit/folders.h"
#include "kit/logging.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QStringList kTemplateExtensions { QStringLiteral("FDD") };

// Thumbnails are shown in 64-point cells; a template declaring an extreme
// ratio (1 by 1000, say) would otherwise ask for a render of 128 × 128000
// pixels. Larger thumbnails are scaled down to this longer side.
constexpr double kMaxThumbnailSide = 1024;

bool isTemplateFile(const QString& fileName)
{
    return kTemplateExtensions.contains(QFileInfo(fileName).suffix().toUpper());
}

} // namespace

KLResourceListView::KLResourceListView(const kit::Rect& frame) : KLGridLibraryView(frame)
{
    load();
    m_filter = 0;
    layout();
    registerForFileDrops(true);
}

KLResourceListView::~KLResourceListView() = default;

int KLResourceListView::itemCount(const QString& path)
{
    return templateCellCount(path);
}

QString KLResourceListView::thumbnailPath(const QString& templatePath)
{
    const QString suffix = QFileInfo(templatePath).suffix();
    return templatePath.left(templatePath.size() - suffix.size()) + QStringLiteral("png");
}

// -- Loading

void KLResourceListView::removeAllEntries()
{
    for (KLImageView* view : m_imgViews)
        view->removeFromSuperview(); // the returned owner destroys it
    m_imgViews.clear();
}

void KLResourceListView::load()
{
    using kit::Folders;
    const QString app = Folders::resourceFolder(kit::LibraryFolder::Templates);
    const QString user = Folders::userFolder(kit::LibraryFolder::Templates);

    removeAllEntries();
    m_resourcePaths.clear();

    if (QFileInfo(user).isDir()) {
        for (const QString& relative : Folders::walk(app)) {
            const QString target = user + u'/' + relative;
            if (Folders::exists(target))
                continue;
            Folders::copyItem(app + u'/' + relative, target);
            kit::log(kit::lcLibrary(),
                     QStringLiteral("Copy new template %1 to %2").arg(relative, target));
        }
    } else {
        Folders::copyItem(app, user);
    }
    m_paths.clear();
    loadTemplateFromPath(user);
}

void KLResourceListView::loadTemplateFromPath(const QString& folder)
{
    // The views follow the list; the next layout rebuilds them.
    removeAllEntries();
    const QString root = QDir::cleanPath(folder);
    for (const QString& relative : kit::Folders::walkFiles(root, kTemplateExtensions)) {
        const QString path = root + u'/' + relative;
        // A broken file would show as a blank tile and could become the
        // start template, with no cell for the person's photos.
        if (const QString problem = templateFileProblem(path); !problem.isEmpty()) {
            kit::log(kit::lcLibrary(),
                     QStringLiteral("Template '%1' is left out: %2").arg(path, problem));
            continue;
        }
        const QString thumbnail = thumbnailPath(path);
        if (!kit::Folders::exists(thumbnail))
            startRender(path, thumbnail);
        m_paths.push_back({ path, itemCount(path) });
    }
    std::stable_sort(
        m_paths.begin(), m_paths.end(),
        [](const TemplateEntry& a, const TemplateEntry& b) { return a.count < b.count; });
    m_resourcePaths.clear();
    for (const TemplateEntry& entry : m_paths)
        m_resourcePaths.append(entry.path);
}

// -- Thumbnails

kit::Size KLResourceListView::thumbnailSize(float w, float h)
{
    if (!(std::isfinite(w) && std::isfinite(h) && w > 0 && h > 0))
        return {};
    double width = 128.0 * w;
    double height = width * h / w;
    if (height > 128) {
        height = 128.0 * h;
        width = w * height / h;
        if (width > 128) {
            height = height - kit::f32((width - 128) * (double(h) / w));
            width = w * height / h;
        }
    }
    return { width, height };
}

void KLResourceListView::updateFrameWithRatioWidth(float w, float h, kit::View* view)
{
    const kit::Size size = thumbnailSize(w, h);
    if (view && !size.isEmpty())
        view->setFrameSize(size);
}

std::optional<kit::Image> KLResourceListView::renderThumbnail(const QString& templatePath,
                                                              const QString& thumbnail)
{
    KLResourceView canvas;
    QString error;
    if (!canvas.loadResourceFromPath(templatePath, &error)) {
        kit::log(kit::lcLibrary(),
                 QStringLiteral("No thumbnail for %1: %2").arg(templatePath, error));
        return std::nullopt;
    }
    const kit::Size declared = canvas.frameSize();
    updateFrameWithRatioWidth(float(declared.width), float(declared.height), &canvas);
    kit::Size size = canvas.bounds().size;
    const double longer = std::max(size.width, size.height);
    if (longer > kMaxThumbnailSide)
        canvas.setFrameSize(size * (kMaxThumbnailSide / longer));
    if (!canvas.saveToURL(thumbnail, kit::ImageFormat::Png, &error)) {
        kit::log(kit::lcLibrary(),
                 QStringLiteral("No thumbnail for %1: %2").arg(templatePath, error));
        return std::nullopt;
    }
    std::optional<kit::Image> image = kit::Image::load(thumbnail);
    // Decodes the levels a 64-point cell draws on 1× and 2× screens, so that
    // the main thread only draws.
    if (image) {
        image->pixels(QSize(128, 128));
        image->pixels(QSize(64, 64));
    }
    return image;
}

void KLResourceListView::startRender(const QString& templatePath, const QString& thumbnail)
{
    if (m_rendering.contains(thumbnail))
        return;
    m_rendering.insert(thumbnail);
    runInBackground<std::optional<kit::Image>>(
        [templatePath, thumbnail] { return renderThumbnail(templatePath, thumbnail); },
        [this, templatePath, thumbnail](std::optional<kit::Image> image) {
            m_rendering.remove(thumbnail);
            if (!image)
                return;
            // By path: the views may have been rebuilt or removed meanwhile.
            for (KLImageView* view : m_imgViews) {
                if (view->path() == templatePath)
                    view->_setImage(*image);
            }
        });
}

// -- Layout

bool KLResourceListView::isShown(const KLImageView* view) const
{
    return m_filter == 0 || m_filter == view->tag();
}

void KLResourceListView::layout()
{
    const bool create = m_imgViews.empty();
    const int count = int(m_resourcePaths.size());

    int visible = 0;
    for (int i = 0; i < count; ++i) {
        const int cells = create ? m_paths[size_t(i)].count : m_imgViews[size_t(i)]->tag();
        visible += m_filter == 0 || m_filter == cells ? 1 : 0;
    }
    const std::optional<Grid> grid = gridFor(visible);
    if (!grid)
        return;
    setContentSize(*grid);
    if (count == 0)
        return;

    kit::Animator::Targets moves;
    int k = 0;
    for (int i = 0; i < count; ++i) {
        if (create) {
            auto view = std::make_unique<KLImageView>(kit::Rect { 0, 0, kCellSize, kCellSize });
            view->setPath(m_resourcePaths[i]);
            prepareEntry(*view, m_resourcePaths[i]);
            view->setTag(m_paths[size_t(i)].count);
            const QString thumbnail = thumbnailPath(m_resourcePaths[i]);
            // A render in flight hands its picture over when it is done.
            if (!m_rendering.contains(thumbnail) && kit::Folders::exists(thumbnail)) {
                if (std::optional<kit::Image> image = kit::Image::load(thumbnail))
                    view->_setImage(*image);
            }
            m_imgViews.push_back(addSubview(std::move(view)));
        }
        KLImageView* view = m_imgViews[size_t(i)];
        const bool shown = isShown(view);
        view->setHidden(!shown);
        if (!shown)
            continue;
        const kit::Rect cell = cellFrame(*grid, k++);
        if (create)
            view->setFrame(cell);
        else
            moves.emplace_back(view, cell);
    }
    if (!moves.empty())
        kit::Animator::shared().animate(moves, m_animationMs);
}

void KLResourceListView::_setFilter(int count)
{
    m_filter = count;
    layout();
}

// -- Adding and removing

std::optional<QString> KLResourceListView::addTemplateFromURL(const QUrl& url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    return addTemplateFromURL(url.toLocalFile());
}

std::optional<QString> KLResourceListView::addTemplateFromURL(const QString& filePath)
{
    if (const QString problem = templateFileProblem(filePath); !problem.isEmpty()) {
        kit::log(kit::lcLibrary(),
                 QStringLiteral("Template '%1' is not added: %2").arg(filePath, problem));
        return std::nullopt;
    }
    return kit::Folders::addToUserFolder(kit::LibraryFolder::Templates, filePath);
}

bool KLResourceListView::removeTemplate(const QString& path)
{
    const qsizetype index = m_resourcePaths.indexOf(path);
    if (index < 0)
        return false;
    if (kit::Folders::isShipped(kit::LibraryFolder::Templates, path)) {
        kit::log(kit::lcLibrary(), QStringLiteral("The shipped template %1 is kept.").arg(path));
        return false;
    }
    // A file that stays on disk stays listed, or it would come back at the
    // next start.
    if (!kit::Folders::removeFile(path))
        return false;
    // Views exist for every path, or (before the first layout) for none.
    if (index < qsizetype(m_imgViews.size())) {
        m_imgViews[size_t(index)]->removeFromSuperview();
        m_imgViews.erase(m_imgViews.begin() + index);
    }
    m_resourcePaths.removeAt(index);
    m_paths.erase(m_paths.begin() + index);
    layout();
    return true;
}

// -- Drops

bool KLResourceListView::performDragOperation(const kit::DragInfo& info)
{
    if (info.fileNames.isEmpty())
        return false;
    QStringList refused;
    for (const QString& file : info.fileNames) {
        if (!isTemplateFile(file) || !addTemplateFromURL(file))
            refused.append(file);
    }
    if (!refused.isEmpty() && onFilesRefused)
        onFilesRefused(refused);
    if (refused.size() == info.fileNames.size())
        return false;
    load();
    layout();
    return true;
}
