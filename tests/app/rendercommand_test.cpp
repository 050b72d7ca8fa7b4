#include "app/rendercommand.h"

#include "text/stylefile.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTextStream>

using testsupport::pixelYUp;
using testsupport::sameColor;

namespace {

class RenderCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_template = write("two.fdd", "4,3\n0,0,0.5,1:L:*\n0.5,0,0.5,1:L:*\n");
        m_photo = m_dir.filePath("red.jpg");
        testsupport::writeImage(testsupport::solidImage({ 64, 48 }, Qt::red), m_photo);
    }
    QString write(const QString& name, const QByteArray& text)
    {
        return testsupport::writeFile(m_dir.filePath(name), text);
    }
    int run(const QStringList& args)
    {
        m_err.clear();
        m_out.clear();
        m_stdout.close();
        m_stdout.setData({});
        m_stdout.open(QIODevice::WriteOnly);
        QTextStream err(&m_err), out(&m_out);
        const int status = renderMain(args, err, &out, &m_stdout);
        err.flush();
        out.flush();
        return status;
    }
    QString out(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_template, m_photo, m_err, m_out;
    QBuffer m_stdout;
};

} // namespace

TEST_F(RenderCommandTest, SizesAndFormats)
{
    const struct
    {
        QStringList extra;
        QString output;
        QSize size;
        QByteArray format;
    } cases[] = {
        { {}, "a.png", { 1024, 768 }, "png" }, // 4:3, default width
        { { "--width", "640" }, "b.jpg", { 640, 480 }, "jpeg" },
        { { "--size", "300x500" }, "c.tiff", { 300, 500 }, "tiff" },
    };
    for (const auto& c : cases) {
        QStringList args = {
            "--template", m_template, "--photo", m_photo, "--output", out(c.output)
        };
        args += c.extra;
        ASSERT_EQ(run(args), RenderOk) << m_err.toStdString();
        QImageReader reader(out(c.output));
        EXPECT_EQ(reader.size(), c.size) << c.output.toStdString();
        EXPECT_EQ(reader.format(), c.format) << c.output.toStdString();
    }
    // A portrait collage keeps both sides within 3072 at its ratio.
    const QString portrait = write("portrait.fdd", "2,3\n0,0,1,1:L:*\n");
    ASSERT_EQ(run({ "--template", portrait, "--width", "3072", "--output", out("p.png") }),
              RenderOk);
    EXPECT_EQ(QImageReader(out("p.png")).size(), QSize(2048, 3072));
    // The photo fills the first cell; the second shows its placeholder.
    QImage image(out("a.png"));
    EXPECT_TRUE(sameColor(pixelYUp(image, 200, 384), Qt::red, 8));
    EXPECT_FALSE(sameColor(pixelYUp(image, 800, 384), Qt::red, 8));

    // Photos beyond the last cell are named in a warning; the render goes on.
    const QString third = m_dir.filePath("third.png");
    ASSERT_TRUE(QFile::copy(m_photo, third));
    ASSERT_EQ(run({ "--template", m_template, "--photo", m_photo, "--photo", m_photo, "--photo",
                    third, "--output", out("e.png") }),
              RenderOk);
    EXPECT_TRUE(m_err.contains("warning") && m_err.contains(third)) << m_err.toStdString();
    EXPECT_EQ(m_err.count(QStringLiteral("warning")), 1);

    // The decorations reach the canvas.
    const QString small = write("small.fdd", "4,3\n0.25,0.25,0.5,0.5:L:*\n");
    ASSERT_EQ(run({ "--template", small, "--background", "black", "--no-shadow", "--width", "400",
                    "--output", out("black.png") }),
              RenderOk);
    image = QImage(out("black.png"));
    EXPECT_TRUE(sameColor(pixelYUp(image, 200, 20), Qt::black)); // below the cell, on the plate
    EXPECT_EQ(pixelYUp(image, 200, 0).alpha(), 0); // outside the plate, no shadow

    // The column takes every photo in order: 400 × 300 over 300 × 400, 500
    // wide, as the editor makes it.
    QStringList column = { "--mode", "serial", "--no-shadow", "--width", "500" };
    for (const auto& [name, colour, size] : { std::tuple("a.png", Qt::red, QSize(400, 300)),
                                              std::tuple("b.png", Qt::blue, QSize(300, 400)) }) {
        ASSERT_TRUE(testsupport::writeImage(testsupport::solidImage(size, colour), out(name)));
        column << "--photo" << out(name);
    }
    ASSERT_EQ(run(column + QStringList { "--output", out("column.png") }), RenderOk) << m_err;
    image = QImage(out("column.png"));
    ASSERT_EQ(image.size(), QSize(500, 1014)); // (500 − 10) / 0.4882 + 10
    EXPECT_TRUE(sameColor(pixelYUp(image, 250, 820), Qt::red));
    EXPECT_TRUE(sameColor(pixelYUp(image, 250, 320), Qt::blue));
}

TEST_F(RenderCommandTest, HelpAndVersion)
{
    EXPECT_EQ(run({ "--help" }), RenderOk);
    EXPECT_TRUE(m_out.contains("--template") && m_out.contains("--background"))
        << m_out.toStdString();
    EXPECT_EQ(run({ "--version" }), RenderOk);
    EXPECT_TRUE(m_out.startsWith("tessera 1.")) << m_out.toStdString();
    EXPECT_TRUE(m_err.isEmpty());
}

TEST_F(RenderCommandTest, BadInputFailsAndWritesNothing)
{
    const QString existing = write("keep.png", "precious");
    const QString notPicture = write("notes.jpg", "hello");
    const QString column = write("column.tessera", R"({"format": "tessera-collage",
        "version": 1, "mode": "serial"})");
    const QString later = write("later.tessera", R"({"format": "tessera-collage", "version": 2})");
    const QString brokenPng =
        write("broken.png", QByteArray("\x89PNG\r\n\x1a\n", 8) + "\0\0\0\rIHDR");
    const struct
    {
        QStringList args;
        QString named;
        int status;
    } cases[] = {
        { { "--template", out("missing.fdd"), "--output", existing }, "missing.fdd", RenderFailed },
        { { "--template", m_template, "--photo", notPicture, "--output", existing },
          "notes.jpg",
          RenderFailed },
        { { "--template", m_template, "--border", write("deep.bdr", "1,1,0,0\nL:0,0,1,1\n"),
            "--output", existing },
          "deep.bdr",
          RenderFailed },
        { { "--template", m_template, "--photo", brokenPng, "--output", existing },
          "broken.png",
          RenderFailed },
        { { "--template", m_template, "--output", out("no/dir/x.png") }, "x.png", RenderFailed },
        { { "--template", write("empty.fdd", "4,3\n0,0,1:L:*\n"), "--output", existing },
          "empty.fdd",
          RenderFailed },
        { { "--template", m_template, "--bogus", "--output", existing }, "bogus", RenderUsage },
        { { "--mode", "collage", "--template", m_template, "--output", existing },
          "collage",
          RenderUsage },
        { { "--template", m_template, "--width", "4000", "--output", existing }, "", RenderUsage },
        { { "--template", m_template, "--output", out("x.gif") }, "", RenderUsage },
        { { "--output", existing }, "", RenderUsage },
        { { "--mode", "serial", "--size", "10x10", "--output", existing }, "", RenderUsage },
        { { "--mode", "serial", "--template", m_template, "--output", existing }, "", RenderUsage },
        { { "--template", m_template, "--paper", "A9", "--output", out("x.pdf") },
          "A9",
          RenderUsage },
        { { "--template", m_template, "--width", "100", "--output", out("x.pdf") },
          "",
          RenderUsage },
        { { "--template", m_template, "--format", "pdf", "--output", out("no/dir/x.pdf") },
          "x.pdf",
          RenderFailed },
        { { "--template", m_template, "--style", "Nowhere", "--caption", "x", "--output",
            existing },
          "Nowhere",
          RenderFailed },
        { { "--mode", "serial", "--style", notPicture, "--output", existing },
          "notes.jpg",
          RenderFailed },
        { { later, "--output", existing }, "format 2", RenderFailed },
        { { column, "--size", "300x200", "--output", existing }, "--size", RenderUsage },
        { { column, "--photo", m_photo, "--output", existing }, "--photo", RenderUsage },
        { { column, column, "--output", existing }, "column.tessera", RenderUsage },
        { { column, "--save-document", out("no/dir/x.tessera"), "--output", existing },
          "x.tessera",
          RenderFailed },
    };
    for (const auto& c : cases) {
        testsupport::LogCapture log;
        EXPECT_EQ(run(c.args), c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(m_err.contains(c.named)) << m_err.toStdString();
        // A failure is one line, naming its file once; nothing else is said.
        if (c.status == RenderFailed) {
            EXPECT_EQ(m_err.count(QLatin1Char('\n')), 1) << m_err;
            EXPECT_EQ(m_err.count(c.named), 1) << m_err;
            EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join('\n');
        }
        EXPECT_EQ(testsupport::readFile(existing), QByteArray("precious"));
    }
    EXPECT_FALSE(QFile::exists(out("x.pdf")));
}

TEST_F(RenderCommandTest, PdfPagesOfEveryMode)
{
    // Page sizes in points: A4 turned for the 4:3 collage, Letter as asked,
    // a custom paper turned for the wide column.
    const struct
    {
        QStringList args;
        QSizeF page;
    } cases[] = {
        { { "--template", m_template, "--photo", m_photo, "--output", out("a.pdf") },
          { 842, 595 } },
        { { "--template", m_template, "--format", "pdf", "--paper", "letter", "--orientation",
            "portrait", "--dpi", "150", "--output", out("b.out") },
          { 612, 792 } },
        { { "--mode", "serial", "--photo", m_photo, "--paper", "100x150mm", "--output",
            out("c.pdf") },
          { 425, 283 } },
    };
    for (const auto& c : cases) {
        ASSERT_EQ(run(c.args), RenderOk) << m_err.toStdString();
        const QSizeF page = testsupport::pdfPageSize(testsupport::readFile(c.args.last()));
        EXPECT_NEAR(page.width(), c.page.width(), 1) << c.args.last().toStdString();
        EXPECT_NEAR(page.height(), c.page.height(), 1) << c.args.last().toStdString();
    }
}

// A collage drawn from photos and captions and saved beside them as a
// document draws again to the same pixels from the document, in every mode;
// a photo gone since fails the render, naming it, and writes nothing.
TEST_F(RenderCommandTest, SavedDocumentsDrawTheSamePixels)
{
    TextStyle blue = factoryTextStyle();
    blue.fontName = "DejaVu Sans Bold";
    blue.fontColor = QColor(Qt::blue);
    const QString style = out("blue.style");
    ASSERT_TRUE(writeStyleFile(style, blue));
    // How many pixels of `area` are blue, and their centre as fractions from
    // the top-left corner.
    const auto blueIn = [](const QImage& image, QRect area) {
        int count = 0;
        QPointF centre;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (const QColor c = image.pixelColor(x, y);
                    c.blue() > 200 && c.red() < 60 && c.green() < 60)
                    ++count, centre += QPointF(x, y);
        centre /= std::max(1, count);
        return std::pair(count, QPointF(centre.x() / image.width(), centre.y() / image.height()));
    };

    const QString first = m_dir.filePath("first");
    ASSERT_TRUE(QDir().mkpath(first + "/photos"));
    QStringList photos;
    for (const auto& [name, colour, size] : { std::tuple("a.png", Qt::darkCyan, QSize(400, 300)),
                                              std::tuple("b.jpg", Qt::magenta, QSize(200, 260)) }) {
        photos << first + "/photos/" + name;
        ASSERT_TRUE(testsupport::writeImage(testsupport::solidImage(size, colour), photos.last()));
    }
    const QString cells = write("first/two.fdd", "4,3\n0,0,0.5,1:L:*\n0.5,0,0.5,1:L:*\n");
    const struct
    {
        const char* name;
        QStringList args;
    } cases[] = {
        { "template",
          { "--template", cells, "--photo", photos[0], "--photo", photos[1], "--corners", "--size",
            "500x300" } },
        { "free",
          { "--mode", "free", "--ratio", "3:2", "--photo", photos[0] + "@0.3,0.4,0.6,20", "--photo",
            photos[1] + "@0.7,0.6,0.3", "--background", "black", "--width", "600" } },
        { "serial",
          { "--mode", "serial", "--photo", photos[1], "--photo", photos[0], "--no-shadow",
            "--width", "300" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString document = first + "/" + c.name + ".tessera";
        const QString drawn = out(QString("%1-drawn.png").arg(c.name));
        // The first caption takes the default style, the second the one
        // named before it; a text whose end is no point keeps its "@".
        ASSERT_EQ(
            run(c.args
                + QStringList { "--caption", "I@0.2,0.75", "--style", style, "--caption",
                                "H@me@0.7,0.25", "--save-document", document, "--output", drawn }),
            RenderOk)
            << m_err;
        const QImage image(drawn);
        const QPointF caption = blueIn(image, image.rect()).second;
        EXPECT_NEAR(caption.x(), 0.7, 0.02);
        EXPECT_NEAR(caption.y(), 0.25, 0.02);
        EXPECT_EQ(blueIn(image, image.rect().adjusted(0, 0, -image.width() / 2, 0)).first, 0);
        const int at = std::max(c.args.indexOf("--width"), c.args.indexOf("--size"));
        ASSERT_EQ(run(QStringList { document, "--output", out("again.png") } + c.args.mid(at, 2)),
                  RenderOk)
            << m_err;
        EXPECT_TRUE(QImage(drawn) == QImage(out("again.png")));
    }

    // A document as the first format wrote it, with nothing but a column of
    // one photo, draws as the photo given on the command line does.
    const QString early = write("early.tessera", R"({"format": "tessera-collage", "version": 1,
        "mode": "serial", "serial": {"photos": [{"path": "red.jpg"}]}})");
    ASSERT_EQ(run({ early, "--width", "200", "--output", out("column.png") }), RenderOk) << m_err;
    ASSERT_EQ(run({ "--mode", "serial", "--photo", m_photo, "--width", "200", "--output",
                    out("photos.png") }),
              RenderOk);
    EXPECT_TRUE(QImage(out("column.png")) == QImage(out("photos.png")));

    ASSERT_TRUE(QFile::remove(first + "/photos/b.jpg"));
    EXPECT_EQ(run({ first + "/serial.tessera", "--output", out("gone.png") }), RenderFailed);
    EXPECT_TRUE(m_err.contains("b.jpg") && m_err.contains("serial.tessera")) << m_err;
    EXPECT_FALSE(QFile::exists(out("gone.png")));
    EXPECT_EQ(m_err.count('\n'), 1) << m_err;
}
