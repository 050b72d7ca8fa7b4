#include "mediaobjectmodel.h"

#include "remotephotocache.h"
#include "thumbnailloader.h"

#include <QMimeData>
#include <QPainter>
#include <QPointer>

namespace {

// A drag of online photos: the files exist only once downloaded, which
// happens when a drop target first asks for the URLs (the window keeps
// answering while it waits).
class RemotePhotoMimeData : public QMimeData
{
public:
    RemotePhotoMimeData(RemotePhotoCache& cache, QList<QUrl> photos)
        : m_cache(&cache), m_photos(std::move(photos))
    { }

    QStringList formats() const override { return { QStringLiteral("text/uri-list") }; }
    bool hasFormat(const QString& type) const override { return formats().contains(type); }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override
    {
        if (type != QLatin1String("text/uri-list") || !m_cache)
            return {};
        if (!m_fetched) {
            m_fetched = true;
            for (const QUrl& photo : m_photos) {
                const QString file =
                    m_cache->waitForPhoto(photo, MediaObjectModel::kDownloadWaitMs);
                if (!file.isEmpty())
                    m_files.append(QUrl::fromLocalFile(file));
            }
        }
        QVariantList urls;
        for (const QUrl& url : m_files)
            urls.append(url);
        return urls;
    }

private:
    QPointer<RemotePhotoCache> m_cache;
    QList<QUrl> m_photos;
    mutable bool m_fetched = false;
    mutable QList<QUrl> m_files;
};

} // namespace

MediaObjectModel::MediaObjectModel(ThumbnailLoader& loader, RemotePhotoCache& remote,
                                   QObject* parent)
    : QAbstractListModel(parent), m_loader(loader), m_remote(remote)
{
    connect(&loader, &ThumbnailLoader::thumbnailReady, this, &MediaObjectModel::thumbnailArrived);
    connect(&loader, &ThumbnailLoader::thumbnailFailed, this, &MediaObjectModel::thumbnailArrived);
    connect(&remote, &RemotePhotoCache::thumbnailReady, this, &MediaObjectModel::remoteArrived);
}

void MediaObjectModel::setNode(const MediaNode* node, bool asEvents)
{
    beginResetModel();
    m_tiles.clear();
    m_rowsByPath.clear();
    m_rowsByUrl.clear();
    if (node && asEvents) {
        for (const MediaNode& event : node->subnodes) {
            Tile tile;
            tile.name = event.name;
            tile.nodeIdentifier = event.identifier;
            tile.count = int(event.objects.size());
            for (const MediaObject& object : event.objects) {
                if (object.isLocal())
                    tile.dragFiles.append(object.filePath);
            }
            tile.filePath = event.keyPhotoPath.isEmpty() && !tile.dragFiles.isEmpty()
                ? tile.dragFiles.first()
                : event.keyPhotoPath;
            m_tiles.push_back(std::move(tile));
        }
    } else if (node) {
        for (const MediaObject& object : node->objects)
            m_tiles.push_back({ object.name,
                                object.filePath,
                                object.thumbnailUrl,
                                object.photoUrl,
                                {},
                                {},
                                1,
                                {} });
    }
    for (int row = 0; row < int(m_tiles.size()); ++row) {
        if (!m_tiles[size_t(row)].filePath.isEmpty())
            m_rowsByPath[m_tiles[size_t(row)].filePath].append(row);
        else if (m_tiles[size_t(row)].thumbnailUrl.isValid())
            m_rowsByUrl[m_tiles[size_t(row)].thumbnailUrl].append(row);
    }
    endResetModel();
}

void MediaObjectModel::setBadge(int row, const QIcon& badge)
{
    if (row < 0 || row >= int(m_tiles.size()))
        return;
    m_tiles[size_t(row)].badge = badge;
    emit dataChanged(index(row), index(row), { Qt::DecorationRole });
}

void MediaObjectModel::setIconSide(int side)
{
    m_iconSide = side;
    if (!m_tiles.empty())
        emit dataChanged(index(0), index(int(m_tiles.size()) - 1), { Qt::DecorationRole });
}

int MediaObjectModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_tiles.size());
}

QPixmap MediaObjectModel::placeholder() const
{
    if (m_placeholder.width() == m_iconSide)
        return m_placeholder;
    QPixmap pixmap(m_iconSide, m_iconSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 128, 128, 60));
    const int inset = m_iconSide / 8;
    painter.drawRoundedRect(QRect(inset, inset, m_iconSide - 2 * inset, m_iconSide - 2 * inset), 6,
                            6);
    painter.end();
    m_placeholder = pixmap;
    return pixmap;
}

QVariant MediaObjectModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_tiles.size()))
        return {};
    const Tile& tile = m_tiles[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return tile.name;
    case Qt::ToolTipRole:
        return tile.filePath.isEmpty() ? tile.name : tile.filePath;
    case NodeRole:
        return tile.nodeIdentifier;
    case CountRole:
        return tile.count;
    case FilePathRole:
        return tile.filePath;
    case Qt::DecorationRole: {
        QImage image;
        if (!tile.filePath.isEmpty())
            image = m_loader.thumbnail(tile.filePath);
        else if (tile.thumbnailUrl.isValid())
            image = m_remote.thumbnail(tile.thumbnailUrl);
        QPixmap pixmap = image.isNull() ? placeholder() : QPixmap::fromImage(image);
        if (!image.isNull() && (image.width() > m_iconSide || image.height() > m_iconSide))
            pixmap = pixmap.scaled(m_iconSide, m_iconSide, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
        if (!tile.badge.isNull()) {
            QPainter painter(&pixmap);
            const int side = std::max(12, pixmap.width() / 5);
            tile.badge.paint(&painter,
                             QRect(pixmap.width() - side, pixmap.height() - side, side, side));
        }
        return pixmap;
    }
    default:
        return {};
    }
}

Qt::ItemFlags MediaObjectModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList MediaObjectModel::mimeTypes() const
{
    return { QStringLiteral("text/uri-list") };
}

QMimeData* MediaObjectModel::mimeData(const QModelIndexList& indexes) const
{
    QList<QUrl> files;
    QList<QUrl> remote;
    for (const QModelIndex& index : indexes) {
        if (!index.isValid() || index.row() >= int(m_tiles.size()))
            continue;
        const Tile& tile = m_tiles[size_t(index.row())];
        if (!tile.dragFiles.isEmpty()) {
            for (const QString& file : tile.dragFiles)
                files.append(QUrl::fromLocalFile(file));
        } else if (!tile.filePath.isEmpty()) {
            files.append(QUrl::fromLocalFile(tile.filePath));
        } else if (tile.photoUrl.isValid()) {
            remote.append(tile.photoUrl);
        }
    }
    if (!remote.isEmpty() && files.isEmpty())
        return new RemotePhotoMimeData(m_remote, remote);
    auto* mime = new QMimeData;
    mime->setUrls(files);
    return mime;
}

void MediaObjectModel::thumbnailArrived(const QString& path)
{
    for (int row : m_rowsByPath.value(path))
        emit dataChanged(index(row), index(row), { Qt::DecorationRole });
}

void MediaObjectModel::remoteArrived(const QUrl& url)
{
    for (int row : m_rowsByUrl.value(url))
        emit dataChanged(index(row), index(row), { Qt::DecorationRole });
}
