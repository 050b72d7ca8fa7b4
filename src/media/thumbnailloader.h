#pragma once

// Thumbnails for the grid, made on worker threads through the shared
// thumbnail cache and handed back to the main thread. Requests made last are
// served first, so the photos the person scrolled to come before those they
// scrolled past; cancelPending() forgets the requests of a source that is no
// longer shown. Results are kept in memory up to a budget.
//
// Main thread only, except the work itself. Destroying the loader waits for
// the thumbnails being made.

#include "thumbnailcache.h"

#include <deque>

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QThreadPool>

class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    explicit ThumbnailLoader(const ThumbnailCache& cache = ThumbnailCache(),
                             QObject* parent = nullptr);
    ~ThumbnailLoader() override;

    // The thumbnail of `path` when it is in memory; otherwise a null image,
    // and the thumbnail is made (once) and thumbnailReady follows. A photo
    // that cannot be read gives thumbnailFailed instead.
    QImage thumbnail(const QString& path);
    bool hasFailed(const QString& path) const { return m_failed.contains(path); }
    // Drops the requests that have not started.
    void cancelPending();
    // Requests not yet handed back.
    int pending() const { return int(m_queue.size()) + m_running; }

    // Thumbnails handed back so far, and how many came from the disk cache.
    int delivered() const { return m_delivered; }
    int deliveredFromCache() const { return m_fromCache; }

signals:
    void thumbnailReady(const QString& path);
    void thumbnailFailed(const QString& path);
    // No request is left.
    void idle();

private:
    void startNext();
    void finished(const QString& path, const ThumbnailCache::Result& result);

    ThumbnailCache m_cache;
    QThreadPool m_pool;
    std::deque<QString> m_queue;
    QHash<QString, bool> m_requested; // queued or running
    QHash<QString, bool> m_failed;
    QCache<QString, QImage> m_images;
    int m_running = 0;
    int m_delivered = 0;
    int m_fromCache = 0;
};
