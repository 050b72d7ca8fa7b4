#include "kit/image.h"
#include "kit/jpegregion.h"

#include "support/testsupport.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <zlib.h>

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

using kit::Image;
using testsupport::jpegData;
using testsupport::sameColor;

namespace {

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
    const QImage quadrants = testsupport::quadrants({ 1600, 1200 });
    const QByteArray plain = jpegData(quadrants);
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
        { "beyond DCT scaling", plain, { 1600, 1200 }, { 40, 30 }, { 50, 37 }, Qt::red },
        { "full size", plain, { 1600, 1200 }, { 1601, 10 }, { 1600, 1200 }, Qt::red },
        // Orientation 6 turns the stored picture a quarter clockwise: its
        // blue lower left corner becomes the upper left.
        { "EXIF orientation 6",
          jpegData(quadrants, 6),
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

TEST(Image, RefusesWhatItCannotOrShouldNotDecode)
{
    QTemporaryDir dir;
    const QString notAnImage = testsupport::writeFile(dir.filePath("notes.png"), "not pixels");
    const QString fifo = dir.filePath("pipe.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

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
          "cannot read" },
        // Refused before reading: a pipe that no one writes.
        { "named pipe", [&](QString* e) { return Image::load(fifo, e); }, "named pipe" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(c.load(&error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
    }
}

TEST(Image, PrepareFillsTheCachesOfSeveralImages)
{
    std::vector<Image> images;
    std::vector<std::pair<Image, QSize>> requests;
    for (int i = 0; i < 4; ++i) {
        images.push_back(*Image::fromData(jpegData(testsupport::quadrants({ 800 + 16 * i, 600 }))));
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

// A render decodes only the part of a photo that shows, at the size drawn:
// the part must be the same pixels as that part of the whole scaled photo,
// upright, and transparent where it reaches beyond the photo.
TEST(Image, ScaledPartsAreThePartsOfTheScaledPicture)
{
    const QImage quadrants = testsupport::quadrants({ 1600, 1200 });
    const QByteArray plain = jpegData(quadrants);
    const Image landscape = *Image::fromData(plain);
    const Image turned = *Image::fromData(jpegData(quadrants, 6)); // 1200 × 1600
    const Image mirroredTurned = *Image::fromData(jpegData(quadrants, 7));
    const struct
    {
        const Image& image;
        QSize scaled;
        QRect part;
    } cases[] = {
        { landscape, { 700, 525 }, { 300, 200, 100, 120 } }, // DCT level, then averaged
        { landscape, { 2000, 1500 }, { 950, 700, 100, 100 } }, // enlarged
        { turned, { 600, 800 }, { 250, 350, 100, 100 } },
        { mirroredTurned, { 300, 400 }, { 0, 150, 200, 100 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scaled.width());
        const QImage whole = c.image.pixelsExactly(c.scaled);
        const QImage part = c.image.scaledPart(c.scaled, c.part);
        ASSERT_EQ(part.size(), c.part.size());
        for (QPoint at : { QPoint(2, 2), QPoint(c.part.width() - 3, c.part.height() - 3),
                           QPoint(c.part.width() / 2 + 5, c.part.height() / 2 + 5) })
            EXPECT_TRUE(sameColor(part.pixelColor(at), whole.pixelColor(at + c.part.topLeft()), 16))
                << at.x() << "," << at.y();
    }
    const QImage beyond = landscape.scaledPart({ 200, 150 }, { 190, 0, 20, 10 });
    ASSERT_EQ(beyond.size(), QSize(20, 10));
    EXPECT_TRUE(sameColor(beyond.pixelColor(5, 5), Qt::green, 12));
    EXPECT_EQ(beyond.pixelColor(15, 5).alpha(), 0);
    EXPECT_TRUE(landscape.scaledPart({ 200, 150 }, { 300, 0, 20, 10 }).isNull());
}

// Parts of large photos are decoded with libjpeg directly, cropped to the
// columns and rows around them: every pixel must be the pixel of the whole
// picture decoded at that scale, also at the picture's edges and when the
// part is cut from inside 8 × 8 blocks.
TEST(Image, DirectlyDecodedPartsMatchTheWholeDecodeExactly)
{
    // Whole 8 × 8 blocks at 1/8 (Qt's reader then scales by exactly 2^-dct),
    // but not whole 16 × 16 colour blocks.
    QImage photo(1000, 664, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            photo.setPixel(x, y,
                           qRgb((x + (seed >> 28)) % 256, (y * 3) % 256, (seed >> 24) & 0xff));
        }
    const QByteArray encoded = jpegData(photo);
    for (int dct : { 0, 1, 3 }) {
        QBuffer buffer;
        buffer.setData(encoded);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "jpeg");
        reader.setQuality(100);
        const int d = 1 << dct;
        reader.setScaledSize(photo.size() / d);
        const QImage whole = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_FALSE(whole.isNull());
        for (QRect part : { QRect(37, 23, 61, 45), whole.rect(), QRect(0, 0, 9, 9),
                            QRect(whole.width() - 13, whole.height() - 7, 13, 7) }) {
            SCOPED_TRACE(dct);
            const kit::JpegRegion region = kit::decodeJpegRegion(encoded, dct, part);
            ASSERT_EQ(region.pixels.size(), part.size());
            EXPECT_EQ(region.pixels, whole.copy(part)) << part.x() << "," << part.y();
        }
    }
    EXPECT_TRUE(kit::decodeJpegRegion(encoded, 1, { 490, 0, 20, 10 }).pixels.isNull());
    EXPECT_TRUE(kit::decodeJpegRegion(encoded.left(200), 1, { 0, 0, 20, 10 }).pixels.isNull());
}
