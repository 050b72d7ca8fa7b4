#pragma once

// The desktop's shared thumbnail cache (freedesktop.org Thumbnail Managing
// Standard): $XDG_CACHE_HOME/thumbnails/normal (128 pixels) and large (256),
// one PNG per photo named by the MD5 of the photo's file URI, carrying the
// URI and the photo's modification time (Thumb::URI, Thumb::MTime) so that a
// stale thumbnail is recognised and made again. Thumbnails made here are
// written atomically with mode 600 in folders of mode 700; photos that cannot
// be read are remembered under fail/tessera/ so that they are not decoded
// again until they change.
//
// Every function may run on any thread; several threads may make the same
// thumbnail at once (the last rename wins, both files are whole).

#include <QImage>
#include <QString>

class ThumbnailCache
{
public:
    enum class Flavor { Normal, Large };

    explicit ThumbnailCache(const QString& root = defaultRoot());

    // $XDG_CACHE_HOME/thumbnails (~/.cache/thumbnails).
    static QString defaultRoot();
    QString root() const { return m_root; }

    static int side(Flavor flavor) { return flavor == Flavor::Normal ? 128 : 256; }
    // The file URI of an absolute path, percent-encoded as the desktop's
    // thumbnailers write it.
    static QByteArray uriOf(const QString& path);
    QString thumbnailPath(const QString& path, Flavor flavor) const;
    QString failurePath(const QString& path) const;

    // The cached thumbnail of `path` when its URI and time match the photo;
    // a null image otherwise.
    QImage read(const QString& path, Flavor flavor) const;

    // A thumbnail of the photo at `path` fitting `side` × `side`, upright
    // (EXIF orientation applied), never enlarged. Null on failure, with the
    // reason in `error`.
    static QImage make(const QString& path, int side, QString* error = nullptr);

    struct Result
    {
        QImage image; // null when the photo cannot be read
        bool fromCache = false;
        QString error;
    };
    // The cached thumbnail, or a new one that is then written to the cache.
    // A photo that failed before (and has not changed) fails at once.
    Result obtain(const QString& path, Flavor flavor) const;

private:
    bool write(const QString& path, const QImage& thumbnail, Flavor flavor, QSize original) const;
    void writeFailure(const QString& path) const;
    bool matches(const QImage& thumbnail, const QString& path) const;
    static bool makeFolder(const QString& folder);

    QString m_root;
};
