#include "template/templatefile.h"

#include "support/testsupport.h"

#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

using testsupport::LogCapture;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    return testsupport::writeFile(dir.filePath(name), bytes);
}

} // namespace

TEST(TemplateFile, RejectsMalformedCellLines)
{
    const char* rejected[] = { "0,0,1,1:X:*", "0,0,1:L:*", "0,0,1,1:L",
                               // text shapes need 3 or 6 fields
                               "0,0,1,1:T:a,40,Hi,0",
                               // an odd count
                               "0,0,1,1:L:0,0,1",
                               // an outline that continues before it has started
                               "0,0,1,1:B:0.5,1",
                               // numbers beyond single precision
                               "0,0,1e39,1:L:*", "0,0,1,1:T:a,40,Hi,0,0,1e39" };
    for (const char* line : rejected)
        EXPECT_FALSE(parseCellLine(QString::fromUtf8(line))) << line;
}

TEST(TemplateFile, ParsesCellLines)
{
    // A band is one number or one number and three channels; the canvas
    // paints every band in the plate's colour.
    struct Case
    {
        const char* line;
        int maskMode;
        bool bordered;
        float borderSize;
    };
    const Case cases[] = {
        { "0,0,1,1:L:*", MaskMode::Polygon, false, 0 },
        { "0,0,1,1:L,0.05:*", MaskMode::Polygon, true, 0.05f },
        { "0,0,1,1:L,0.05,0,0,255:*", MaskMode::Polygon, true, 0.05f },
        { "0,0,1,1:L,0.05,0,0:*", MaskMode::Polygon, false, 0 },
        { "0,0,1,1:L,0:*", MaskMode::Polygon, true, 0 },
        { "0.5,0,0.5,1:B:0,0,1,0|0.5,1", MaskMode::Curves, false, 0 },
        { "0,0,1,1:T,0.1:DejaVu Sans,40,Hi", MaskMode::Text, true, 0.1f },
    };
    for (const Case& c : cases) {
        const std::optional<CellRecord> r = parseCellLine(QString::fromUtf8(c.line));
        ASSERT_TRUE(r) << c.line;
        EXPECT_EQ(r->maskMode, c.maskMode) << c.line;
        EXPECT_EQ(r->isBordered, c.bordered) << c.line;
        EXPECT_FLOAT_EQ(r->borderSize, c.borderSize) << c.line;
    }
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
        { "3,2,256\n", true, { 3, 2 }, false }, // a one-byte flag
        { "\357\273\2774,3\n", true, { 4, 3 }, false }, // after a byte order mark
        { "600\n", false, {}, false },
        { "0,2\n", false, {}, false },
        { "1e39,1\n", false, {}, false },
    };
    for (const Case& c : cases) {
        LogCapture log("tessera.template");
        const TemplateReadResult r = readTemplateText(QString::fromUtf8(c.text));
        ASSERT_EQ(r.ok(), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(r.file->frameSize, c.size) << c.text;
            EXPECT_EQ(r.file->ratioLocked, c.locked) << c.text;
            EXPECT_TRUE(r.file->cells.empty() && log.lines().isEmpty()) << c.text;
        } else {
            EXPECT_EQ(r.error, TemplateReadError::BadDimensions) << c.text;
            const QString line = QString::fromUtf8(c.text).chopped(1);
            EXPECT_EQ(log.lines(), QStringList { "Invalid resouce dim format.[" + line + "]" });
        }
    }
}

TEST(TemplateFile, TagsCountEveryLine)
{
    LogCapture log("tessera.template");
    const TemplateReadResult r = readTemplateText(
        u"3,2,1\n0,0,0.5,1:L:*\n; a comment\nx\n\n0,0,1:L:*\n0.5,0,0.5,1:B:0,0,1,0|0.5,1\n");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.file->cells.size(), 2u);
    EXPECT_EQ(r.file->cells[0].first, 1);
    EXPECT_EQ(r.file->cells[1].first, 6);
    EXPECT_EQ(log.lines(), QStringList { "Loading resource from [0,0,1:L:*] failed!" });
}

TEST(TemplateFile, FileFailuresAndTheirLogLines)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("none.fdd");
    const QString invalid = writeFile(dir, "bad.fdd", "3,2\n0,0,1,1:T:\xff\xfe,40,Hi\n");
    const QString big = writeFile(dir, "big.fdd", QByteArray(kMaxTemplateFileBytes + 1, '\n'));
    // Refused before reading: a pipe that no one writes.
    const QString fifo = dir.filePath("pipe.fdd");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString reading = "Reading resource file from '%1' failed! ";

    struct Case
    {
        QString path;
        TemplateReadError error;
        QString log;
    };
    const Case cases[] = {
        { missing, TemplateReadError::Missing, "Template path '" + missing + "' not exists." },
        { invalid, TemplateReadError::Unreadable, reading.arg(invalid) },
        { big, TemplateReadError::Unreadable, reading.arg(big) },
        { fifo, TemplateReadError::Unreadable, reading.arg(fifo) },
        { writeFile(dir, "one.fdd", "3,2"), TemplateReadError::NoLineFeed,
          "Invalid resource file format." },
    };
    for (const Case& c : cases) {
        LogCapture log("tessera.template");
        const TemplateReadResult r = readTemplateFile(c.path);
        EXPECT_EQ(r.error, c.error) << c.path;
        ASSERT_EQ(log.lines().size(), 1) << c.path;
        // Unreadable files also name the reason after the fixed text.
        EXPECT_TRUE(log.lines()[0].startsWith(c.log)) << log.lines()[0];
        EXPECT_EQ(log.lines()[0].size() > c.log.size(), c.log.endsWith(' ')) << log.lines()[0];
    }

    // A template whose only line feed ends the dimension line is empty but read.
    EXPECT_TRUE(readTemplateFile(writeFile(dir, "empty.fdd", "3,2\n")).ok());

    // Saved with CRLF endings: read as the same file with LF endings.
    const QByteArray lf = "3,2,1\n0,0,1,1:L:*\n;c\n0,0,1,1:T:DejaVu Sans,40,Hi,0,0,15\n";
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    LogCapture log("tessera.template");
    const TemplateReadResult fromCrlf = readTemplateFile(writeFile(dir, "crlf.fdd", crlf));
    const TemplateReadResult fromLf = readTemplateFile(writeFile(dir, "lf.fdd", lf));
    ASSERT_TRUE(fromCrlf.ok() && fromLf.ok());
    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join('|').toStdString();
    EXPECT_TRUE(fromCrlf.file->ratioLocked);
    ASSERT_EQ(fromCrlf.file->cells.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(fromCrlf.file->cells[i].first, fromLf.file->cells[i].first);
        EXPECT_EQ(fromCrlf.file->cells[i].second.data, fromLf.file->cells[i].second.data);
    }
    EXPECT_FLOAT_EQ(fromCrlf.file->cells[1].second.degree, 15);
    EXPECT_EQ(templateCellCount(writeFile(dir, "count.fdd", "3,2\r\nab\r\n")), 0);
}

TEST(TemplateFile, LibraryCellCount)
{
    const std::pair<QByteArray, int> cases[] = {
        { "3,2\n0,0,1,1:L:*\n;c\n;d\n\n0,0,1,1:L:*\n0,0,1,1:L:*\n0,0,1,1:L:*\n", 4 },
        { "", -1 },
        { "3,2\nab\n", 0 }, // two characters do not count
        { "3,2\nabc\n", 1 },
        { "3,2\n\xff\xff\xff\n", 0 }, // not UTF-8
    };
    QTemporaryDir dir;
    for (const auto& [text, count] : cases)
        EXPECT_EQ(templateCellCount(writeFile(dir, "t.fdd", text)), count) << text.toStdString();
    EXPECT_EQ(templateCellCount(dir.filePath("missing.fdd")), 0);
}
