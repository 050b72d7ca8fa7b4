#include "app/exportsettings.h"
#include "app/ratiotable.h"

#include <gtest/gtest.h>

using namespace exportsettings;

namespace {

constexpr int k1x1 = 0, k2x3 = 2, k4x3 = 3, k3x4 = 4, k16x9 = 5;

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
        { Field::Height, "3000", k3x4, "2250", "2250", "3000" },
        { Field::Width, "5000", k16x9, "1728", "3072", "1728" },
        { Field::Height, "3000", k4x3, "3072", "3072", "2304" },
        { Field::Width, "3072", k2x3, "3072", "2048", "3072" },
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

TEST(ExportSettings, StoredChoicesFallBackToTheFirst)
{
    const struct
    {
        std::optional<int> stored;
        int fileType, sizeType;
    } cases[] = {
        { std::nullopt, 0, 0 }, { 7, 0, 0 }, { -1, 0, 0 }, { 4, 0, 0 }, { 2, 2, 2 }, { 3, 3, 3 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileTypeOrDefault(c.stored), c.fileType);
        EXPECT_EQ(sizeTypeOrDefault(c.stored), c.sizeType);
    }
    EXPECT_EQ(formatForFileType(9), kit::ImageFormat::Png);
    EXPECT_EQ(extensionForFileType(-3), "png");
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
        { "photo.JPEG", 1, "photo.JPEG" }, // already a JPEG name, any case
        { "a.jpg", 0, "a.png" },
        { "/home/me/shots.d/b.bmp", 1, "/home/me/shots.d/b.jpg" },
        { "Trip.2024", 0, "Trip.2024.png" }, // not an image extension: kept
        { "Frame", 3, "Frame.bmp" },
        { ".hidden", 0, ".hidden.png" },
        { "Frame.", 0, "Frame.png" },
        { "", 0, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileNameForType(QString::fromUtf8(c.name), c.fileType), c.expected) << c.name;
    EXPECT_EQ(proposedFileName(2), "Frame.tiff");
}

TEST(ExportSettings, OutputSizes)
{
    const struct
    {
        kit::Size size, expected;
    } cases[] = {
        // 3:4 big and small: 1024 × 1365.33 and 320 × 426.67 canvas units.
        { ratioOutputSize(widthForTag(102), ratios::table[k3x4]), { 1024, 1024 * 4.0 / 3 } },
        { ratioOutputSize(widthForTag(100), ratios::table[k3x4]), { 320, 320 * 4.0 / 3 } },
        { ratioOutputSize(widthForTag(101), ratios::table[k16x9]), { 640, 360 } },
        { ratioOutputSize(640, { 0, 0 }), { 640, 640 } },
        // Serial: content ratio 2 at the middle size is framed 640 × 325.
        { serialOutputSize(640, 2.0f), { 640, 325 } },
        { serialOutputSize(320, 0.0f), { 320, 320 } }, // empty column
        // Custom serial sizes stay within 3072 and whole.
        { serialOutputSize(3072, 0.5f, true), { 1541, 3072 } },
        { serialOutputSize(2000.4, 2.0f, true), { 2000, 1005 } },
        { serialOutputSize(3, 1.0f, true), { 11, 11 } },
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(c.size.width, c.expected.width);
        EXPECT_NEAR(c.size.height, c.expected.height, 1e-9);
    }
}
