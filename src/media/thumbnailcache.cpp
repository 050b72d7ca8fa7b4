#include "thumbnailcache.h"

#include "kit/image.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace {

constexpr auto kPrivateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr auto kPrivateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

QString folderOf(ThumbnailCache::Flavor flavor)
{
    return flavor == ThumbnailCache::Flavor::Normal ? QStringLiteral("normal")
                                                    : QStringLiteral("large");
}

QString hashName(const QString& path)
{
    return QString::fromLatin1(
               QCryptographicHash::hash(ThumbnailCache::uriOf(path), QCryptographicHash::Md5)
                   .toHex())
        + QStringLiteral(".png");
}

QString mtimeOf(const QString& path)
{
    return QString::number(QFileInfo(path).lastModified().toSecsSinceEpoch());
}

} // namespace

ThumbnailCache::ThumbnailCache(const QString& root) : m_root(root) { }

QString ThumbnailCache::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/thumbnails");
}

QByteArray ThumbnailCache::uriOf(const QString& path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
}

QString ThumbnailCache::thumbnailPath(const QString& path, Flavor flavor) const
{
    return m_root + QLatin1Char('/') + folderOf(flavor) + QLatin1Char('/') + hashName(path);
}

QString ThumbnailCache::failurePath(const QString& path) const
{
    return m_root + QStringLiteral("/fail/tessera/") + hashName(path);
}

bool ThumbnailCache::matches(const QImage& thumbnail, const QString& path) const
{
    return !thumbnail.isNull()
        && thumbnail.text(QStringLiteral("Thumb::URI")).toUtf8() == uriOf(path)
        && thumbnail.text(QStringLiteral("Thumb::MTime")) == mtimeOf(path);
}

QImage ThumbnailCache::read(const QString& path, Flavor flavor) const
{
    const QString file = thumbnailPath(path, flavor);
    if (!QFileInfo::exists(file))
        return {};
    QImageReader reader(file, "png");
    const QSize size = reader.size();
    // Thumbnails are small; anything larger is not one of them.
    if (!size.isValid() || size.width() > 2 * side(flavor) || size.height() > 2 * side(flavor))
        return {};
    QImage image = reader.read();
    return matches(image, path) ? image : QImage();
}

QImage ThumbnailCache::make(const QString& path, int side, QString* error)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize stored = reader.size();
    if (!stored.isValid()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    if (qint64(stored.width()) * stored.height() > kit::Image::decodeLimitPixels()) {
        if (error)
            *error = QStringLiteral("too large: %1 × %2 pixels")
                         .arg(stored.width())
                         .arg(stored.height());
        return {};
    }
    // The reader scales the stored picture and rotates it afterwards.
    const QSize target = stored.scaled(side, side, Qt::KeepAspectRatio);
    if (target.width() < stored.width() && !target.isEmpty())
        reader.setScaledSize(target);
    // Below 50 the JPEG reader uses its fast transform and plain upsampling:
    // a third quicker, and no difference at thumbnail size.
    reader.setQuality(49);
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    if (image.width() > side || image.height() > side)
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

bool ThumbnailCache::makeFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    // Every folder made here is private to the person, as the standard asks.
    const QString parent = QFileInfo(folder).path();
    if (parent != folder && !QFileInfo(parent).isDir() && !makeFolder(parent))
        return false;
    if (!QDir().mkdir(folder) && !QFileInfo(folder).isDir())
        return false;
    QFile::setPermissions(folder, kPrivateFolder);
    return true;
}

bool ThumbnailCache::write(const QString& path, const QImage& thumbnail, Flavor flavor,
                           QSize original) const
{
    const QString file = thumbnailPath(path, flavor);
    if (!makeFolder(QFileInfo(file).path()))
        return false;
    QImage tagged = thumbnail;
    tagged.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(uriOf(path)));
    tagged.setText(QStringLiteral("Thumb::MTime"), mtimeOf(path));
    tagged.setText(QStringLiteral("Thumb::Size"), QString::number(QFileInfo(path).size()));
    if (original.isValid()) {
        tagged.setText(QStringLiteral("Thumb::Image::Width"), QString::number(original.width()));
        tagged.setText(QStringLiteral("Thumb::Image::Height"), QString::number(original.height()));
    }
    tagged.setText(QStringLiteral("Software"), QStringLiteral("Tessera"));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.setPermissions(kPrivateFile);
    QImageWriter writer(&out, "png");
    if (!writer.write(tagged)) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

void ThumbnailCache::writeFailure(const QString& path) const
{
    QImage marker(1, 1, QImage::Format_ARGB32);
    marker.fill(Qt::transparent);
    const QString file = failurePath(path);
    if (!makeFolder(QFileInfo(file).path()))
        return;
    marker.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(uriOf(path)));
    marker.setText(QStringLiteral("Thumb::MTime"), mtimeOf(path));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.setPermissions(kPrivateFile);
    if (marker.save(&out, "png"))
        out.commit();
    else
        out.cancelWriting();
}

ThumbnailCache::Result ThumbnailCache::obtain(const QString& path, Flavor flavor) const
{
    Result result;
    result.image = read(path, flavor);
    if (!result.image.isNull()) {
        result.fromCache = true;
        return result;
    }
    if (QFileInfo::exists(failurePath(path))) {
        QImageReader marker(failurePath(path), "png");
        if (matches(marker.read(), path)) {
            result.error = QStringLiteral("unreadable before");
            return result;
        }
    }
    QImageReader probe(path);
    probe.setAutoTransform(true);
    QSize original = probe.size();
    if (original.isValid() && (probe.transformation() & QImageIOHandler::TransformationRotate90))
        original.transpose();
    result.image = make(path, side(flavor), &result.error);
    if (result.image.isNull()) {
        if (QFileInfo(path).isFile())
            writeFailure(path);
        return result;
    }
    write(path, result.image, flavor, original);
    return result;
}
