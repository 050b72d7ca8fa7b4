#include "thumbnailloader.h"

#include "kit/logging.h"

#include <QMetaObject>
#include <QThread>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// Thread priorities mean nothing to Linux's normal scheduler; a higher nice
// value of the worker thread itself lets the window's thread run first when
// both want a core.
void yieldToTheWindow()
{
    thread_local bool done = false;
    if (!done) {
        done = true;
        setpriority(PRIO_PROCESS, pid_t(gettid()), 10);
    }
}

} // namespace

ThumbnailLoader::ThumbnailLoader(const ThumbnailCache& cache, QObject* parent)
    : QObject(parent), m_cache(cache)
      // In kibibytes: 1000 thumbnails of 128 × 128 take about 64 MiB.
      ,
      m_images(160 * 1024)
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

ThumbnailLoader::~ThumbnailLoader()
{
    m_queue.clear();
    m_pool.waitForDone();
}

QImage ThumbnailLoader::thumbnail(const QString& path)
{
    if (const QImage* image = m_images.object(path))
        return *image;
    if (m_failed.contains(path))
        return {};
    if (m_requested.contains(path)) {
        // Asked again: it is on screen now, so it moves to the front.
        const auto queued = std::find(m_queue.begin(), m_queue.end(), path);
        if (queued != m_queue.end()) {
            m_queue.erase(queued);
            m_queue.push_back(path);
        }
        return {};
    }
    m_requested.insert(path, true);
    m_queue.push_back(path);
    startNext();
    return {};
}

void ThumbnailLoader::cancelPending()
{
    for (const QString& path : m_queue)
        m_requested.remove(path);
    m_queue.clear();
}

void ThumbnailLoader::startNext()
{
    while (m_running < m_pool.maxThreadCount() && !m_queue.empty()) {
        const QString path = m_queue.back();
        m_queue.pop_back();
        ++m_running;
        const ThumbnailCache cache = m_cache;
        m_pool.start([this, cache, path] {
            yieldToTheWindow();
            const ThumbnailCache::Result result =
                cache.obtain(path, ThumbnailCache::Flavor::Normal);
            QMetaObject::invokeMethod(
                this, [this, path, result] { finished(path, result); }, Qt::QueuedConnection);
        });
    }
}

void ThumbnailLoader::finished(const QString& path, const ThumbnailCache::Result& result)
{
    --m_running;
    m_requested.remove(path);
    if (result.image.isNull()) {
        m_failed.insert(path, true);
        kit::log(kit::lcMedia(), QStringLiteral("No thumbnail for %1: %2").arg(path, result.error));
        emit thumbnailFailed(path);
    } else {
        ++m_delivered;
        if (result.fromCache)
            ++m_fromCache;
        QImage image = result.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const int cost = std::max<qsizetype>(1, image.sizeInBytes() / 1024);
        m_images.insert(path, new QImage(std::move(image)), cost);
        emit thumbnailReady(path);
    }
    startNext();
    if (pending() == 0)
        emit idle();
}
