#include "app/exportsettings.h"
#include "app/ratiotable.h"

#include <gtest/gtest.h>

using namespace exportsettings;

namespace {

constexpr int k1x1 = 0, k4x3 = 3, k16x9 = 5;

} // namespace

TEST(ExportSettings, LinkedCustomFields)
{
    const struct
    {
        Field edited;
        const char* typed;
        int ratio;
        const char* whileTyping; // what the other field shows
        const char* endWidth;
        const char* endHeight;
    } cases[] = {
        { Field::Height, "3000", k4x3, "3072", "3072", "2304" },
        { Field::Width, " 800.4 ", k4x3, "600", "800", "600" },
        { Field::Width, "abc", k1x1, "0", "0", "0" },
        { Field::Height, "-40", k16x9, "0", "0", "0" },
        { Field::Width, "1e9", k1x1, "3072", "3072", "3072" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " at ratio " + std::to_string(c.ratio));
        const kit::Size ratio = ratios::table[c.ratio];
        const double typed = parseDimension(QString::fromLatin1(c.typed));
        EXPECT_EQ(formatDimension(linkedValueWhileTyping(c.edited, typed, ratio)), c.whileTyping);
        const kit::Size end = linkedSizeAtEnd(c.edited, typed, ratio);
        EXPECT_EQ(formatDimension(end.width), c.endWidth);
        EXPECT_EQ(formatDimension(end.height), c.endHeight);
    }
}

TEST(ExportSettings, FileNamesFollowTheFileType)
{
    const struct
    {
        const char* name;
        int fileType;
        const char* expected;
    } cases[] = {
        { "Frame.png", 2, "Frame.tiff" },
        { "/home/me/shots.d/b.bmp", 1, "/home/me/shots.d/b.jpg" },
        { "Trip.2024", 0, "Trip.2024.png" }, // not an image extension: kept
        { "Frame.", 0, "Frame.png" },
        { "", 0, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileNameForType(QString::fromUtf8(c.name), c.fileType), c.expected) << c.name;
    EXPECT_EQ(proposedFileName(2), "Frame.tiff");
    EXPECT_EQ(extensionForFileType(-3), "png"); // a stored type out of range
}

TEST(ExportSettings, OutputSizes)
{
    const struct
    {
        kit::Size size, expected;
    } cases[] = {
        { ratioOutputSize(widthForTag(101), ratios::table[k16x9]), { 640, 360 } },
        { ratioOutputSize(640, { 0, 0 }), { 640, 640 } },
        // Serial: content ratio 2 at the middle size is framed 640 × 325.
        { serialOutputSize(640, 2.0f), { 640, 325 } },
        { serialOutputSize(320, 0.0f), { 320, 320 } }, // empty column
        // Custom serial sizes stay within 3072 and whole.
        { serialOutputSize(3072, 0.5f, true), { 1541, 3072 } },
        { serialOutputSize(3, 1.0f, true), { 11, 11 } },
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(c.size.width, c.expected.width);
        EXPECT_NEAR(c.size.height, c.expected.height, 1e-9);
    }
}
