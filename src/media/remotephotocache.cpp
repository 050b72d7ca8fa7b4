#include "remotephotocache.h"

#include "kit/localisation.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

namespace {

constexpr qint64 kMaxThumbnailBytes = 2 * 1024 * 1024;

QImage decodePreview(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    // A preview is small; a huge one is not decoded.
    if (!size.isValid() || qint64(size.width()) * size.height() > 4096LL * 4096)
        return {};
    return reader.read();
}

} // namespace

RemotePhotoCache::RemotePhotoCache(const QString& folder, QObject* parent)
    : QObject(parent), m_folder(folder), m_network(new QNetworkAccessManager(this)),
      m_thumbnails(600)
{ }

RemotePhotoCache::~RemotePhotoCache() = default;

QString RemotePhotoCache::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/tessera/online");
}

QString RemotePhotoCache::fileFor(const QUrl& url) const
{
    const QByteArray hash =
        QCryptographicHash::hash(url.toEncoded(), QCryptographicHash::Md5).toHex();
    return m_folder + QLatin1Char('/') + QString::fromLatin1(hash) + QStringLiteral(".jpg");
}

QNetworkReply* RemotePhotoCache::get(const QUrl& url, qint64 maxBytes)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, maxBytes](qint64 received, qint64) {
                if (received > maxBytes)
                    reply->abort();
            });
    return reply;
}

QImage RemotePhotoCache::thumbnail(const QUrl& url)
{
    if (const QImage* cached = m_thumbnails.object(url))
        return *cached;
    if (m_thumbnailsInFlight.contains(url) || !url.isValid())
        return {};
    m_thumbnailsInFlight.insert(url, true);
    QNetworkReply* reply = get(url, kMaxThumbnailBytes);
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] {
        reply->deleteLater();
        m_thumbnailsInFlight.remove(url);
        QImage image;
        if (reply->error() == QNetworkReply::NoError)
            image = decodePreview(reply->readAll());
        // A failed preview is remembered as a null image, so that it is not
        // asked for again and again while the grid repaints.
        m_thumbnails.insert(url, new QImage(image));
        emit thumbnailReady(url);
    });
    return {};
}

QString RemotePhotoCache::photoFile(const QUrl& url) const
{
    const QString file = fileFor(url);
    return QFileInfo(file).isFile() ? file : QString();
}

void RemotePhotoCache::fetchPhoto(const QUrl& url)
{
    if (!photoFile(url).isEmpty()) {
        emit photoReady(url, photoFile(url));
        return;
    }
    if (m_photosInFlight.contains(url))
        return;
    m_photosInFlight.insert(url, true);
    QNetworkReply* reply = get(url, kMaxPhotoBytes);
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] {
        reply->deleteLater();
        m_photosInFlight.remove(url);
        if (reply->error() != QNetworkReply::NoError) {
            emit photoFailed(
                url,
                reply->error() == QNetworkReply::OperationCanceledError
                    ? kit::localized("MEDIA_FLICKR_TIMEOUT")
                    : kit::localized("MEDIA_FLICKR_UNREACHABLE").arg(reply->errorString()));
            return;
        }
        const QByteArray bytes = reply->readAll();
        QBuffer buffer;
        buffer.setData(bytes);
        if (!QImageReader(&buffer).canRead()) {
            emit photoFailed(url, kit::localized("MEDIA_FLICKR_BAD_ANSWER"));
            return;
        }
        QDir().mkpath(m_folder);
        QSaveFile file(fileFor(url));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
            || !file.commit()) {
            emit photoFailed(url, kit::localized("MEDIA_DOWNLOAD_NOT_SAVED").arg(fileFor(url)));
            return;
        }
        emit photoReady(url, fileFor(url));
    });
}

QString RemotePhotoCache::waitForPhoto(const QUrl& url, int timeoutMs)
{
    if (const QString file = photoFile(url); !file.isEmpty())
        return file;
    QEventLoop loop;
    QString result;
    bool done = false;
    auto finish = [&](const QUrl& finished, const QString& file) {
        if (finished != url)
            return;
        result = file;
        done = true;
        loop.quit();
    };
    const auto ready = connect(this, &RemotePhotoCache::photoReady, &loop, finish);
    const auto failed =
        connect(this, &RemotePhotoCache::photoFailed, &loop,
                [&](const QUrl& finished, const QString&) { finish(finished, {}); });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    fetchPhoto(url);
    if (!done)
        loop.exec();
    disconnect(ready);
    disconnect(failed);
    return result;
}
