#include "kit/path.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

using kit::Path;
using kit::Rect;

TEST(Path, ContainsUsesNonZeroWinding)
{
    // Two overlapping squares drawn in the same direction: the overlap is
    // inside under non-zero winding (it would be a hole under even-odd).
    Path p = Path::rect({ 0, 0, 10, 10 });
    p.addPath(Path::rect({ 5, 5, 10, 10 }));
    EXPECT_TRUE(p.contains({ 7, 7 }));
    EXPECT_TRUE(p.contains({ 2, 2 }));
    EXPECT_FALSE(p.contains({ 12, 2 }));
    EXPECT_FALSE(Path().contains({ 0, 0 }));
}

TEST(Path, ScaledPathAboutPointsAndIdentity)
{
    const Path square = Path::rect({ 0, 0, 10, 10 });
    EXPECT_EQ(square.scaledPath(1.0f), square);

    const struct
    {
        float s, x, y;
        Rect expected;
    } cases[] = {
        { 0.5f, 0, 0, { 2.5, 2.5, 5, 5 } }, // about the centre
        { 0.5f, 0.5f, 0.5f, { 5, 5, 5, 5 } }, // about the upper right corner
        { 2.0f, -0.5f, -0.5f, { 0, 0, 20, 20 } }, // about the lower left corner
    };
    for (const auto& c : cases)
        EXPECT_TRUE(testsupport::rectNear(square.scaledPath(c.s, c.x, c.y).bounds(), c.expected));
}
