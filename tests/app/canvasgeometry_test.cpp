#include "app/canvasgeometry.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using canvasgeometry::ratioFrames;
using canvasgeometry::serialFrames;

TEST(CanvasGeometry, RatioFramesFitCentreAndKeepTheRatio)
{
    const struct
    {
        kit::Size scroll;
        float a, b, zoom;
        kit::Rect document, canvas;
    } cases[] = {
        { { 800, 600 }, 3, 4, 1, { 1, 1, 798, 598 }, { 189, 19, 420, 560 } },
        // Taller than wide: fitted 375 × 500, not 500 × 666.7.
        { { 500, 800 }, 3, 4, 1, { 1, 1, 498, 798 }, { 76.5, 169, 345, 460 } },
        // Wide ratio limited by the height: 16:9 in 800 × 400.
        { { 800, 400 }, 16, 9, 1, { 1, 1, 798, 398 }, { 63.4444, 10.25, 671.1111, 377.5 } },
    };
    for (const auto& t : cases) {
        const canvasgeometry::Frames f = ratioFrames(t.scroll, t.a, t.b, t.zoom);
        SCOPED_TRACE(testing::Message() << t.scroll.width << "x" << t.scroll.height << " " << t.a
                                        << ":" << t.b << " zoom " << t.zoom);
        EXPECT_TRUE(testsupport::rectNear(f.document, t.document, 1e-3));
        EXPECT_TRUE(testsupport::rectNear(f.canvas, t.canvas, 1e-3));
        EXPECT_NEAR(f.canvas.width() / f.canvas.height(), double(t.a) / t.b, 1e-4);
    }
    EXPECT_NEAR(canvasgeometry::fittedSize({ 500, 800 }, 0.75).height, 500, 1e-9);
}

TEST(CanvasGeometry, SerialFramesFollowTheContentRatio)
{
    const struct
    {
        float ratio, zoom;
        kit::Rect document, canvas;
    } cases[] = {
        { 2, 1, { 0, 0, 790, 590 }, { 38.1, 114.05, 713.8, 361.9 } },
        // Zoomed past the scroll view: the document grows with the canvas.
        { 2, 2, { 0, 0, 1407.6, 1080 }, { -5, 183.1, 1417.6, 713.8 } },
        // No content yet: shown square rather than as nothing.
        { 0, 1, { 0, 0, 790, 590 }, { 38.1, -61.9, 713.8, 713.8 } },
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(testing::Message() << "ratio " << t.ratio << " zoom " << t.zoom);
        const canvasgeometry::Frames f = serialFrames({ 800, 600 }, t.ratio, t.zoom);
        EXPECT_TRUE(testsupport::rectNear(f.document, t.document, 1e-3));
        EXPECT_TRUE(testsupport::rectNear(f.canvas, t.canvas, 1e-3));
    }
}

TEST(CanvasGeometry, TinyScrollViewsNeverGiveNegativeSizes)
{
    for (float zoom : { 1.0f, 3.0f }) {
        const auto f = ratioFrames({ 10, 8 }, 16, 9, zoom);
        EXPECT_GE(f.canvas.width(), 0);
        EXPECT_GE(f.canvas.height(), 0);
        const auto s = serialFrames({ 10, 8 }, 2, zoom);
        EXPECT_GE(s.canvas.width(), 0);
    }
}
