// PDF pages of a collage: where the collage lands, what pdftoppm sees of it
// compared with the image export, how photos are stored, and what a failed
// write leaves behind.

#include "app/collagepdf.h"
#include "app/collageprint.h"
#include "app/exportsettings.h"
#include "app/pagesetup.h"
#include "template/klresourceview.h"

#include "kit/folders.h"
#include "kit/image.h"
#include "kit/render.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

pagesetup::FrameForWidth ratio(double rw, double rh)
{
    return [rw, rh](double w) {
        return exportsettings::ratioOutputSize(w, { rw, rh });
    };
}

class CollagePdfTest : public ::testing::Test
{
protected:
    // A shipped template filled with pictures of one colour each.
    std::unique_ptr<KLResourceView> collage(const QString& templateName,
                                            const std::vector<QImage>& pictures)
    {
        auto canvas = std::make_unique<KLResourceView>(kit::Rect { 0, 0, 400, 400 });
        EXPECT_TRUE(canvas->loadResourceFromPath(
            kit::Folders::resourcePath(QStringLiteral("Templates/") + templateName)));
        std::vector<std::optional<kit::Image>> photos;
        for (size_t i = 0; i < pictures.size(); ++i) {
            const QString path = m_dir.filePath(QStringLiteral("p%1.png").arg(i));
            EXPECT_TRUE(pictures[i].save(path));
            photos.push_back(kit::Image::load(path));
        }
        canvas->_setBackgroundView(BackgroundEntry { 0, {}, {} });
        canvas->fillCells(photos, canvas->items().front());
        return canvas;
    }

    // The page as pdftoppm draws it at `dpi`.
    QImage rasterize(const QString& pdf, int dpi)
    {
        const QString prefix = m_dir.filePath(QStringLiteral("page"));
        QProcess p;
        p.start(QStringLiteral("pdftoppm"),
                { QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, prefix });
        EXPECT_TRUE(p.waitForFinished(60000)) << "pdftoppm (poppler-utils) is needed";
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir m_dir;
};

QImage solid(QColor c, QSize size = { 60, 40 })
{
    return testsupport::solidImage(size, c, QImage::Format_RGB32);
}

// The largest channel difference at each pixel of `a` against `b` placed at
// `offset`: how many pixels differ by more than `tolerance`.
int pixelsApart(const QImage& a, const QImage& b, QPoint offset, int tolerance)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x + offset.x(), y + offset.y());
            const int d = std::max({ std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                     std::abs(qBlue(p) - qBlue(q)) });
            count += d > tolerance;
        }
    }
    return count;
}

struct PdfImage
{
    int width, height;
    QByteArray filter;
    bool translucent; // has a soft mask, or is one
};

std::vector<PdfImage> imagesIn(const QByteArray& pdf)
{
    static const QRegularExpression image(
        QStringLiteral(R"(/Subtype\s*/Image\s*/Width\s+(\d+)\s*/Height\s+(\d+)([^>]*))"));
    static const QRegularExpression filter(QStringLiteral(R"(/Filter\s*/(\w+))"));
    std::vector<PdfImage> out;
    for (const auto& m : image.globalMatch(QString::fromLatin1(pdf))) {
        const QString rest = m.captured(3);
        out.push_back({ m.captured(1).toInt(), m.captured(2).toInt(),
                        filter.match(rest).captured(1).toLatin1(),
                        rest.contains(QStringLiteral("/SMask"))
                            || rest.contains(QStringLiteral("/DeviceGray")) });
    }
    return out;
}

} // namespace

TEST(PageSetup, PapersFramesAndPlaces)
{
    const std::pair<const char*, std::optional<QSizeF>> papers[] = {
        { " 89.5 X 127 MM ", QSizeF(89.5, 127) },
        { "10x150mm", std::nullopt },
        { "100x150", std::nullopt },
    };
    for (const auto& [text, size] : papers) {
        const auto paper = pagesetup::parsePaper(QString::fromUtf8(text));
        ASSERT_EQ(paper.has_value(), size.has_value()) << text;
        if (size) {
            EXPECT_NEAR(paper->size(QPageSize::Millimeter).width(), size->width(), 0.2) << text;
            EXPECT_NEAR(paper->size(QPageSize::Millimeter).height(), size->height(), 0.2) << text;
        }
    }

    // The widest whole-unit frame that fits, for ratio frames and for the
    // serial column's frame, which is 10 units taller than its content.
    const pagesetup::FrameForWidth serial = [](double w) {
        return exportsettings::serialOutputSize(w, 2.0f);
    };
    const std::tuple<pagesetup::FrameForWidth, kit::Size, kit::Size> fits[] = {
        { ratio(3, 4), { 2244, 3272 }, { 2244, 2992 } },
        { serial, { 300, 100 }, { 190, 100 } },
        { ratio(1, 1), { 0.5, 200 }, { 0, 0 } },
    };
    for (const auto& [frame, area, expected] : fits) {
        const kit::Size got = pagesetup::fitFrame(frame, area);
        EXPECT_NEAR(got.width, expected.width, 1e-9) << area.width << "x" << area.height;
        EXPECT_NEAR(got.height, expected.height, 1e-9) << area.width << "x" << area.height;
    }
}

TEST_F(CollagePdfTest, PageMatchesTheImageExportAtTheSameResolution)
{
    auto canvas = collage(QStringLiteral("circles-2x2.fdd"),
                          { solid(Qt::red), solid(QColor(20, 140, 60)), solid(Qt::blue),
                            solid(QColor(250, 200, 40)) });
    const kit::Rect before = canvas->frame();
    const QString pdf = m_dir.filePath(QStringLiteral("c.pdf"));
    PdfOptions options;
    options.paper = *pagesetup::parsePaper(QStringLiteral("100x100mm"));
    options.dpi = 100;
    QString error;
    ASSERT_TRUE(writeCollagePdf(*canvas, ratio(1, 1), options, pdf, &error)) << error.toStdString();
    EXPECT_EQ(canvas->frame(), before);

    // Qt makes the page 283 pt (393 dots) wide; 10 mm margins leave 314.26
    // dots, so the collage is 314 wide and starts 39.5 dots in.
    const QImage page = rasterize(pdf, 100);
    canvas->setFrame({ 0, 0, 314, 314 });
    QImage exported(314, 314, QImage::Format_RGB32);
    exported.fill(Qt::white);
    QPainter(&exported).drawImage(0, 0, kit::renderToImage(*canvas, QSize(314, 314)));

    QPoint best;
    int fewest = INT_MAX;
    for (int y = 38; y <= 41; ++y) {
        for (int x = 38; x <= 41; ++x) {
            const int apart = pixelsApart(exported, page, QPoint(x, y), 24);
            if (apart < fewest)
                fewest = apart, best = { x, y };
        }
    }
    EXPECT_TRUE(best.x() >= 39 && best.x() <= 40 && best.y() >= 39 && best.y() <= 40)
        << "the collage is off centre: " << best.x() << "," << best.y();
    // Only the anti-aliased rims of the round cells may differ.
    EXPECT_LT(fewest, 314 * 314 * 3 / 100) << "pixels differing from the export: " << fewest;
}

TEST_F(CollagePdfTest, PhotosAreJpegAtTheChosenResolutionOnAFittedPage)
{
    QImage gradient(1200, 900, QImage::Format_RGB32);
    for (int y = 0; y < gradient.height(); ++y)
        for (int x = 0; x < gradient.width(); ++x)
            gradient.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    auto canvas = collage(QStringLiteral("grid-2x1.fdd"), { gradient, gradient });

    // The photos follow the resolution.
    std::vector<int> widths;
    for (int dpi : { 150, 300 }) {
        const QString pdf = m_dir.filePath(QStringLiteral("g%1.pdf").arg(dpi));
        PdfOptions options;
        options.dpi = dpi;
        ASSERT_TRUE(writeCollagePdf(*canvas, ratio(16, 9), options, pdf, nullptr));
        int widest = 0;
        for (const PdfImage& image : imagesIn(testsupport::readFile(pdf))) {
            // The collage is no one big bitmap: only its translucent
            // shadow is a picture as large.
            EXPECT_FALSE(!image.translucent && image.width > dpi * 9 && image.height > dpi * 5)
                << image.width << "x" << image.height;
            if (image.filter == "DCTDecode")
                widest = std::max(widest, image.width);
        }
        widths.push_back(widest);
    }
    // A wide collage turns the paper: A4 landscape less the margins is 277 mm
    // wide, so is the 16:9 collage, and each photo fills a cell about as wide.
    EXPECT_NEAR(widths[0], 277 / 25.4 * 150, 40);
    EXPECT_NEAR(widths[1], 277 / 25.4 * 300, 80);
}

TEST_F(CollagePdfTest, FailedWritesLeaveTheOldFile)
{
    auto canvas = collage(QStringLiteral("grid-2x1.fdd"), { solid(Qt::red) });
    const QString existing = testsupport::writeFile(m_dir.filePath("old.pdf"), "old");
    PdfOptions lowDpi;
    lowDpi.dpi = 10;
    PdfOptions wideMargins;
    wideMargins.paper = *pagesetup::parsePaper(QStringLiteral("50x50mm"));
    wideMargins.marginMm = 30;
    const std::tuple<const char*, PdfOptions, QString> cases[] = {
        { "resolution", lowDpi, existing },
        { "margins", wideMargins, existing },
        { "folder", PdfOptions {}, m_dir.filePath(QStringLiteral("missing/c.pdf")) },
    };
    for (const auto& [name, options, path] : cases) {
        QString error;
        EXPECT_FALSE(writeCollagePdf(*canvas, ratio(1, 1), options, path, &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
    EXPECT_EQ(testsupport::readFile(existing), QByteArray("old"));
    EXPECT_EQ(QDir(m_dir.path()).entryList({ QStringLiteral("*.pdf") }),
              QStringList { QStringLiteral("old.pdf") });
}

TEST_F(CollagePdfTest, PrintsWithinThePrinterMarginsAtMost600Dpi)
{
    auto canvas = collage(QStringLiteral("grid-2x1.fdd"),
                          { solid(QColor(30, 30, 30), { 900, 600 }), solid(QColor(30, 30, 30)) });
    canvas->_setBackgroundView(BackgroundEntry { 1, {}, {} });
    canvas->_setHasShadow(false);
    const QString pdf = m_dir.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    preparePrinter(printer, ratio(1, 1), QStringLiteral("Square"));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A6), QPageLayout::Portrait,
                                      QMarginsF(20, 5, 5, 5), QPageLayout::Millimeter));
    printer.setResolution(1200);
    QString error;
    ASSERT_TRUE(printCollage(printer, *canvas, ratio(1, 1), &error)) << error.toStdString();

    // An 80 mm square between the side margins, centred in the 138 mm
    // between the top and bottom ones of the 148 mm paper.
    const QImage page = rasterize(pdf, 50);
    QRect dark;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 100)
                dark |= QRect(x, y, 1, 1);
    const double dot = 50 / 25.4;
    EXPECT_NEAR(dark.left(), 20 * dot, 2);
    EXPECT_NEAR(dark.right(), 100 * dot, 2);
    EXPECT_NEAR(dark.top(), (5 + 29) * dot, 2);
    EXPECT_NEAR(dark.bottom(), (5 + 29 + 80) * dot, 2);

    // The photos are drawn for 600 dots per inch, not 1200.
    int widest = 0;
    for (const PdfImage& image : imagesIn(testsupport::readFile(pdf)))
        widest = std::max(widest, image.width);
    EXPECT_NEAR(widest, 80 / 25.4 * 600, 60);
}
