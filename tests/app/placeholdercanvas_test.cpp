#include "app/placeholdercanvas.h"

#include "kit/render.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QImageReader>
#include <QTemporaryDir>

using testsupport::pixelYUp;
using testsupport::sameColor;

namespace {

kit::Image solid(QColor color)
{
    QImage pixels(20, 10, QImage::Format_RGB32);
    pixels.fill(color);
    return kit::Image::fromPixels(pixels);
}

} // namespace

TEST(PlaceholderCanvas, DrawsItsPlateWithTheDecorations)
{
    PlaceholderCanvas canvas(PlaceholderCanvas::Kind::FreeLayout, { 0, 0, 200, 100 });
    canvas._setHasShadow(false);
    const kit::Rect plate = canvas.plateRect();
    const int cornerX = int(plate.minX()), cornerY = int(plate.minY());
    const int edgeX = int(plate.midX()), edgeY = int(plate.minY()) + 2;

    QImage plain = kit::renderToImage(canvas);
    EXPECT_TRUE(sameColor(pixelYUp(plain, cornerX, cornerY), Qt::white));
    EXPECT_EQ(pixelYUp(plain, 1, 1).alpha(), 0);

    canvas._setHasCorner(true);
    QImage rounded = kit::renderToImage(canvas);
    EXPECT_EQ(pixelYUp(rounded, cornerX, cornerY).alpha(), 0);

    canvas._setBackgroundView(BackgroundEntry { 1, {}, {} });
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(canvas), edgeX, edgeY), Qt::black));
    canvas._setBackgroundView(BackgroundEntry { 5, solid(Qt::red), QStringLiteral("r.png") });
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(canvas), edgeX, edgeY), Qt::red));

    canvas._setHasShadow(true);
    canvas._setHasCorner(false);
    EXPECT_GT(pixelYUp(kit::renderToImage(canvas), edgeX, int(plate.minY()) - 2).alpha(), 0);
    canvas.clear();
    EXPECT_FALSE(canvas.backgroundView().has_value());
}

TEST(PlaceholderCanvas, ShowsPhotosAndWritesItself)
{
    PlaceholderCanvas canvas(PlaceholderCanvas::Kind::Serial, { 0, 0, 120, 160 });
    canvas._setHasShadow(false);
    canvas.addPhotos({ solid(Qt::blue), kit::Image() });
    ASSERT_EQ(canvas.photos().size(), 1u);
    EXPECT_FLOAT_EQ(canvas.ratio(), 1.5f);
    EXPECT_TRUE(sameColor(pixelYUp(kit::renderToImage(canvas), 60, 80), Qt::blue, 8));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.png"));
    QString error;
    ASSERT_TRUE(canvas.saveToURL(path, kit::ImageFormat::Png, &error)) << qPrintable(error);
    EXPECT_EQ(QImageReader(path).size(), QSize(120, 160));
    EXPECT_FALSE(canvas.saveToURL(dir.filePath(QStringLiteral("missing/out.png")),
                                  kit::ImageFormat::Png, &error));
    EXPECT_FALSE(error.isEmpty());
}
