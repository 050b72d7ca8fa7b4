#include "kit/imagewriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

using kit::ImageFormat;

namespace {

// Opaque colours with one transparent and one half-covered pixel.
QImage sample(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x * y) % 256));
    image.setPixel(0, 0, 0);
    image.setPixel(1, 0, qPremultiply(qRgba(200, 100, 50, 128)));
    return image;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
        EXPECT_EQ(qAlpha(back.pixel(0, 0)), c.keepsAlpha ? 0 : 255);
        EXPECT_EQ(qAlpha(back.pixel(1, 0)), c.keepsAlpha ? 128 : 255);
        if (!c.keepsAlpha) { // transparent pixels come out black, not stray colours
            EXPECT_LT(qGray(back.pixel(0, 0)), 24);
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
    const QByteArray before = contents(existing);

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
        EXPECT_EQ(contents(existing), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { "keep.png" });
    }
}
