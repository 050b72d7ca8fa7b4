#include "klbackgroundlistview.h"

#include "kit/animator.h"
#include "kit/folders.h"
#include "kit/localisation.h"
#include "kit/logging.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

const QStringList kPictureExtensions { QStringLiteral("PNG"), QStringLiteral("JPG"),
                                       QStringLiteral("JPEG"), QStringLiteral("BMP"),
                                       QStringLiteral("TIFF") };

// The two built-in entries that lead the list.
constexpr int kBuiltInCount = 2;

QString whitePath()
{
    return kit::Folders::resourceFolder() + QStringLiteral("/white.png");
}

QString blackPath()
{
    return kit::Folders::resourceFolder() + QStringLiteral("/black.png");
}

// A ".png" of the same base name beside the picture, or empty.
QString sameNamedPng(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString png =
        info.absolutePath() + u'/' + (dot > 0 ? name.left(dot) : name) + QStringLiteral(".png");
    return QFileInfo(png).isFile() ? png : QString();
}

std::optional<kit::Image> loadPicture(const QString& path)
{
    std::optional<kit::Image> image = kit::Image::load(path);
    // Decodes the levels a 64-point cell draws on 1× and 2× screens, so
    // that the main thread only draws.
    if (image) {
        image->pixels(QSize(128, 128));
        image->pixels(QSize(64, 64));
    }
    return image;
}

} // namespace

KLBackgroundListView::KLBackgroundListView(const kit::Rect& frame) : KLGridLibraryView(frame)
{
    load();
    layout();
    registerForFileDrops(true);
}

KLBackgroundListView::~KLBackgroundListView() = default;

const QStringList& KLBackgroundListView::pictureExtensions()
{
    return kPictureExtensions;
}

bool KLBackgroundListView::isBackgroundFile(const QString& fileName)
{
    return kPictureExtensions.contains(QFileInfo(fileName).suffix().toUpper());
}

void KLBackgroundListView::removeAllEntries()
{
    for (KLBackgroundView* view : m_imgViews)
        view->removeFromSuperview(); // the returned owner destroys it
    m_imgViews.clear();
    // Pictures still on their way belong to the views just removed.
    ++m_generation;
}

void KLBackgroundListView::load()
{
    using kit::Folders;
    const QString app = Folders::resourceFolder(kit::LibraryFolder::Backgrounds);
    const QString user = Folders::userFolder(kit::LibraryFolder::Backgrounds);

    kit::log(kit::lcLibrary(), QStringLiteral("Load directory:%1").arg(Folders::userFolder()));
    m_resourcePaths.clear();
    removeAllEntries();
    kit::log(kit::lcLibrary(), QStringLiteral("===>Load"));

    if (QFileInfo(user).isDir()) {
        for (const QString& relative : Folders::walk(app)) {
            const QString target = user + u'/' + relative;
            if (Folders::exists(target))
                continue;
            Folders::copyItem(app + u'/' + relative, target);
            kit::log(kit::lcLibrary(),
                     QStringLiteral("Copy new background %1 to %2").arg(relative, target));
        }
    } else {
        Folders::copyItem(app, user);
    }
    loadBackgroundFromPath(user);
}

void KLBackgroundListView::loadBackgroundFromPath(const QString& folder)
{
    QStringList paths { whitePath(), blackPath() };
    for (const QString& relative : kit::Folders::walkFiles(folder, kPictureExtensions)) {
        const QString path = folder + u'/' + relative;
        // Only the header is read here; the pictures decode on the workers.
        if (!QImageReader(path).canRead()) {
            kit::log(kit::lcLibrary(),
                     QStringLiteral("Background '%1' is left out: not a picture").arg(path));
            continue;
        }
        paths.append(path);
    }
    m_resourcePaths = paths;
}

void KLBackgroundListView::setResourcePaths(const QStringList& paths)
{
    removeAllEntries();
    m_resourcePaths = paths;
}

void KLBackgroundListView::layout()
{
    layoutEntries<KLBackgroundView>(
        m_imgViews, m_resourcePaths, m_animationMs, m_generation,
        [this](int i, const kit::Rect& cell) {
            auto view = std::make_unique<KLBackgroundView>(cell);
            view->setTag(i);
            view->setFilePath(m_resourcePaths[i]);
            view->setPath(sameNamedPng(m_resourcePaths[i]));
            return view;
        },
        loadPicture);
}

std::optional<QString> KLBackgroundListView::addImageFromURL(const QUrl& url)
{
    if (!url.isLocalFile())
        return std::nullopt;
    return addImageFromURL(url.toLocalFile());
}

QString KLBackgroundListView::pictureProblem(const QString& filePath)
{
    if (!isBackgroundFile(filePath))
        return QStringLiteral("not a picture type the library lists");
    QString error;
    const std::optional<kit::Image> image = kit::Image::load(filePath, &error);
    if (!image)
        return error;
    // The header alone does not tell a truncated or corrupt file.
    if (image->pixels(QSize(64, 64)).isNull())
        return QStringLiteral("the picture does not decode");
    return {};
}

std::optional<QString> KLBackgroundListView::addImageFromURL(const QString& filePath)
{
    if (const QString problem = pictureProblem(filePath); !problem.isEmpty()) {
        kit::log(kit::lcLibrary(),
                 QStringLiteral("Background '%1' is not added: %2").arg(filePath, problem));
        return std::nullopt;
    }
    return kit::Folders::addToUserFolder(kit::LibraryFolder::Backgrounds, filePath);
}

bool KLBackgroundListView::removeView(KLBackgroundView* view)
{
    const auto it = std::find(m_imgViews.begin(), m_imgViews.end(), view);
    return view && it != m_imgViews.end() && removeAt(int(it - m_imgViews.begin()));
}

bool KLBackgroundListView::removeView(const BackgroundEntry& entry)
{
    if (entry.path.isEmpty())
        return false;
    const qsizetype index = m_resourcePaths.indexOf(entry.path);
    return index >= 0 && removeAt(int(index));
}

bool KLBackgroundListView::removeAt(int index)
{
    // White and black are application resources, shared by every user of
    // the installation: deleting them would break the library for good.
    if (index < kBuiltInCount
        || kit::Folders::isShipped(kit::LibraryFolder::Backgrounds, m_resourcePaths[index])) {
        kit::log(kit::lcLibrary(),
                 QStringLiteral("The built-in background %1 is not removed.")
                     .arg(m_resourcePaths[index]));
        return false;
    }
    // Only the listed picture file. One that stays on disk stays listed too,
    // or it would come back at the next start.
    if (!kit::Folders::removeFile(m_resourcePaths[index]))
        return false;
    // Entry views exist for every path, or (before the first layout) for none.
    if (index < int(m_imgViews.size())) {
        m_imgViews[size_t(index)]->removeFromSuperview();
        m_imgViews.erase(m_imgViews.begin() + index);
    }
    m_resourcePaths.removeAt(index);
    layout();
    return true;
}

bool KLBackgroundListView::performDragOperation(const kit::DragInfo& info)
{
    if (info.fileNames.isEmpty())
        return false;
    QStringList refused;
    for (const QString& file : info.fileNames) {
        if (!addImageFromURL(file))
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

QString KLBackgroundListView::entryName(const QString& file) const
{
    if (file == whitePath())
        return kit::localized("BACKGROUND_WHITE");
    if (file == blackPath())
        return kit::localized("BACKGROUND_BLACK");
    return KLGridLibraryView::entryName(file);
}
