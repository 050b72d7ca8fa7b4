#include "kit/image.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

using kit::Image;
using testsupport::sameColor;

namespace {

// Landscape, first row at the top: red | green over blue | white.
QImage quadrantPicture(int w, int h)
{
    QImage q(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            q.setPixelColor(x, y,
                            y < h / 2 ? (x < w / 2 ? Qt::red : Qt::green)
                                      : (x < w / 2 ? Qt::blue : Qt::white));
    return q;
}

QByteArray jpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    writer.write(image);
    return bytes;
}

// An APP1 segment holding one IFD entry, Orientation, right after SOI.
QByteArray withExifOrientation(QByteArray jpegBytes, quint16 orientation)
{
    QByteArray tiff("MM\0\x2a\0\0\0\x08", 8);
    tiff += QByteArray("\0\x01", 2); // one entry
    tiff += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8); // Orientation, SHORT, count 1
    tiff += char(orientation >> 8);
    tiff += char(orientation & 0xff);
    tiff += QByteArray("\0\0\0\0\0\0", 6); // padding, no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xff\xe1", 2);
    segment += char((payload.size() + 2) >> 8);
    segment += char((payload.size() + 2) & 0xff);
    segment += payload;
    return jpegBytes.insert(2, segment);
}

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk(4, 0);
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray crc(4, 0);
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))),
        crc.data());
    return chunk + body + crc;
}

// A valid PNG header for an RGB picture of w × h, with a token IDAT.
QByteArray pngHeader(quint32 w, quint32 h)
{
    QByteArray ihdr(13, 0);
    qToBigEndian<quint32>(w, ihdr.data());
    qToBigEndian<quint32>(h, ihdr.data() + 4);
    ihdr[8] = 8; // bit depth
    ihdr[9] = 2; // RGB
    const QByteArray idat("\x78\x01\x01\x00\x00\xff\xff\x00\x00\x00\x01", 11);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) + pngChunk("IDAT", idat)
        + pngChunk("IEND", {});
}

} // namespace

TEST(Image, LevelsAreReducedUprightAndCoverTheRequest)
{
    const QByteArray plain = jpeg(quadrantPicture(1600, 1200));
    const struct
    {
        const char* name;
        QByteArray bytes;
        QSize upright;
        QSize request;
        QSize level;
        QColor upperLeft;
    } cases[] = {
        { "landscape", plain, { 1600, 1200 }, { 300, 200 }, { 400, 300 }, Qt::red },
        { "landscape, exact level", plain, { 1600, 1200 }, { 200, 150 }, { 200, 150 }, Qt::red },
        { "beyond DCT scaling", plain, { 1600, 1200 }, { 40, 30 }, { 50, 37 }, Qt::red },
        { "full size", plain, { 1600, 1200 }, { 1601, 10 }, { 1600, 1200 }, Qt::red },
        // Orientation 6 turns the stored picture a quarter clockwise: its
        // blue lower left corner becomes the upper left.
        { "EXIF orientation 6",
          withExifOrientation(plain, 6),
          { 1200, 1600 },
          { 200, 300 },
          { 300, 400 },
          Qt::blue },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        const auto image = Image::fromData(c.bytes, &error);
        ASSERT_TRUE(image) << error.toStdString();
        EXPECT_EQ(image->pixelSize(), c.upright);
        const QImage level = image->pixels(c.request);
        EXPECT_EQ(level.size(), c.level);
        EXPECT_EQ(level.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(
            sameColor(level.pixelColor(level.width() / 8, level.height() / 8), c.upperLeft, 12));
        // A repeated request is answered from the cache.
        EXPECT_EQ(image->pixels(c.request).cacheKey(), level.cacheKey());
    }
}

TEST(Image, ReductionsAverageAreasNeverSample)
{
    // One-pixel black and white columns: nearest-neighbour sampling would
    // answer pure black or white, averaging answers greys.
    QImage stripes(300, 30, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 30; ++y)
            stripes.setPixel(x, y, x % 2 ? 0xffffffff : 0xff000000);
    const Image image = Image::fromPixels(stripes);
    const QImage reductions[] = { image.pixelsExactly({ 100, 10 }),
                                  image.pixelsExactly({ 150, 15 }), image.pixels({ 70, 7 }) };
    for (const QImage& r : reductions) {
        ASSERT_FALSE(r.isNull());
        for (int x = 0; x < r.width(); ++x) {
            const int grey = qRed(r.pixel(x, r.height() / 2));
            EXPECT_GT(grey, 60) << r.width() << " at " << x;
            EXPECT_LT(grey, 195) << r.width() << " at " << x;
        }
    }
    EXPECT_EQ(image.pixels({ 70, 7 }).width(), 75);
}

TEST(Image, RefusesWhatItCannotOrShouldNotDecode)
{
    QTemporaryDir dir;
    const QString notAnImage = dir.filePath("notes.png");
    QFile text(notAnImage);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are not pixels");
    text.close();

    const struct
    {
        const char* name;
        std::function<std::optional<Image>(QString*)> load;
        const char* reason;
    } cases[] = {
        { "100000 × 100000 PNG",
          [](QString* e) { return Image::fromData(pngHeader(100000, 100000), e); }, "too large" },
        { "text", [&](QString* e) { return Image::load(notAnImage, e); }, "not an image" },
        { "empty data", [](QString* e) { return Image::fromData({}, e); }, "not an image" },
        { "missing file", [&](QString* e) { return Image::load(dir.filePath("gone.jpg"), e); },
          "cannot open" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(c.load(&error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
    }

    // The limit is a setting; a picture over it is refused before decoding.
    const qint64 limit = Image::decodeLimitPixels();
    Image::setDecodeLimitPixels(1000);
    QString error;
    EXPECT_FALSE(Image::fromData(jpeg(quadrantPicture(40, 30)), &error));
    EXPECT_TRUE(Image::fromData(jpeg(quadrantPicture(30, 30)), &error));
    Image::setDecodeLimitPixels(limit);
}

TEST(Image, PrepareFillsTheCachesOfSeveralImages)
{
    std::vector<Image> images;
    std::vector<std::pair<Image, QSize>> requests;
    for (int i = 0; i < 4; ++i) {
        images.push_back(*Image::fromData(jpeg(quadrantPicture(800 + 16 * i, 600))));
        requests.push_back({ images.back(), { 100, 75 } });
        requests.push_back({ images.back(), { 400, 300 } });
    }
    requests.push_back({ Image(), { 10, 10 } });
    Image::prepare(requests);
    for (const Image& image : images) {
        EXPECT_EQ(image.pixels({ 400, 300 }).height(), 300);
        EXPECT_EQ(image.pixels({ 100, 75 }).height(), 75);
    }
}
