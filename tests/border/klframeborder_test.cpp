#include "border/klframeborder.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using kit::Path;
using kit::Point;
using kit::Rect;

namespace {

// Collects the lines of the "tessera.border" category while alive.
class LogCapture
{
public:
    LogCapture()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    QStringList lines() const { return s_lines; }

private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (QLatin1String(context.category) == QLatin1String("tessera.border"))
            s_lines << message;
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

std::optional<KLFrameBorder> border(const char* text)
{
    return KLFrameBorder::fromText(QString::fromUtf8(text), QStringLiteral("x.bdr"));
}

Point at(const Path& path, int index)
{
    return path.element(index).points[0];
}

bool allFinite(const Path& path)
{
    const QPainterPath& q = path.toQt();
    for (int i = 0; i < q.elementCount(); ++i)
        if (!std::isfinite(q.elementAt(i).x) || !std::isfinite(q.elementAt(i).y))
            return false;
    return true;
}

void expectNear(Point actual, Point expected, double tolerance = 1e-6)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
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
        { "0.1,2,0,1\n", true, 0, {} },
        { "0.1,2,0,1", false, 0, { "Invalid contents of border file 'x.bdr'." } },
        { "", false, 0, { "Invalid contents of border file 'x.bdr'." } },
        { "0.1,2,0,1,5\n", false, 0, { "Invalid contents of border file header '0.1,2,0,1,5'." } },
        { "0.1,2,0\nL:1,1\n", false, 0, { "Invalid contents of border file header '0.1,2,0'." } },
        // Numbers that give no depth or repeat length are refused up front.
        { "0,2,0,1\n", false, 0, { "Invalid contents of border file header '0,2,0,1'." } },
        { "0.1,x,0,1\n", false, 0, { "Invalid contents of border file header '0.1,x,0,1'." } },
        { "-0.1,2,0,1\n", false, 0, { "Invalid contents of border file header '-0.1,2,0,1'." } },
        { "1,1e99,0,1\n", false, 0, { "Invalid contents of border file header '1,1e99,0,1'." } },
        { "1,2,0,1e40\n", false, 0, { "Invalid contents of border file header '1,2,0,1e40'." } },
        // Comments, empty lines and other kinds add nothing and say nothing.
        { "0.1,2,0,1\n\n# L:1,1\nX:1,1\nl:1,1\n L:1,1\nL:0.5,0,1,1\nB:0,0,1,1,1,0\n", true, 2, {} },
        { "0.1,2,0,1\nL:1,1:2\nL:1,1\n", true, 1, { "Invalid component line 'L:1,1:2'" } },
        { "0.1,2,0,1\nL,1,1\n", true, 0, { "Invalid component line 'L,1,1'" } },
        { "0.1,2,0,1\r\n\r\nL:0.5,0,1,1\r\n", true, 1, { "Invalid component line '\r'" } },
        { "0.1,2,0,1\nL:0.5,1e39\nL:1,1\n", true, 1, { "Invalid component line 'L:0.5,1e39'" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LogCapture log;
        const auto b = border(c.text);
        ASSERT_EQ(b.has_value(), c.loads);
        EXPECT_EQ(log.lines(), c.log);
        if (b) {
            EXPECT_EQ(b->components().size(), c.components);
        }
    }
}

TEST(KLFrameBorder, ReadsNumbersLenientlyAndDropsIncompleteTails)
{
    const auto b = border("0.1, 2x,,0.5\nL: 0.5x,,1,1,7\nB:1,2,3,4,5,6,7\r\n");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->ratio(), 0.1f);
    EXPECT_EQ(b->times(), 2.0f);
    EXPECT_EQ(b->start(), Point(0, 0.5));
    ASSERT_EQ(b->components().size(), 2u);
    const auto& line = b->components()[0];
    EXPECT_EQ(line.type, KLFrameBorder::Component::Type::Line);
    EXPECT_EQ(line.values, (std::vector<Point> { { 0.5, 0 }, { 1, 1 } }));
    const auto& curve = b->components()[1];
    EXPECT_EQ(curve.type, KLFrameBorder::Component::Type::Curve);
    EXPECT_EQ(curve.values, (std::vector<Point> { { 1, 2 }, { 3, 4 }, { 5, 6 } }));
}

TEST(KLFrameBorder, ReadsFilesAsStrictUtf8)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("zigzag.bdr");
    const QString bad = dir.filePath("latin1.bdr");
    for (const auto& [path, bytes] : { std::pair { good,
                                                   QByteArray("\xef\xbb\xbf"
                                                              "0.1,2,0,1\nL:1,1\n") },
                                       std::pair { bad, QByteArray("0.1,2,0,1\n# caf\xe9\n") } }) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    LogCapture log;
    const auto b = KLFrameBorder::initWithBorderFile(good);
    ASSERT_TRUE(b); // a byte order mark does not spoil the ratio
    EXPECT_EQ(b->ratio(), 0.1f);
    EXPECT_FALSE(KLFrameBorder::initWithBorderFile(bad));
    EXPECT_FALSE(KLFrameBorder::initWithBorderFile(dir.filePath("missing.bdr")));
    EXPECT_FALSE(KLFrameBorder::initWithBorderFile(dir.path()));
    EXPECT_EQ(log.lines(),
              (QStringList { "Load border file '" + bad + "' failed!",
                             "Load border file '" + dir.filePath("missing.bdr") + "' failed!",
                             "Load border file '" + dir.path() + "' failed!" }));
}

TEST(KLFrameBorder, LaysRepeatsAlongEachEdgeInOrder)
{
    const auto zigzag = border(kZigzag);
    ASSERT_TRUE(zigzag);

    // 1000 x 500: unit 50, depth 25; 19 repeats on top and bottom, 9 on the
    // sides; two points per repeat, the move and the closing line.
    const Path p = zigzag->borderPathForRect({ 0, 0, 1000, 500 });
    EXPECT_EQ(zigzag->depthForRect({ 0, 0, 1000, 500 }), 25.0);
    ASSERT_EQ(p.elementCount(), 1 + 2 * (19 + 9 + 19 + 9) + 1);
    EXPECT_EQ(p.element(0).type, Path::ElementType::MoveTo);
    const std::pair<int, Point> points[] = {
        // top, left to right
        { 0, { 25, 500 } },
        { 1, { 50, 475 } },
        { 38, { 975, 500 } },
        // right, downwards
        { 39, { 975, 450 } },
        { 40, { 1000, 425 } },
        // bottom, right to left
        { 57, { 950, 25 } },
        { 58, { 925, 0 } },
        // left, upwards, then closed back to the start
        { 95, { 25, 50 } },
        { 96, { 0, 75 } },
        { 113, { 25, 500 } },
    };
    for (const auto& [index, expected] : points) {
        SCOPED_TRACE(index);
        expectNear(at(p, index), expected);
    }
    EXPECT_EQ(p.bounds(), Rect(0, 0, 1000, 500));

    // 1000 x 520: unit 52, depth 26; 948 / 52 gives 18 repeats of 52.666…,
    // 468 / 52 gives 9 repeats of 52. The origin moves the whole outline.
    const Path q = zigzag->borderPathForRect({ 10, 20, 1000, 520 });
    const double step = double(948.0f / 18.0f);
    ASSERT_EQ(q.elementCount(), 1 + 2 * (18 + 9 + 18 + 9) + 1);
    expectNear(at(q, 0), { 36, 540 });
    expectNear(at(q, 1), { 36 + step / 2, 514 });
    expectNear(at(q, 4), { 36 + 2 * step, 540 });
    expectNear(at(q, 36), { 36 + 18 * step, 540 }, 1e-4);
    expectNear(at(q, 37), { 10 + 974, 20 + 468 }, 1e-4);
    expectNear(at(q, 38), { 10 + 1000, 20 + 442 }, 1e-4);
}

TEST(KLFrameBorder, SquareEdgesAreTheSameMotifTurned)
{
    const auto zigzag = border(kZigzag);
    ASSERT_TRUE(zigzag);
    const Path p = zigzag->borderPathForRect({ 0, 0, 500, 500 });
    ASSERT_EQ(p.elementCount(), 1 + 4 * 2 * 9 + 1);
    // Each edge's points are the previous edge's turned a quarter clockwise
    // about the centre.
    for (int i = 1; i < 1 + 3 * 18; ++i) {
        const Point a = at(p, i);
        expectNear(at(p, i + 18), { 250 + (a.y - 250), 250 - (a.x - 250) }, 1e-4);
    }
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
        { "0.1,2,0,0\nL:1.2,0.5\n", 18, { 925, 487.5 } },
        { "0.1,2,0,0\nL:1.2,0.5\n", 19, { 985, 487.5 } }, // last repeat on top
        { "0.1,2,0,0\nL:1.2,0.5\n", 20, { 987.5, 425 } }, // first on the right
        { "0.1,2,0,0\nL:1.2,0.5\n", 28, { 987.5, 15 } }, // last on the right
        { "0.1,2,0,0\nL:0.5,1.4\n", 1, { 50, 500 } },
        { "0.1,2,0,0\nL:0.5,1.4\n", 19, { 950, 510 } },
        { "0.1,2,0,0\nL:-0.5,-1\n", 1, { 0, 450 } }, // never cut from below
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + std::to_string(c.index));
        const auto b = border(c.text);
        ASSERT_TRUE(b);
        expectNear(at(b->borderPathForRect({ 0, 0, 1000, 500 }), c.index), c.expected, 1e-4);
    }
}

TEST(KLFrameBorder, WithoutComponentsThePathIsItsStartPoint)
{
    const auto b = border("0.1,2,0.5,1\n");
    ASSERT_TRUE(b);
    const Path p = b->borderPathForRect({ 0, 0, 1000, 500 });
    ASSERT_EQ(p.elementCount(), 1);
    EXPECT_EQ(at(p, 0), Point(50, 500));
}

TEST(KLFrameBorder, RotatesByQuarterTurnsOnly)
{
    const Point pivot(10, 20);
    const Point p(13, 24); // offset (3, 4)
    const std::pair<int, Point> cases[] = {
        { 0, p },           { 360, p }, { -720, p }, { 90, { 14, 17 } }, { 180, { 7, 16 } },
        { 270, { 6, 23 } }, { 450, p }, { -90, p },  { 45, p },
    };
    for (const auto& [degree, expected] : cases) {
        SCOPED_TRACE(degree);
        EXPECT_EQ(KLFrameBorder::rotatePoint(p, pivot, degree), expected);
    }
    // The offsets are rounded to single precision.
    EXPECT_EQ(KLFrameBorder::rotatePoint({ 0.1, 0 }, { 0, 0 }, 180), Point(-double(0.1f), 0));
}

TEST(KLFrameBorder, NonsenseNumbersNeverGiveNonFinitePoints)
{
    const struct
    {
        const char* text;
        float ratio, times; // 0 keeps the file's value
        Rect rect;
        int elements; // -1: only finite points expected
        int logLines;
    } cases[] = {
        // An edge shorter than one unit gets one repeat.
        { kZigzag, 0.75f, 0, { 0, 0, 100, 300 }, 1 + 2 * (1 + 3 + 1 + 3) + 1, 0 },
        { kZigzag, 0, 0, { 0, 0, 2, 1 }, -1, 0 },
        // Numbers set after loading that make no border give the plain rectangle.
        { kZigzag, 0, -1, { 0, 0, 100, 100 }, 5, 1 },
        { kZigzag, NAN, 0, { 0, 0, 100, 100 }, 5, 1 },
        { kZigzag, 0, INFINITY, { 0, 0, 100, 100 }, 5, 1 },
        { kZigzag, 2.0f, 1.0f, { 0, 0, 100, 100 }, 5, 1 }, // depth beyond half the side
        { kZigzag, 3e38f, 0, { 0, 0, 1000, 1000 }, 5, 1 }, // unit overflows single precision
        { "0.1,2,0,0\nL:1,3e38\n", 0, 0, { 0, 0, 1000, 500 }, 5, 1 },
        { "0.1,2,0,0\nL:1,1e20\n", 0, 0, { 0, 0, 1000, 500 }, 5, 1 },
        // Degenerate rectangles give an empty outline.
        { kZigzag, 0, 0, { 0, 0, 0, 100 }, 0, 0 },
        { kZigzag, 0, 0, { 0, 0, NAN, 100 }, 0, 0 },
        { kZigzag, 0, 0, { 1e308, 0, 1e308, 100 }, 0, 0 },
        { kZigzag, 0, 0, { 0, 0, 1e300, 1e300 }, 0, 0 },
        // Absurdly many repeats are capped.
        { kZigzag, 1e-30f, 0, { 0, 0, 400, 400 }, -1, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " ratio " << c.ratio << " times " << c.times
                                        << " rect " << c.rect.width() << " x " << c.rect.height());
        auto b = border(c.text);
        ASSERT_TRUE(b);
        if (c.ratio != 0)
            b->setRatio(c.ratio);
        if (c.times != 0)
            b->setTimes(c.times);
        LogCapture log;
        const Path p = b->borderPathForRect(c.rect);
        EXPECT_TRUE(allFinite(p));
        if (c.elements == 0) {
            EXPECT_TRUE(p.toQt().isEmpty()); // at most a lone move
        } else if (c.elements > 0) {
            EXPECT_EQ(p.elementCount(), c.elements);
        } else {
            EXPECT_LE(p.toQt().elementCount(), 2 + 4 * 16384 * 2);
        }
        EXPECT_EQ(log.lines().size(), c.logLines);
    }
}
