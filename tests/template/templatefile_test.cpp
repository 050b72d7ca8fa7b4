#include "template/templatefile.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Lets failure messages show Qt strings.
static std::ostream& operator<<(std::ostream& os, const QString& s)
{
    return os << s.toStdString();
}

namespace {

// Collects the messages of the "tessera.template" category while alive.
class LogCapture
{
public:
    LogCapture()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&LogCapture::handler);
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    const QStringList& lines() const { return s_lines; }

private:
    static void handler(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (QByteArray(context.category) == "tessera.template")
            s_lines.append(message);
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

const std::vector<double>& numbers(const CellRecord& r)
{
    return std::get<0>(r.data);
}
const std::vector<std::vector<double>>& segments(const CellRecord& r)
{
    return std::get<1>(r.data);
}
const QStringList& strings(const CellRecord& r)
{
    return std::get<2>(r.data);
}

} // namespace

TEST(TemplateFile, RejectsMalformedCellLines)
{
    const char* rejected[] = {
        "0,0,1,1:X:*", // unknown kind
        "0,0,1:L:*", // three frame numbers
        "0,0,1,1,1:L:*", // five frame numbers
        "0,0,1,1:L", // two colon fields
        "0,0,1,1:L:*:x", // four colon fields
        "0,0,1,1: L:*", // the kind is not trimmed
        "0,0,1,1:l:*", // nor case folded
        "0,0,1,1:T:DejaVu Sans,40", // text needs 3 or 6 fields
        "0,0,1,1:T:a,40,Hi,0",
        "0,0,1,1:L:0,0,1", // odd polygon list
        "0,0,1,1:L:*\r", // "*\r" is a one-number list
        "0,0,1,1:L:",
        "0,0,1,1:B:0,0,1,0|0.5", // odd segment
        "0,0,1,1:B:0,0,1,0|", // empty segment is one number
        "0,0,1,1:B:0.5,1", // an outline cannot start with a line-to
        "0,0,1,1:B:0,0,1,1,0.5,0.5|0.5,1",
        "0,0,1,1:B:0,0,1,1,0,0,1,1,0,0|0.5,1", // nothing started before "0.5,1"
        "0,0,1e39,1:L:*", // overflows single precision
        "0,0,1,1:L,1e39:*",
        "0,0,1,1:L,0.1,1e39,0,0:*",
        "0,0,1,1:L:0,0,1e39,0",
        "0,0,1,1:T:a,40,Hi,0,0,1e39",
        "",
        ":::",
    };
    for (const char* line : rejected)
        EXPECT_FALSE(parseCellLine(QString::fromUtf8(line))) << line;
}

TEST(TemplateFile, ParsesCellLines)
{
    struct Case
    {
        const char* line;
        int maskMode;
        bool bordered;
        float borderSize;
        std::optional<QColor> color;
    };
    const QColor white = QColor::fromRgbF(1, 1, 1);
    const Case cases[] = {
        { "0,0,1,1:L:*", MaskMode::Polygon, false, 0, std::nullopt },
        { "0,0,1,1:L,0.05:*", MaskMode::Polygon, true, 0.05f, white },
        { "0,0,1,1:L,0.05,0,0,255:*", MaskMode::Polygon, true, 0.05f, QColor(0, 0, 255) },
        { "0,0,1,1:L,0.05,0,0:*", MaskMode::Polygon, false, 0, std::nullopt },
        { "0,0,1,1:L,0.05,0,0,255,9:*", MaskMode::Polygon, false, 0, std::nullopt },
        { "0,0,1,1:L,0:*", MaskMode::Polygon, true, 0, white },
        { "0,0,1,1:L,0.02,300,-5,128:*", MaskMode::Polygon, true, 0.02f, QColor(255, 0, 128) },
        { "0.5,0,0.5,1:B:0,0,1,0|0.5,1", MaskMode::Curves, false, 0, std::nullopt },
        { "0,0,1,1:T,0.1:DejaVu Sans,40,Hi", MaskMode::Text, true, 0.1f, white },
    };
    for (const Case& c : cases) {
        const std::optional<CellRecord> r = parseCellLine(QString::fromUtf8(c.line));
        ASSERT_TRUE(r) << c.line;
        EXPECT_EQ(r->maskMode, c.maskMode) << c.line;
        EXPECT_EQ(r->isBordered, c.bordered) << c.line;
        EXPECT_FLOAT_EQ(r->borderSize, c.borderSize) << c.line;
        ASSERT_EQ(r->borderColor.has_value(), c.color.has_value()) << c.line;
        if (c.color) {
            EXPECT_EQ(r->borderColor->rgba(), c.color->rgba()) << c.line;
        }
    }
}

TEST(TemplateFile, CellShapes)
{
    const std::optional<CellRecord> star = parseCellLine(u"0,0,0.5,1:L,0.02,255,0,0:*");
    ASSERT_TRUE(star);
    EXPECT_EQ(star->rect, kit::Rect(0, 0, 0.5, 1));
    EXPECT_EQ(numbers(*star), (std::vector<double> { 0, 0, 1, 0, 1, 1, 0, 1 }));
    EXPECT_EQ(star->degree, 0);

    // Lenient numbers: "0.5x" reads 0.5, "x" reads 0; a "\r" after the last
    // number is ignored.
    const std::optional<CellRecord> loose = parseCellLine(u" 0.25x,x,0.5,1:L:0.5x,x,1,0,1,1\r");
    ASSERT_TRUE(loose);
    EXPECT_EQ(loose->rect, kit::Rect(0.25, 0, 0.5, 1));
    EXPECT_EQ(numbers(*loose), (std::vector<double> { 0.5, 0, 1, 0, 1, 1 }));

    const std::optional<CellRecord> curve =
        parseCellLine(u"0,0,1,1:B:0,0,1,0|0.5,1|1,2,3,4,5,6,7,8,9,10");
    ASSERT_TRUE(curve);
    ASSERT_EQ(segments(*curve).size(), 3u);
    EXPECT_EQ(segments(*curve)[0], (std::vector<double> { 0, 0, 1, 0 }));
    EXPECT_EQ(segments(*curve)[1], (std::vector<double> { 0.5, 1 }));
    EXPECT_EQ(segments(*curve)[2].size(), 10u);

    const std::optional<CellRecord> text3 = parseCellLine(u"0,0,1,1:T:family,40,Hi");
    ASSERT_TRUE(text3);
    EXPECT_EQ(strings(*text3), (QStringList { "family", "40", "Hi" }));
    EXPECT_EQ(text3->degree, 0);

    const std::optional<CellRecord> text6 = parseCellLine(u"0,0,1,1:T:family,40,Hi,0,0.1,15\r");
    ASSERT_TRUE(text6);
    EXPECT_EQ(strings(*text6), (QStringList { "family", "40", "Hi", "0", "0.1", "15\r" }));
    EXPECT_FLOAT_EQ(text6->degree, 15);
}

TEST(TemplateFile, DimensionLines)
{
    struct Case
    {
        const char* text;
        bool ok;
        kit::Size size;
        bool locked;
    };
    const Case cases[] = {
        { "3,2\n", true, { 3, 2 }, false },
        { "3,2,1\n", true, { 3, 2 }, true },
        { "3,2,0\n", true, { 3, 2 }, false },
        { "3,2,1\r\n", true, { 3, 2 }, true },
        { "600,400\n", true, { 600, 400 }, false },
        { "0.75,1,257\n", true, { 0.75, 1 }, true },
        { "3,2,256\n", true, { 3, 2 }, false }, // only the low byte counts
        { "\xEF\xBB\xBF"
          "4,3\n",
          true,
          { 4, 3 },
          false },
        { "600\n", false, {}, false },
        { "3,2,1,2\n", false, {}, false },
        { "0,2\n", false, {}, false },
        { "3,-2\n", false, {}, false },
        { "1e39,1\n", false, {}, false },
    };
    for (const Case& c : cases) {
        LogCapture log;
        const TemplateReadResult r = readTemplateText(QString::fromUtf8(c.text));
        ASSERT_EQ(r.ok(), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(r.file->frameSize, c.size) << c.text;
            EXPECT_EQ(r.file->ratioLocked, c.locked) << c.text;
            EXPECT_TRUE(r.file->cells.empty());
            EXPECT_TRUE(log.lines().isEmpty()) << c.text;
        } else {
            EXPECT_EQ(r.error, TemplateReadError::BadDimensions) << c.text;
            const QString line = QString::fromUtf8(c.text).chopped(1);
            EXPECT_EQ(log.lines(), QStringList { "Invalid resouce dim format.[" + line + "]" });
        }
    }
}

TEST(TemplateFile, TagsCountEveryLine)
{
    LogCapture log;
    const TemplateReadResult r = readTemplateText(u"3,2,1\n"
                                                  "0,0,0.5,1:L:*\n"
                                                  "; a comment\n"
                                                  "x\n"
                                                  "\n"
                                                  "0,0,1:L:*\n"
                                                  "0.5,0,0.5,1:B:0,0,1,0|0.5,1\n");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.file->cells.size(), 2u);
    EXPECT_EQ(r.file->cells[0].first, 1);
    EXPECT_EQ(r.file->cells[1].first, 6);
    EXPECT_EQ(r.file->cells[1].second.maskMode, MaskMode::Curves);
    EXPECT_EQ(log.lines(), QStringList { "Loading resource from [0,0,1:L:*] failed!" });
}

TEST(TemplateFile, FileFailuresAndTheirLogLines)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("none.fdd");
    const QString invalid = writeFile(dir, "bad.fdd", "3,2\n0,0,1,1:T:\xff\xfe,40,Hi\n");
    const QString oneLine = writeFile(dir, "one.fdd", "3,2");
    const QString big = writeFile(dir, "big.fdd", QByteArray(kMaxTemplateFileBytes + 1, '\n'));
    QDir(dir.path()).mkdir("folder.fdd");
    const QString folder = dir.filePath("folder.fdd");

    struct Case
    {
        QString path;
        TemplateReadError error;
        QString logStart;
    };
    const Case cases[] = {
        { missing, TemplateReadError::Missing, "Template path '" + missing + "' not exists." },
        { invalid, TemplateReadError::Unreadable,
          "Reading resource file from '" + invalid + "' failed! " },
        { big, TemplateReadError::Unreadable, "Reading resource file from '" + big + "' failed! " },
        { folder, TemplateReadError::Unreadable,
          "Reading resource file from '" + folder + "' failed! " },
        { oneLine, TemplateReadError::NoLineFeed, "Invalid resource file format." },
    };
    for (const Case& c : cases) {
        LogCapture log;
        const TemplateReadResult r = readTemplateFile(c.path);
        EXPECT_FALSE(r.ok()) << c.path;
        EXPECT_EQ(r.error, c.error) << c.path;
        ASSERT_EQ(log.lines().size(), 1) << c.path;
        EXPECT_TRUE(log.lines()[0].startsWith(c.logStart)) << log.lines()[0].toStdString();
        if (c.error == TemplateReadError::Unreadable) {
            EXPECT_GT(log.lines()[0].size(), c.logStart.size()) << "the reason is missing";
        }
    }

    // A template whose only line feed ends the dimension line is empty but read.
    const TemplateReadResult empty = readTemplateFile(writeFile(dir, "empty.fdd", "3,2\n"));
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty.file->cells.empty());

    // Saved with CRLF: the star line is rejected, the number list is not.
    LogCapture log;
    const TemplateReadResult crlf = readTemplateFile(
        writeFile(dir, "crlf.fdd", "3,2,1\r\n0,0,1,1:L:*\r\n0,0,1,1:L:0,0,1,0,1,1\r\n"));
    ASSERT_TRUE(crlf.ok());
    EXPECT_TRUE(crlf.file->ratioLocked);
    ASSERT_EQ(crlf.file->cells.size(), 1u);
    EXPECT_EQ(crlf.file->cells[0].first, 2);
    EXPECT_EQ(log.lines(), QStringList { "Loading resource from [0,0,1,1:L:*\r] failed!" });
}

TEST(TemplateFile, LibraryCellCount)
{
    struct Case
    {
        const char* text;
        int count;
    };
    const Case cases[] = {
        { "3,2\n0,0,1,1:L:*\n;c\n;d\n\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n", 4 },
        { "", -1 },
        { "3,2\nab\n", 0 }, // two characters: not counted
        { "3,2\nabc\n", 1 }, // three characters, even if not a cell line
        { "3,2\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n"
          "0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n",
          9 },
    };
    QTemporaryDir dir;
    int n = 0;
    for (const Case& c : cases)
        EXPECT_EQ(templateCellCount(writeFile(dir, QString::number(n++) + ".fdd", c.text)), c.count)
            << c.text;
    EXPECT_EQ(templateCellCount(dir.filePath("missing.fdd")), 0);
    EXPECT_EQ(templateCellCount(writeFile(dir, "bad.fdd", "3,2\n\xff\xff\xff\n")), 0);
}
