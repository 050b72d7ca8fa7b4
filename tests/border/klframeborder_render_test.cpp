#include "border/klframeborder.h"
#include "support/testsupport.h"

#include <cmath>

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>

using kit::Rect;

namespace {

// Fills `outline` in opaque black on a transparent image of the given size,
// y-up and clipped to the image as a canvas draws it; no antialiasing, so a
// pixel is filled exactly when its centre is inside.
QImage fill(const kit::Path& outline, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(0, height);
    painter.scale(1, -1);
    painter.setClipRect(0, 0, width, height);
    painter.fillPath(outline.toQt(), Qt::black);
    return image;
}

bool filled(const QImage& image, int x, int y)
{
    return testsupport::pixelYUp(image, x, y).alpha() == 255;
}

// Filled pixels inside the half-open pixel box [x0, x1) × [y0, y1), y-up.
qint64 filledIn(const QImage& image, int x0, int y0, int x1, int y1)
{
    qint64 count = 0;
    for (int y = y0; y < y1; ++y) {
        const QRgb* row =
            reinterpret_cast<const QRgb*>(image.constScanLine(image.height() - 1 - y));
        for (int x = x0; x < x1; ++x)
            count += qAlpha(row[x]) == 255 ? 1 : 0;
    }
    return count;
}

QString resourcesFolder()
{
    return qEnvironmentVariable("TESSERA_RESOURCES", QStringLiteral(TESSERA_SOURCE_RESOURCES));
}

} // namespace

TEST(KLFrameBorderRender, ZigzagTeethAreCutFromTheBand)
{
    // 200 x 100, unit 20, depth 10: nine teeth along the top and bottom and
    // four on each side. Each V notch has its apex on the band's inner line.
    const auto zigzag = KLFrameBorder::fromText("0.2,2,0,1\nL:0.5,0,1,1\n", "zigzag.bdr");
    ASSERT_TRUE(zigzag);
    const QImage image = fill(zigzag->borderPathForRect({ 0, 0, 200, 100 }), 200, 100);

    const struct
    {
        int x, y;
        bool inside;
    } pixels[] = {
        { 100, 50, true }, // the middle
        { 19, 97, false },  { 29, 97, true }, // top: notch over x = 20, tooth tip at 30
        { 19, 88, true }, // below the notch's apex
        { 197, 79, false }, { 197, 69, true }, // right: notch at y = 80, tip at 70
        { 179, 2, false },  { 169, 2, true }, // bottom: notch at x = 180, tip at 170
        { 2, 19, false },   { 2, 29, true }, // left: notch at y = 20, tip at 30
        { 1, 98, false }, // the top-left corner is cut diagonally
        { 12, 12, true }, // just inside the inner corner
    };
    for (const auto& p : pixels) {
        SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
        EXPECT_EQ(filled(image, p.x, p.y), p.inside);
    }
}

TEST(KLFrameBorderRender, ShippedBordersKeepTheirMotifInsideTheBand)
{
    const QDir folder(resourcesFolder() + "/Borders");
    const QStringList files = folder.entryList({ "*.bdr" }, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 12);

    const kit::Size sizes[] = { { 640, 400 }, { 400, 400 }, { 3072, 2048 } };
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const auto border = KLFrameBorder::initWithBorderFile(folder.filePath(name));
        ASSERT_TRUE(border);

        // The thumbnail is a square picture of the border on a clear ground.
        const QImage thumbnail(folder.filePath(QFileInfo(name).completeBaseName() + ".png"));
        ASSERT_FALSE(thumbnail.isNull());
        EXPECT_EQ(thumbnail.width(), thumbnail.height());
        EXPECT_EQ(thumbnail.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(thumbnail.pixelColor(thumbnail.width() / 2, thumbnail.height() / 2).alpha(), 255);

        for (const kit::Size& size : sizes) {
            SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
            const int w = int(size.width);
            const int h = int(size.height);
            const Rect rect(0, 0, w, h);
            const kit::Path outline = border->borderPathForRect(rect);
            const double depth = border->depthForRect(rect);
            ASSERT_GT(depth, 0);
            const Rect bounds = outline.bounds();
            EXPECT_GE(bounds.minX(), -depth);
            EXPECT_LE(bounds.maxX(), w + depth);
            EXPECT_GE(bounds.minY(), -depth);
            EXPECT_LE(bounds.maxY(), h + depth);

            const QImage image = fill(outline, w, h);
            // Everything inside the band is filled, as the template canvas
            // insets its cells by the depth.
            const int inset = int(std::ceil(depth)) + 1;
            EXPECT_EQ(filledIn(image, inset, inset, w - inset, h - inset),
                      qint64(w - 2 * inset) * (h - 2 * inset));
            // The motif cuts into the band but leaves most of it.
            const double coverage = double(filledIn(image, 0, 0, w, h)) / (double(w) * h);
            EXPECT_LT(coverage, 0.995);
            EXPECT_GT(coverage, 0.8);
            // Shipped borders close every corner with a square piece.
            EXPECT_TRUE(filled(image, 1, 1));
            EXPECT_TRUE(filled(image, w - 2, 1));
            EXPECT_TRUE(filled(image, 1, h - 2));
            EXPECT_TRUE(filled(image, w - 2, h - 2));
        }
    }
}
