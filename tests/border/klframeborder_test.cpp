#include "border/klframeborder.h"

#include "support/testsupport.h"

#include <cmath>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using kit::Path;
using kit::Point;
using kit::Rect;
using testsupport::LogCapture;

namespace {

std::optional<KLFrameBorder> border(const char* text)
{
    return KLFrameBorder::fromText(QString::fromUtf8(text), QStringLiteral("x.bdr"));
}

bool allFinite(const Path& path)
{
    const QPainterPath& q = path.toQt();
    for (int i = 0; i < q.elementCount(); ++i)
        if (!std::isfinite(q.elementAt(i).x) || !std::isfinite(q.elementAt(i).y))
            return false;
    return true;
}

constexpr const char* kZigzag = "0.1,2,0,1\nL:0.5,0,1,1\n";

} // namespace

TEST(KLFrameBorder, ReadsTextAndLogsWhatItRefuses)
{
    const struct
    {
        const char* text;
        bool loads;
        size_t components;
        QStringList log;
    } cases[] = {
        { "0.1,2,0,1", false, 0, { "Invalid contents of border file 'x.bdr'." } },
        { "0.1,2,0\nL:1,1\n", false, 0, { "Invalid contents of border file header '0.1,2,0'." } },
        // Numbers that give no depth or repeat length are refused up front.
        { "1,1e99,0,1\n", false, 0, { "Invalid contents of border file header '1,1e99,0,1'." } },
        // A band half the shorter side deep, or deeper, leaves no inside.
        { "0.1,0.2,0,1\n", false, 0, { "Invalid contents of border file header '0.1,0.2,0,1'." } },
        { "0.2,0.41,0,1\n", true, 0, {} },
        // Comments, empty lines and other kinds add nothing and say nothing.
        { "0.1,2,0,1\n\n# L:1,1\nX:1,1\nl:1,1\n L:1,1\nL:0.5,0,1,1\nB:0,0,1,1,1,0\n", true, 2, {} },
        { "0.1,2,0,1\nL:1,1:2\nL:1,1\n", true, 1, { "Invalid component line 'L:1,1:2'" } },
        { "0.1,2,0,1\nL:0.5,1e39\nL:1,1\n", true, 1, { "Invalid component line 'L:0.5,1e39'" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LogCapture log("tessera.border");
        const auto b = border(c.text);
        ASSERT_EQ(b.has_value(), c.loads);
        EXPECT_EQ(log.lines(), c.log);
        if (b) {
            EXPECT_EQ(b->components().size(), c.components);
        }
    }
}

TEST(KLFrameBorder, DropsIncompleteTails)
{
    const auto b = border("0.1,2,0,0.5\nL:0.5,,1,1,7\nB:1,2,3,4,5,6,7\r\n");
    ASSERT_TRUE(b);
    ASSERT_EQ(b->components().size(), 2u);
    EXPECT_EQ(b->components()[0].values, (std::vector<Point> { { 0.5, 0 }, { 1, 1 } }));
    EXPECT_EQ(b->components()[1].type, KLFrameBorder::Component::Type::Curve);
    EXPECT_EQ(b->components()[1].values, (std::vector<Point> { { 1, 2 }, { 3, 4 }, { 5, 6 } }));
}

TEST(KLFrameBorder, ReadsFilesAsStrictUtf8)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("zigzag.bdr");
    const QString bad = dir.filePath("latin1.bdr");
    testsupport::writeFile(good,
                           "\xef\xbb\xbf"
                           "0.1,2,0,1\nL:1,1\n");
    testsupport::writeFile(bad, "0.1,2,0,1\n# caf\xe9\n");
    LogCapture log("tessera.border");
    const auto b = KLFrameBorder::initWithBorderFile(good);
    ASSERT_TRUE(b); // a byte order mark does not spoil the ratio
    EXPECT_EQ(b->ratio(), 0.1f);
    EXPECT_FALSE(KLFrameBorder::initWithBorderFile(bad));
    EXPECT_FALSE(KLFrameBorder::initWithBorderFile(dir.filePath("missing.bdr")));
    // Refused before reading: a pipe that no one writes.
    const QString fifo = dir.filePath("pipe.bdr");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(KLFrameBorder::initWithBorderFile(fifo));
    EXPECT_EQ(log.lines(),
              (QStringList { "Load border file '" + bad + "' failed!",
                             "Load border file '" + dir.filePath("missing.bdr") + "' failed!",
                             "Load border file '" + fifo + "' failed!" }));
}

TEST(KLFrameBorder, TheOutlineFollowsTheRectangle)
{
    // 1000 x 520 at (10, 20): unit 52, depth 26; the origin moves the whole
    // outline. (The render test counts the repeats along each edge.)
    const auto zigzag = border(kZigzag);
    ASSERT_TRUE(zigzag);
    EXPECT_EQ(zigzag->depthForRect({ 10, 20, 1000, 520 }), 26.0);
    EXPECT_TRUE(testsupport::rectNear(zigzag->borderPathForRect({ 10, 20, 1000, 520 }).bounds(),
                                      { 10, 20, 1000, 520 }, 1e-4));
}

TEST(KLFrameBorder, OnlyTheLastRepeatOfAnEdgeReachesPastItsRepeat)
{
    const struct
    {
        const char* text;
        int index;
        Point expected;
    } cases[] = {
        // 1.2 is read in single precision.
        { "0.1,2,0,0\nL:1.2,0.5\n", 1, { 75, 487.5 } }, // cut to (1, 0.5)
        { "0.1,2,0,0\nL:1.2,0.5\n", 19, { 985, 487.5 } }, // last repeat on top
        { "0.1,2,0,0\nL:-0.5,-1\n", 1, { 0, 450 } }, // never cut from below
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + std::to_string(c.index));
        const auto b = border(c.text);
        ASSERT_TRUE(b);
        EXPECT_TRUE(testsupport::pointNear(
            b->borderPathForRect({ 0, 0, 1000, 500 }).element(c.index).points[0], c.expected,
            1e-4));
    }
}

TEST(KLFrameBorder, NonsenseNumbersNeverGiveNonFinitePoints)
{
    const struct
    {
        const char* text;
        Rect rect;
        int elements; // -1: only finite points expected
        int logLines;
    } cases[] = {
        // An edge shorter than one unit gets one repeat.
        { "0.75,2,0,1\nL:0.5,0,1,1\n", { 0, 0, 100, 300 }, 1 + 2 * (1 + 3 + 1 + 3) + 1, 0 },
        // Numbers that make no border give the plain rectangle.
        { "0.1,2,0,0\nL:1,1e20\n", { 0, 0, 1000, 500 }, 5, 1 },
        // Absurdly many repeats are capped.
        { "1e-30,2,0,1\nL:0.5,0,1,1\n", { 0, 0, 400, 400 }, -1, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << c.rect.width() << " x " << c.rect.height());
        const auto b = border(c.text);
        ASSERT_TRUE(b);
        LogCapture log("tessera.border");
        const Path p = b->borderPathForRect(c.rect);
        EXPECT_TRUE(allFinite(p));
        if (c.elements > 0) {
            EXPECT_EQ(p.elementCount(), c.elements);
        } else {
            EXPECT_LE(p.toQt().elementCount(), 2 + 4 * 16384 * 2);
        }
        EXPECT_EQ(log.lines().size(), c.logLines);
    }
}
