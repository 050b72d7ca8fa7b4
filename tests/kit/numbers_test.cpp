#include "kit/numbers.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include <QString>

TEST(Numbers, LenientPrefixes)
{
    const struct
    {
        const char* text;
        float f;
        qint64 i;
    } cases[] = {
        { "0.5x", 0.5f, 0 }, { "x", 0, 0 },     { "  -2.25", -2.25f, -2 }, { "1e2", 100, 1 },
        { "1e+", 1, 1 },     { ".5", 0.5f, 0 }, { "255\r", 255, 255 },     { "12abc", 12, 12 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kit::floatValue(QString::fromLatin1(c.text)), c.f) << c.text;
        EXPECT_EQ(kit::integerValue(QString::fromLatin1(c.text)), c.i) << c.text;
    }
}

TEST(Numbers, OverflowIsInfiniteOrSaturated)
{
    EXPECT_TRUE(std::isinf(kit::floatValue(u"1e999")));
    EXPECT_EQ(kit::integerValue(u"99999999999999999999999"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(kit::integerValue(u"-99999999999999999999999"), std::numeric_limits<qint64>::min());
}
