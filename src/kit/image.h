#pragma once

// An immutable, implicitly shared photo. It keeps the encoded bytes (its own
// copy), the pixel size after EXIF orientation, and a small cache of decoded
// levels. Pixels are decoded only when a draw asks for them, at the smallest
// level that still covers the size asked for.

#include "geometry.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace kit {

class Image
{
public:
    // A null image: size (0, 0), draws nothing.
    Image();

    // Reads and validates the file (format, size, decode limit) without
    // decoding its pixels. On failure answers nothing and, when `error` is
    // given, a sentence that names the reason ("not an image", "too large:
    // 100000 × 100000 pixels", ...).
    static std::optional<Image> load(const QString& path, QString* error = nullptr);
    static std::optional<Image> fromData(const QByteArray& encoded, QString* error = nullptr);
    // Wraps pixels that are already decoded (generated pictures, renders).
    static Image fromPixels(const QImage& pixels);

    bool isNull() const;
    // Pixel size with EXIF orientation applied.
    Size size() const;
    QSize pixelSize() const;
    int width() const { return pixelSize().width(); }
    int height() const { return pixelSize().height(); }
    QString filePath() const;
    QByteArray encodedData() const;
    // False when every pixel is known to be opaque (a JPEG, an RGB PNG),
    // which lets a shadow or a mask treat the picture as its rectangle.
    bool hasAlphaChannel() const;

    // Upright pixels (ARGB32 premultiplied) at least `needed` in both sides,
    // or the full image when it is smaller. Decoded at reduced scale where
    // the codec allows it, area-averaged, never nearest-neighbour sampled.
    // Levels are cached; a repeated request for the same size is cheap.
    // A null QImage when decoding fails.
    QImage pixels(QSize needed) const;
    QImage fullPixels() const;
    // Pixels of exactly `size` (area-averaged from the nearest level).
    QImage pixelsExactly(QSize size) const;

    // The rectangle `part` (pixels, y down) of the upright picture scaled to
    // `scaledSize`, area-averaged: a photo decoded at the size it is drawn,
    // only where it shows. Taken from a cached level when there is one that
    // covers the size, else decoded from the file at reduced scale where the
    // codec allows; the answer is not cached. A null QImage when decoding
    // fails, or `part` misses the scaled picture; the part of `part` outside
    // it is transparent.
    QImage scaledPart(QSize scaledSize, const QRect& part) const;

    // Decodes the levels of several images in parallel on the global thread
    // pool, so that a following render finds them in the cache.
    static void prepare(const std::vector<std::pair<Image, QSize>>& requests);

    // The decoded size (pixels) above which loading is refused.
    static qint64 decodeLimitPixels();

    // Identity of the shared data, for caches keyed by image.
    const void* identity() const { return m_d.get(); }
    bool operator==(const Image& o) const { return m_d == o.m_d; }

    struct Private;

private:
    explicit Image(std::shared_ptr<Private> d);
    std::shared_ptr<Private> m_d;
};

} // namespace kit
