#include "kit/graphicscontext.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <functional>

#include <QPainter>

using kit::CompositeOp;
using kit::GraphicsContext;
using kit::Image;
using kit::Path;
using kit::Rect;
using kit::Shadow;
using testsupport::pixelYUp;
using testsupport::sameColor;

namespace {

using Draw = std::function<void(GraphicsContext&)>;

// Draws on a white canvas through a y-up painter, as hosts and renders do.
QImage render(QSize size, const std::function<void(GraphicsContext&)>& draw,
              bool highQuality = false, QColor background = Qt::white)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    painter.translate(0, size.height());
    painter.scale(1, -1);
    GraphicsContext gc(painter);
    gc.setHighQuality(highQuality);
    draw(gc);
    return image;
}

Image quadrants()
{
    return Image::fromPixels(testsupport::quadrants({ 20, 20 }));
}

int darkness(const QColor& c)
{
    return 255 - qGray(c.rgb());
}

} // namespace

TEST(GraphicsContext, ImagesAreDrawnUprightAndUnmirrored)
{
    const Image image = quadrants();
    const QColor R(Qt::red), G(Qt::green), B(Qt::blue), W(Qt::white);
    const struct
    {
        const char* name;
        Rect dest;
        std::optional<Rect> source; // lower-left origin
        bool rotate180;
        QColor upperLeft, upperRight, lowerLeft, lowerRight;
    } cases[] = {
        { "whole", { 10, 10, 40, 40 }, {}, false, R, G, B, W },
        { "lower left quarter", { 10, 10, 40, 40 }, Rect(0, 0, 10, 10), false, B, B, B, B },
        { "upper right quarter", { 10, 10, 40, 40 }, Rect(10, 10, 10, 10), false, G, G, G, G },
        { "zoomed past the canvas", { -170, -170, 400, 400 }, {}, false, R, G, B, W },
        { "turned half round", { 10, 10, 40, 40 }, {}, true, W, B, G, R },
    };
    for (bool hq : { false, true }) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (hq ? " (high quality)" : ""));
            const QImage out = render(
                { 60, 60 },
                [&](GraphicsContext& gc) {
                    if (c.rotate180) {
                        gc.translate(60, 60);
                        gc.concat(kit::AffineTransform::rotation(180));
                    }
                    gc.drawImage(image, c.dest, c.source);
                },
                hq);
            EXPECT_TRUE(sameColor(pixelYUp(out, 15, 45), c.upperLeft, 8))
                << pixelYUp(out, 15, 45).name().toStdString();
            EXPECT_TRUE(sameColor(pixelYUp(out, 45, 45), c.upperRight, 8));
            EXPECT_TRUE(sameColor(pixelYUp(out, 15, 15), c.lowerLeft, 8));
            EXPECT_TRUE(sameColor(pixelYUp(out, 45, 15), c.lowerRight, 8));
            if (!c.dest.contains({ 5, 5 })) {
                EXPECT_TRUE(sameColor(pixelYUp(out, 5, 5), W));
            }
        }
    }
}

TEST(GraphicsContext, ReductionsAreAveragedInBothModes)
{
    // One-pixel columns drawn at a third of their width: averaging gives an
    // even grey, sampling would give black and white bars.
    QImage stripes(300, 30, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 30; ++y)
            stripes.setPixel(x, y, x % 2 ? 0xffffffff : 0xff000000);
    const Image image = Image::fromPixels(stripes);
    for (bool hq : { false, true }) {
        SCOPED_TRACE(hq ? "high quality" : "fast");
        const QImage out = render(
            { 120, 20 },
            [&](GraphicsContext& gc) {
                gc.drawImage(image, { 10, 5, 100, 10 });
            },
            hq);
        int lightest = 0, darkest = 255;
        for (int x = 11; x < 109; ++x) {
            const int grey = qGray(pixelYUp(out, x, 10).rgb());
            lightest = std::max(lightest, grey);
            darkest = std::min(darkest, grey);
        }
        EXPECT_GT(darkest, 90);
        EXPECT_LT(lightest, 165);
    }
}

TEST(GraphicsContext, ShadowFallsBelowEveryKindOfDrawing)
{
    QImage argb(8, 8, QImage::Format_ARGB32_Premultiplied);
    argb.fill(Qt::blue);
    const Image withAlpha = Image::fromPixels(argb);
    ASSERT_TRUE(withAlpha.hasAlphaChannel());

    const Rect shape(30, 40, 40, 20);
    const struct
    {
        const char* name;
        Draw draw;
    } operations[] = {
        { "fillRect", Draw([&](GraphicsContext& gc) { gc.fillRect(shape); }) },
        { "fill", Draw([&](GraphicsContext& gc) { gc.fill(Path::roundedRect(shape, 20, 10)); }) },
        { "fillRoundedRect", Draw([&](GraphicsContext& gc) { gc.fillRoundedRect(shape, 4, 4); }) },
        { "stroke",
          Draw([&](GraphicsContext& gc) { gc.stroke(Path::rect(shape.insetBy(2, 2)), 4); }) },
        { "drawImage", Draw([&](GraphicsContext& gc) { gc.drawImage(quadrants(), shape); }) },
        { "drawImage with alpha",
          Draw([&](GraphicsContext& gc) { gc.drawImage(withAlpha, shape); }) },
    };
    const Shadow shadow { 4, { 0, -2 }, QColor(0, 0, 0, 255) };
    for (const auto& op : operations) {
        SCOPED_TRACE(op.name);
        const QImage plain = render({ 100, 100 }, [&](GraphicsContext& gc) {
            gc.setColor(Qt::red);
            op.draw(gc);
        });
        const QImage shadowed = render({ 100, 100 }, [&](GraphicsContext& gc) {
            gc.setColor(Qt::red);
            gc.setShadow(shadow);
            op.draw(gc);
        });
        // Just below the shape the shadow darkens the white; just above it
        // the offset leaves less shadow than below.
        const int below = darkness(pixelYUp(shadowed, 50, 38));
        const int above = darkness(pixelYUp(shadowed, 50, 61));
        EXPECT_GT(below, 40);
        EXPECT_LT(above, below / 2);
        EXPECT_EQ(darkness(pixelYUp(plain, 50, 38)), 0);
        // The shape itself is drawn over its shadow.
        EXPECT_TRUE(sameColor(pixelYUp(shadowed, 32, 52), pixelYUp(plain, 32, 52)));
        // Far from the shape nothing changes.
        EXPECT_EQ(darkness(pixelYUp(shadowed, 50, 20)), 0);
    }
}

TEST(GraphicsContext, ShadowFollowsStateAndClip)
{
    const Rect shape(30, 40, 40, 20);
    const Shadow black { 4, { 0, -4 }, Qt::black };
    const struct
    {
        const char* name;
        Draw draw;
        bool shadowBelow;
    } cases[] = {
        { "set", Draw([&](GraphicsContext& gc) { gc.setShadow(black); }), true },
        { "restored away", Draw([&](GraphicsContext& gc) {
              gc.save();
              gc.setShadow(black);
              gc.restore();
          }),
          false },
        { "transparent colour", Draw([&](GraphicsContext& gc) {
              gc.setShadow({ 4, { 0, -4 }, Qt::transparent });
          }),
          false },
        { "clipped to the shape", Draw([&](GraphicsContext& gc) {
              gc.setShadow(black);
              gc.clipToRect(shape);
          }),
          false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage out = render({ 100, 100 }, [&](GraphicsContext& gc) {
            c.draw(gc);
            gc.drawImage(quadrants(), shape);
        });
        EXPECT_EQ(darkness(pixelYUp(out, 50, 37)) > 40, c.shadowBelow);
        EXPECT_TRUE(sameColor(pixelYUp(out, 35, 55), Qt::red, 8));
    }
}

TEST(GraphicsContext, CopyReplacesAndClipLimits)
{
    QImage half(4, 4, QImage::Format_ARGB32_Premultiplied);
    half.fill(QColor(0, 0, 255, 128));
    const Image translucent = Image::fromPixels(half);
    Path triangle;
    triangle.moveTo({ 0, 0 });
    triangle.lineTo({ 100, 0 });
    triangle.lineTo({ 0, 100 });
    triangle.close();

    for (bool hq : { false, true }) {
        SCOPED_TRACE(hq ? "high quality" : "fast");
        const QImage over = render(
            { 100, 100 },
            [&](GraphicsContext& gc) {
                gc.drawImage(translucent, { 0, 0, 100, 100 });
            },
            hq, Qt::red);
        const QImage copied = render(
            { 100, 100 },
            [&](GraphicsContext& gc) {
                gc.clip(triangle);
                gc.drawImage(translucent, { 0, 0, 100, 100 }, {}, CompositeOp::Copy);
            },
            hq, Qt::red);
        // Source over blends with the red below; copy keeps the image's own
        // half-transparent blue, but only inside the clip.
        EXPECT_TRUE(sameColor(pixelYUp(over, 20, 20), QColor(127, 0, 128, 255), 3));
        EXPECT_TRUE(sameColor(pixelYUp(copied, 20, 20), QColor(0, 0, 255, 128), 3));
        EXPECT_TRUE(sameColor(pixelYUp(copied, 80, 80), Qt::red, 0));
    }
}
