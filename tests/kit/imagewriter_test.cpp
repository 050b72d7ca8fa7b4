#include "kit/imagewriter.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

using kit::ImageFormat;

namespace {

// Opaque colours with a transparent and a half-covered block of 8 × 8
// pixels (whole JPEG blocks) at the top left.
QImage sample(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x * y) % 256));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            image.setPixel(x, y, 0);
            image.setPixel(x + 8, y, qPremultiply(qRgba(200, 100, 50, 128)));
        }
    }
    return image;
}

} // namespace

TEST(ImageWriter, EveryFormatRoundTrips)
{
    QTemporaryDir dir;
    const QImage image = sample(37, 301); // tall enough for several stripes
    const struct
    {
        ImageFormat format;
        const char* readerName;
        bool lossless;
        bool keepsAlpha;
    } cases[] = {
        { ImageFormat::Png, "png", true, true },
        { ImageFormat::Jpeg, "jpeg", false, false },
        { ImageFormat::Tiff, "tiff", true, true },
        { ImageFormat::Bmp, "bmp", true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.readerName);
        const QString path = dir.filePath("out." + kit::formatExtension(c.format));
        QString error;
        ASSERT_TRUE(kit::writeImage(image, path, c.format, &error)) << error.toStdString();
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), QByteArray(c.readerName));
        const QImage back = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(back.size(), image.size());
        const QImage expected = image.convertToFormat(QImage::Format_ARGB32);
        if (c.lossless) {
            EXPECT_EQ(back.pixel(20, 10), expected.pixel(20, 10));
        }
        EXPECT_EQ(qAlpha(back.pixel(4, 4)), c.keepsAlpha ? 0 : 255);
        EXPECT_EQ(qAlpha(back.pixel(12, 4)), c.keepsAlpha ? 128 : 255);
        if (!c.keepsAlpha) { // laid on white paper, as a print
            const int tolerance = c.lossless ? 1 : 10;
            EXPECT_TRUE(testsupport::sameColor(back.pixelColor(4, 4), Qt::white, tolerance));
            EXPECT_TRUE(
                testsupport::sameColor(back.pixelColor(12, 4), QColor(227, 177, 152), tolerance))
                << back.pixelColor(12, 4).name().toStdString();
        }
    }
    // PNG keeps every pixel, including the colour under partial alpha.
    EXPECT_EQ(QImage(dir.filePath("out.png")).convertToFormat(QImage::Format_ARGB32),
              image.convertToFormat(QImage::Format_ARGB32));
}

TEST(ImageWriter, FailedWritesLeaveNothingBehind)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath("keep.png");
    ASSERT_TRUE(kit::writeImage(sample(8, 8), existing, ImageFormat::Png, nullptr));
    const QByteArray before = testsupport::readFile(existing);

    const struct
    {
        const char* name;
        QImage image;
        QString path;
        ImageFormat format;
    } cases[] = {
        { "folder missing", sample(8, 8), dir.filePath("no/such/folder/out.png"),
          ImageFormat::Png },
        { "path is a folder", sample(8, 8), dir.path(), ImageFormat::Png },
        { "empty picture", QImage(), existing, ImageFormat::Png },
        // Wider than PNG encoders accept: fails after the file was opened.
        { "PNG encoder refuses", QImage(1000001, 1, QImage::Format_RGB32), existing,
          ImageFormat::Png },
        // Wider than JPEG can describe.
        { "JPEG encoder refuses", QImage(70000, 1, QImage::Format_RGB32), existing,
          ImageFormat::Jpeg },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(kit::writeImage(c.image, c.path, c.format, &error));
        EXPECT_TRUE(error.startsWith(QLatin1String("Cannot write"))) << error.toStdString();
        EXPECT_GT(error.size(), QStringLiteral("Cannot write %1: ").arg(c.path).size());
        EXPECT_EQ(testsupport::readFile(existing), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { "keep.png" });
    }
}
