#pragma once

// Pictures of online sources on this machine: previews kept in memory for
// the grid, and photos downloaded to files under
// $XDG_CACHE_HOME/tessera/online/ so that they can be dropped like any other
// file. Main thread only; downloads never block it, and waitForPhoto() waits
// in a local event loop that keeps the window answering.

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

class RemotePhotoCache : public QObject
{
    Q_OBJECT

public:
    explicit RemotePhotoCache(const QString& folder = defaultFolder(), QObject* parent = nullptr);
    ~RemotePhotoCache() override;

    static QString defaultFolder();

    // The preview of `url` when it is in memory; otherwise starts fetching
    // it (once) and answers a null image; thumbnailReady follows.
    QImage thumbnail(const QUrl& url);
    // The file of a downloaded photo, empty when it is not downloaded.
    QString photoFile(const QUrl& url) const;
    // Starts downloading `url` unless it is downloaded or on its way;
    // photoReady or photoFailed follows.
    void fetchPhoto(const QUrl& url);
    // The photo's file, downloading it first and waiting at most `timeoutMs`;
    // empty on failure or time-out.
    QString waitForPhoto(const QUrl& url, int timeoutMs);

    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    static constexpr qint64 kMaxPhotoBytes = 64 * 1024 * 1024;

signals:
    void thumbnailReady(const QUrl& url);
    void photoReady(const QUrl& url, const QString& file);
    void photoFailed(const QUrl& url, const QString& message);

private:
    QString fileFor(const QUrl& url) const;
    QNetworkReply* get(const QUrl& url, qint64 maxBytes);

    QString m_folder;
    QNetworkAccessManager* m_network = nullptr;
    QCache<QUrl, QImage> m_thumbnails;
    QHash<QUrl, bool> m_thumbnailsInFlight;
    QHash<QUrl, bool> m_photosInFlight;
    int m_timeoutMs = 30000;
};
