#include "image.h"

#include "jpegregion.h"
#include "userfile.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include <QBuffer>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPixelFormat>
#include <QtConcurrent>

Q_LOGGING_CATEGORY(lcImage, "tessera.image")

namespace kit {

namespace {

// 250 megapixels decode to 1 GB of ARGB32; larger pictures are refused before
// any pixel is allocated.
constexpr qint64 kDecodeLimit = 250'000'000;
// The encoded bytes are held in memory for the life of the image.
constexpr qint64 kMaxEncodedBytes = qint64(1) << 30;
// Levels kept per image besides the pixels an image was made from.
constexpr size_t kCachedLevels = 3;
// libjpeg scales by 1/2, 1/4 and 1/8 while decoding.
constexpr int kMaxDctShift = 3;

// QImageReader's allocation guard is process-wide and in megabytes; keep it
// just above our own pixel limit so that every picture we accept decodes.
void applyAllocationLimit()
{
    const qint64 mb = kDecodeLimit * 4 / (1024 * 1024) + 64;
    QImageReader::setAllocationLimit(int(std::min<qint64>(mb, std::numeric_limits<int>::max())));
}

void ensureAllocationLimit()
{
    static std::once_flag once;
    std::call_once(once, [] { applyAllocationLimit(); });
}

QImage toPremultiplied(QImage image)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

// Area-averaging for reductions (Qt's smooth scaling averages every source
// pixel that a destination pixel covers), bilinear for enlargements.
QImage resampled(const QImage& image, QSize size)
{
    if (image.size() == size)
        return image;
    return toPremultiplied(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

struct Image::Private
{
    QByteArray encoded;
    QByteArray format;
    QString path;
    QSize size; // upright
    bool rotated = false; // stored with width and height swapped
    // How the stored picture is turned upright (EXIF orientation).
    QImageIOHandler::Transformations transformation = QImageIOHandler::TransformationNone;
    bool hasAlpha = true;
    QImage source; // the pixels an image was made from; never evicted

    struct Level
    {
        int shift;
        QImage image;
        quint64 lastUse;
    };
    std::mutex mutex;
    std::vector<Level> levels;
    quint64 useClock = 0;
    QImage exact; // the last answer of pixelsExactly

    // floor(size / 2^shift), at least one pixel, upright.
    QSize levelSize(int shift) const
    {
        return { std::max(1, size.width() >> shift), std::max(1, size.height() >> shift) };
    }
    // The smallest level that still covers `needed` in both sides.
    int shiftFor(QSize needed) const
    {
        int shift = 0;
        while (shift < 30) {
            const QSize next = levelSize(shift + 1);
            if (next == levelSize(shift) || next.width() < needed.width()
                || next.height() < needed.height())
                break;
            ++shift;
        }
        return shift;
    }

    QImage level(int shift);
    QImage decode(int shift);
    bool decodesParts() const { return format == "jpeg" || format == "jpg"; }
    // Upright size of the picture as the JPEG decoder scales it by 2^-dct.
    QSize dctSize(int dct) const;
    // The rectangle `rect` (upright pixels of the picture scaled by 2^-dct)
    // decoded alone: only the rows down to its last are decoded, and only
    // its columns converted. Null when decoding fails.
    QImage decodeRegion(int dct, const QRect& rect) const;
    // The one log line of a picture whose header read but whose pixels do not.
    void warnCannotDecode(const QString& reason) const
    {
        qCWarning(lcImage).noquote()
            << QStringLiteral("cannot decode %1: %2")
                   .arg(path.isEmpty() ? QStringLiteral("image data") : path, reason);
    }
};

namespace {

// Stored and upright rectangles of a picture whose stored size is `stored`:
// upright = rotated(mirrored(stored)), as QImageReader turns pictures.
QRect storedToUpright(QRect r, QSize stored, QImageIOHandler::Transformations t)
{
    if (t.testFlag(QImageIOHandler::TransformationMirror))
        r.moveLeft(stored.width() - r.x() - r.width());
    if (t.testFlag(QImageIOHandler::TransformationFlip))
        r.moveTop(stored.height() - r.y() - r.height());
    if (t.testFlag(QImageIOHandler::TransformationRotate90))
        r = QRect(stored.height() - r.y() - r.height(), r.x(), r.height(), r.width());
    return r;
}

QRect uprightToStored(QRect r, QSize stored, QImageIOHandler::Transformations t)
{
    if (t.testFlag(QImageIOHandler::TransformationRotate90))
        r = QRect(r.y(), stored.height() - r.x() - r.width(), r.height(), r.width());
    if (t.testFlag(QImageIOHandler::TransformationFlip))
        r.moveTop(stored.height() - r.y() - r.height());
    if (t.testFlag(QImageIOHandler::TransformationMirror))
        r.moveLeft(stored.width() - r.x() - r.width());
    return r;
}

int ceilDiv(int v, int d)
{
    return (v + d - 1) / d;
}

// Stored pixels turned upright, as QImageReader turns them.
QImage upright(QImage image, QImageIOHandler::Transformations t)
{
    const bool mirror = t.testFlag(QImageIOHandler::TransformationMirror);
    const bool flip = t.testFlag(QImageIOHandler::TransformationFlip);
    if (mirror || flip)
        image = image.mirrored(mirror, flip);
    if (t.testFlag(QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
    return image;
}

} // namespace

QSize Image::Private::dctSize(int dct) const
{
    const int d = 1 << dct;
    return { ceilDiv(size.width(), d), ceilDiv(size.height(), d) };
}

QImage Image::Private::decodeRegion(int dct, const QRect& rect) const
{
    const int d = 1 << dct;
    const QSize stored = rotated ? size.transposed() : size;
    const QSize storedDct(ceilDiv(stored.width(), d), ceilDiv(stored.height(), d));
    const QRect wanted = uprightToStored(rect, storedDct, transformation);
    JpegRegion direct = decodeJpegRegion(encoded, dct, wanted);
    if (!direct.unsupported) {
        if (direct.pixels.isNull())
            warnCannotDecode(direct.error);
        return upright(std::move(direct.pixels), transformation);
    }
    // Pictures libjpeg cannot give as RGB (CMYK) go through Qt's reader,
    // with the region in stored pixels of the full picture widened to whole
    // 8 × 8 blocks: the reader scales a clip by powers of two only when it
    // is aligned so, and the block edges are where it decodes anyway.
    const int x0 = wanted.x() * d / 8 * 8, y0 = wanted.y() * d / 8 * 8;
    const int x1 = std::min(stored.width(), ceilDiv((wanted.x() + wanted.width()) * d, 8) * 8);
    const int y1 = std::min(stored.height(), ceilDiv((wanted.y() + wanted.height()) * d, 8) * 8);
    if (x1 <= x0 || y1 <= y0)
        return {};
    const QRect clip(x0, y0, x1 - x0, y1 - y0);
    const QRect clipDct(x0 / d, y0 / d, ceilDiv(clip.width(), d), ceilDiv(clip.height(), d));

    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    reader.setQuality(100);
    reader.setClipRect(clip);
    reader.setScaledSize(clipDct.size());
    QImage image = reader.read();
    if (image.isNull()) {
        warnCannotDecode(reader.errorString());
        return {};
    }
    const QRect decoded = storedToUpright(clipDct, storedDct, transformation);
    if (image.size() != decoded.size())
        return {};
    return toPremultiplied(image.copy(rect.translated(-decoded.topLeft())));
}

// Called with the mutex held.
QImage Image::Private::level(int shift)
{
    if (!source.isNull() && shift == 0)
        return source;
    for (Level& l : levels) {
        if (l.shift == shift) {
            l.lastUse = ++useClock;
            return l.image;
        }
    }
    // A larger cached level is cheaper to reduce than the file is to decode.
    const QImage* larger = source.isNull() ? nullptr : &source;
    int largerShift = 0;
    for (const Level& l : levels) {
        if (l.shift < shift && (!larger || l.shift > largerShift)) {
            larger = &l.image;
            largerShift = l.shift;
        }
    }
    QImage image = larger ? resampled(*larger, levelSize(shift)) : decode(shift);
    if (image.isNull())
        return image;
    if (levels.size() >= kCachedLevels) {
        auto oldest =
            std::min_element(levels.begin(), levels.end(),
                             [](const Level& a, const Level& b) { return a.lastUse < b.lastUse; });
        levels.erase(oldest);
    }
    levels.push_back({ shift, image, ++useClock });
    return image;
}

QImage Image::Private::decode(int shift)
{
    if (decodesParts()) {
        // The whole picture as a part: libjpeg scales by up to 1/8 while
        // decoding, the rest is area-averaged.
        const int dct = std::min(shift, kMaxDctShift);
        const QImage whole = decodeRegion(dct, QRect(QPoint(0, 0), dctSize(dct)));
        return whole.isNull() ? whole : resampled(whole, levelSize(shift));
    }
    ensureAllocationLimit();
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        // The header was accepted when the image was loaded, so this is a
        // damaged file; the caller only sees a null level.
        warnCannotDecode(reader.errorString());
        return {};
    }
    // Codecs without DCT scaling decode whole pictures; they are area-averaged.
    return resampled(toPremultiplied(std::move(image)), levelSize(shift));
}

Image::Image() = default;

Image::Image(std::shared_ptr<Private> d) : m_d(std::move(d)) { }

std::optional<Image> Image::load(const QString& path, QString* error)
{
    // Callers log their own line; the reason goes to the debug log only.
    auto fail = [&](const QString& reason) -> std::optional<Image> {
        const QString message = QStringLiteral("%1: %2").arg(path, reason);
        qCDebug(lcImage).noquote() << message;
        if (error)
            *error = message;
        return std::nullopt;
    };
    QString reason;
    const std::optional<QByteArray> bytes = readUserFile(path, kMaxEncodedBytes, &reason);
    if (!bytes)
        return fail(QStringLiteral("cannot read: %1").arg(reason));
    std::optional<Image> image = fromData(*bytes, &reason);
    if (!image)
        return fail(reason);
    image->m_d->path = path;
    return image;
}

std::optional<Image> Image::fromData(const QByteArray& encoded, QString* error)
{
    auto fail = [&](const QString& reason) -> std::optional<Image> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (encoded.isEmpty())
        return fail(QStringLiteral("not an image (empty file)"));
    if (encoded.size() > kMaxEncodedBytes)
        return fail(QStringLiteral("too large: %1 MB of data").arg(encoded.size() >> 20));

    ensureAllocationLimit();
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return fail(QStringLiteral("not an image (unknown format)"));

    auto d = std::make_shared<Private>();
    d->encoded = encoded;
    d->format = format;
    QSize stored = reader.size();
    if (stored.isValid()) {
        const qint64 pixels = qint64(stored.width()) * stored.height();
        if (pixels > decodeLimitPixels())
            return fail(QStringLiteral("too large: %1 × %2 pixels (the limit is %3 megapixels)")
                            .arg(stored.width())
                            .arg(stored.height())
                            .arg(decodeLimitPixels() / 1'000'000));
        d->transformation = reader.transformation();
        d->rotated = d->transformation.testFlag(QImageIOHandler::TransformationRotate90);
        d->size = d->rotated ? stored.transposed() : stored;
        const QImage::Format f = reader.imageFormat();
        d->hasAlpha = f == QImage::Format_Invalid
            || QImage::toPixelFormat(f).alphaUsage() == QPixelFormat::UsesAlpha;
    } else {
        // A reader that cannot tell the size up front: decode once, under
        // the reader's allocation guard, and keep the pixels as the source.
        QImage image = reader.read();
        if (image.isNull())
            return fail(QStringLiteral("not an image (%1)").arg(reader.errorString()));
        if (qint64(image.width()) * image.height() > decodeLimitPixels())
            return fail(
                QStringLiteral("too large: %1 × %2 pixels").arg(image.width()).arg(image.height()));
        d->hasAlpha = image.hasAlphaChannel();
        d->source = toPremultiplied(std::move(image));
        d->size = d->source.size();
    }
    if (d->size.isEmpty())
        return fail(QStringLiteral("not an image (no pixels)"));
    return Image(std::move(d));
}

Image Image::fromPixels(const QImage& pixels)
{
    if (pixels.isNull())
        return {};
    auto d = std::make_shared<Private>();
    d->hasAlpha = pixels.hasAlphaChannel();
    d->source = toPremultiplied(pixels);
    d->size = d->source.size();
    return Image(std::move(d));
}

bool Image::isNull() const
{
    return !m_d || m_d->size.isEmpty();
}

Size Image::size() const
{
    return Size(QSizeF(pixelSize()));
}

QSize Image::pixelSize() const
{
    return m_d ? m_d->size : QSize(0, 0);
}

QString Image::filePath() const
{
    return m_d ? m_d->path : QString();
}

QByteArray Image::encodedData() const
{
    return m_d ? m_d->encoded : QByteArray();
}

bool Image::hasAlphaChannel() const
{
    return !m_d || m_d->hasAlpha;
}

QImage Image::pixels(QSize needed) const
{
    if (isNull())
        return {};
    std::lock_guard lock(m_d->mutex);
    return m_d->level(m_d->shiftFor(needed));
}

QImage Image::fullPixels() const
{
    if (isNull())
        return {};
    std::lock_guard lock(m_d->mutex);
    return m_d->level(0);
}

QImage Image::pixelsExactly(QSize size) const
{
    if (isNull() || size.isEmpty())
        return {};
    if (qint64(size.width()) * size.height() > decodeLimitPixels()) {
        qCWarning(lcImage) << "refused to resample to" << size << "pixels";
        return {};
    }
    std::lock_guard lock(m_d->mutex);
    if (m_d->exact.size() == size)
        return m_d->exact;
    const QImage level = m_d->level(m_d->shiftFor(size));
    if (level.isNull())
        return level;
    m_d->exact = resampled(level, size);
    return m_d->exact;
}

QImage Image::scaledPart(QSize scaledSize, const QRect& part) const
{
    const QRect whole(QPoint(0, 0), scaledSize);
    if (isNull() || scaledSize.isEmpty() || !part.intersects(whole))
        return {};
    if (qint64(part.width()) * part.height() > decodeLimitPixels()) {
        qCWarning(lcImage) << "refused to resample to" << part.size() << "pixels";
        return {};
    }
    const int shift = m_d->shiftFor(scaledSize);
    QImage level;
    {
        // A cached level at least as large serves; otherwise the level is
        // decoded for this answer alone and dropped with it, so that one
        // render of large photos does not leave them all in memory.
        std::lock_guard lock(m_d->mutex);
        if (!m_d->source.isNull())
            level = m_d->source;
        for (const Private::Level& l : m_d->levels) {
            if (l.shift <= shift && (level.isNull() || l.image.width() < level.width()))
                level = l.image;
        }
    }
    // A JPEG without such a level is decoded at the DCT scale that covers the
    // size, and only the region under the part.
    const bool region = level.isNull() && m_d->decodesParts();
    const int dct = std::min(shift, kMaxDctShift);
    if (level.isNull() && !region)
        level = m_d->decode(shift);
    const QSize levelSize = region ? m_d->dctSize(dct) : level.size();
    if (levelSize.isEmpty())
        return {};

    // Level pixels per scaled pixel. The part is cut from the level widened
    // to whole level pixels, resampled, and the exact part cut from that.
    const double rx = double(levelSize.width()) / scaledSize.width();
    const double ry = double(levelSize.height()) / scaledSize.height();
    const QRect clipped = part & whole;
    const QRect piece =
        QRectF(clipped.x() * rx, clipped.y() * ry, clipped.width() * rx, clipped.height() * ry)
            .toAlignedRect()
        & QRect(QPoint(0, 0), levelSize);
    if (piece.isEmpty())
        return {};
    const QImage piecePixels = region ? m_d->decodeRegion(dct, piece) : level.copy(piece);
    if (piecePixels.isNull())
        return {};
    const QSize pieceSize(std::max(1, qRound(piece.width() / rx)),
                          std::max(1, qRound(piece.height() / ry)));
    const QImage resampledPiece = resampled(piecePixels, pieceSize);
    const QPoint offset(qRound(piece.x() / rx), qRound(piece.y() / ry));
    const QRect inPiece = part.translated(-offset);
    return inPiece == resampledPiece.rect() ? resampledPiece : resampledPiece.copy(inPiece);
}

void Image::prepare(const std::vector<std::pair<Image, QSize>>& requests)
{
    // One task per image, largest request first, so that the smaller levels
    // of the same image are reduced from the larger one instead of decoded.
    std::map<const void*, std::pair<Image, std::vector<QSize>>> byImage;
    for (const auto& [image, size] : requests) {
        if (image.isNull())
            continue;
        auto& entry = byImage[image.identity()];
        entry.first = image;
        entry.second.push_back(size);
    }
    std::vector<std::pair<Image, std::vector<QSize>>> tasks;
    for (auto& [id, entry] : byImage) {
        std::sort(entry.second.begin(), entry.second.end(), [](QSize a, QSize b) {
            return qint64(a.width()) * a.height() > qint64(b.width()) * b.height();
        });
        tasks.push_back(std::move(entry));
    }
    QtConcurrent::blockingMap(QThreadPool::globalInstance(), tasks, [](const auto& task) {
        for (QSize size : task.second)
            task.first.pixels(size);
    });
}

qint64 Image::decodeLimitPixels()
{
    return kDecodeLimit;
}

} // namespace kit
