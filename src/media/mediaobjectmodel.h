#pragma once

// The tiles of the grid: the photos of one node, or its subnodes (events)
// each shown by its key photo. Thumbnails come from the loader (local
// photos) or the remote cache (online photos) and replace a plain
// placeholder as they arrive. Dragging tiles carries file URLs: the photos
// themselves, every photo of a dragged event, and for online photos a file
// downloaded before the drop.

#include "medianode.h"

#include <vector>

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QPixmap>

class RemotePhotoCache;
class ThumbnailLoader;

class MediaObjectModel : public QAbstractListModel
{
    Q_OBJECT

public:
    struct Tile
    {
        QString name;
        QString filePath; // the photo shown (an event's key photo)
        QUrl thumbnailUrl;
        QUrl photoUrl;
        QString nodeIdentifier; // events: the node the tile opens
        QStringList dragFiles; // events: every photo of the event
        int count = 1; // photos behind the tile
        QIcon badge;
    };

    enum Role { NodeRole = Qt::UserRole + 1, CountRole, FilePathRole };

    MediaObjectModel(ThumbnailLoader& loader, RemotePhotoCache& remote, QObject* parent = nullptr);

    // Shows `node`'s objects, or its subnodes as tiles when `asEvents`.
    // Null shows nothing.
    void setNode(const MediaNode* node, bool asEvents);
    const std::vector<Tile>& tiles() const { return m_tiles; }
    void setBadge(int row, const QIcon& badge);

    // Side of the thumbnails shown, in pixels.
    void setIconSide(int side);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

    // How long a drop waits for an online photo to download.
    static constexpr int kDownloadWaitMs = 30000;

private:
    void thumbnailArrived(const QString& path);
    void remoteArrived(const QUrl& url);
    QPixmap placeholder() const;

    ThumbnailLoader& m_loader;
    RemotePhotoCache& m_remote;
    std::vector<Tile> m_tiles;
    QHash<QString, QList<int>> m_rowsByPath;
    QHash<QUrl, QList<int>> m_rowsByUrl;
    int m_iconSide = 128;
    mutable QPixmap m_placeholder;
};
