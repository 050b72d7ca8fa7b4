#include "rendercommand.h"

#include "exportsettings.h"
#include "ratiotable.h"
#include "serial/klcombinview.h"
#include "template/klresourceitem.h"
#include "template/klresourceview.h"

#include "kit/logging.h"

#include <algorithm>

#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace {

constexpr int kMaxSide = int(exportsettings::kMaxSide);

std::optional<int> positiveInt(const QString& text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v <= 0)
        return std::nullopt;
    return v;
}

std::optional<QSize> parseSize(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return std::nullopt;
    const auto w = positiveInt(parts[0]);
    const auto h = positiveInt(parts[1]);
    if (!w || !h)
        return std::nullopt;
    return QSize(*w, *h);
}

} // namespace

QString renderUsage()
{
    return QStringLiteral(
        "usage: tessera render [--mode template] --template FILE [--photo FILE]...\n"
        "                      [--border FILE] [--background white|black|FILE] [--corners]\n"
        "                      [--no-shadow] [--width N | --size WxH]\n"
        "                      [--format png|jpg|tiff|bmp] --output FILE\n"
        "       tessera render --mode free [--ratio W:H] [--photo FILE[@X,Y[,S[,DEG]]]]...\n"
        "                      [--border FILE] [--background white|black|FILE] [--corners]\n"
        "                      [--no-shadow] [--width N | --size WxH]\n"
        "                      [--format png|jpg|tiff|bmp] --output FILE\n"
        "       tessera render --mode serial [--photo FILE]... [--border FILE]\n"
        "                      [--background white|black|FILE] [--corners] [--no-shadow]\n"
        "                      [--width N] [--format png|jpg|tiff|bmp] --output FILE\n"
        "       tessera render ... --format pdf [--paper A4|Letter|WxHmm] [--dpi N]\n"
        "                      [--orientation auto|portrait|landscape] --output FILE\n"
        "  --mode M      template (default); free: prints placed by hand; serial: the\n"
        "                photos joined into one column, the first on top\n"
        "  --width N     output N wide (default 1024, at most 3072); the height follows\n"
        "                from the template's ratio, --ratio or the column's photos\n"
        "  --size WxH    output frame W by H (each side at most 3072; template and free)\n"
        "  --ratio W:H   the free layout's ratio: 1:1 (default), 3:2, 2:3, 4:3, 3:4, 16:9\n"
        "  --photo FILE@X,Y,S,DEG  free layout: the print's centre at X,Y (fractions of\n"
        "                the canvas from its top-left corner, default 0.5,0.5), S its\n"
        "                width as a fraction of the canvas's (default 0.5), DEG its\n"
        "                counter-clockwise turn in degrees (default 0)\n"
        "  --format pdf  one PDF page holding the collage fitted and centred within\n"
        "                10 mm margins; photos stored as JPEG at the resolution\n"
        "  --paper P     A3, A4 (default), A5, A6, B5, Letter, Legal, Tabloid or WxHmm\n"
        "  --dpi N       resolution of the photos on the page (default 300, 36 to 1200)\n"
        "  --orientation the paper's; auto (default) turns it to suit the collage\n");
}

std::variant<RenderOptions, QString> parseRenderArguments(const QStringList& args)
{
    RenderOptions o;
    bool haveWidth = false;
    bool haveRatio = false;
    bool havePage = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString* out) -> bool {
            if (i + 1 >= args.size())
                return false;
            *out = args[++i];
            return true;
        };
        QString v;
        if (a == QLatin1String("--mode")) {
            if (!value(&v))
                return QStringLiteral("--mode needs template, free or serial");
            if (v == QLatin1String("template"))
                o.mode = RenderOptions::Mode::Template;
            else if (v == QLatin1String("free"))
                o.mode = RenderOptions::Mode::Free;
            else if (v == QLatin1String("serial"))
                o.mode = RenderOptions::Mode::Serial;
            else
                return QStringLiteral("unknown mode '%1' (template, free or serial)").arg(v);
        } else if (a == QLatin1String("--ratio")) {
            if (!value(&v))
                return QStringLiteral("--ratio needs W:H");
            const std::optional<int> index = ratioIndexForTitle(v);
            if (!index)
                return QStringLiteral("unknown ratio '%1' (1:1, 3:2, 2:3, 4:3, 3:4 or 16:9)")
                    .arg(v);
            o.ratioIndex = *index;
            haveRatio = true;
        } else if (a == QLatin1String("--template")) {
            if (!value(&o.templatePath))
                return QStringLiteral("--template needs a file");
        } else if (a == QLatin1String("--photo")) {
            if (!value(&v))
                return QStringLiteral("--photo needs a file");
            o.photos << v;
        } else if (a == QLatin1String("--border")) {
            if (!value(&v))
                return QStringLiteral("--border needs a file");
            o.border = v;
        } else if (a == QLatin1String("--background")) {
            if (!value(&v))
                return QStringLiteral("--background needs white, black or a file");
            if (v == QLatin1String("white")) {
                o.background = RenderOptions::Background::White;
            } else if (v == QLatin1String("black")) {
                o.background = RenderOptions::Background::Black;
            } else {
                o.background = RenderOptions::Background::Picture;
                o.backgroundFile = v;
            }
        } else if (a == QLatin1String("--corners")) {
            o.corners = true;
        } else if (a == QLatin1String("--no-shadow")) {
            o.shadow = false;
        } else if (a == QLatin1String("--width")) {
            if (!value(&v))
                return QStringLiteral("--width needs a number");
            const auto w = positiveInt(v);
            if (!w || *w > kMaxSide)
                return QStringLiteral("--width must be a whole number from 1 to %1").arg(kMaxSide);
            o.width = *w;
            haveWidth = true;
        } else if (a == QLatin1String("--size")) {
            if (!value(&v))
                return QStringLiteral("--size needs WxH");
            const auto s = parseSize(v);
            if (!s || s->width() > kMaxSide || s->height() > kMaxSide)
                return QStringLiteral("--size must be WxH with each side from 1 to %1")
                    .arg(kMaxSide);
            o.size = *s;
        } else if (a == QLatin1String("--format")) {
            if (!value(&v))
                return QStringLiteral("--format needs png, jpg, tiff, bmp or pdf");
            o.pdf = v.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
            o.format = o.pdf ? std::nullopt : kit::formatFromName(v);
            if (!o.pdf && !o.format)
                return QStringLiteral("unknown format '%1' (png, jpg, tiff, bmp or pdf)").arg(v);
        } else if (a == QLatin1String("--paper")) {
            if (!value(&v))
                return QStringLiteral("--paper needs a paper name or WxHmm");
            const auto paper = pagesetup::parsePaper(v);
            if (!paper)
                return QStringLiteral("unknown paper '%1' (%2)").arg(v, pagesetup::paperNames());
            o.page.paper = *paper;
            havePage = true;
        } else if (a == QLatin1String("--dpi")) {
            if (!value(&v))
                return QStringLiteral("--dpi needs a number");
            const auto dpi = positiveInt(v);
            if (!dpi || *dpi < pagesetup::kMinDpi || *dpi > pagesetup::kMaxDpi)
                return QStringLiteral("--dpi must be a whole number from %1 to %2")
                    .arg(pagesetup::kMinDpi)
                    .arg(pagesetup::kMaxDpi);
            o.page.dpi = *dpi;
            havePage = true;
        } else if (a == QLatin1String("--orientation")) {
            if (!value(&v))
                return QStringLiteral("--orientation needs auto, portrait or landscape");
            if (v == QLatin1String("portrait"))
                o.page.orientation = QPageLayout::Portrait;
            else if (v == QLatin1String("landscape"))
                o.page.orientation = QPageLayout::Landscape;
            else if (v != QLatin1String("auto"))
                return QStringLiteral("unknown orientation '%1' (auto, portrait or landscape)")
                    .arg(v);
            havePage = true;
        } else if (a == QLatin1String("--output")) {
            if (!value(&o.output))
                return QStringLiteral("--output needs a file");
        } else {
            return QStringLiteral("unknown argument '%1'").arg(a);
        }
    }
    if (haveRatio && o.mode != RenderOptions::Mode::Free)
        return QStringLiteral("--ratio applies to --mode free only");
    if (o.mode == RenderOptions::Mode::Free) {
        if (!o.templatePath.isEmpty())
            return QStringLiteral("--template cannot be used with --mode free");
        for (const QString& photo : o.photos) {
            auto placed = parseFreePhoto(photo);
            if (const QString* problem = std::get_if<QString>(&placed))
                return *problem;
            o.freePhotos.push_back(std::get<FreePhoto>(placed));
        }
    } else if (o.mode == RenderOptions::Mode::Serial) {
        if (!o.templatePath.isEmpty())
            return QStringLiteral("--template cannot be used with --mode serial");
        if (o.size)
            return QStringLiteral(
                "--size cannot be used with --mode serial: the photos decide the height");
    } else if (o.templatePath.isEmpty()) {
        return QStringLiteral("--template is required");
    }
    if (o.output.isEmpty())
        return QStringLiteral("--output is required");
    if (haveWidth && o.size)
        return QStringLiteral("--width and --size cannot be used together");
    if (!o.format && !o.pdf) {
        o.pdf =
            QFileInfo(o.output).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
        o.format = kit::formatFromExtension(QFileInfo(o.output).suffix());
        if (!o.format && !o.pdf)
            return QStringLiteral("cannot tell the format from '%1'; use --format").arg(o.output);
    }
    if (o.pdf && (haveWidth || o.size))
        return QStringLiteral(
            "--width and --size do not apply to a PDF: --paper and --dpi decide its size");
    if (!o.pdf && havePage)
        return QStringLiteral("--paper, --dpi and --orientation apply only to --format pdf");
    o.page.title = QFileInfo(o.output).completeBaseName();
    return o;
}

RenderStatus renderFailure(QTextStream& err, const QString& file, const QString& reason)
{
    err << "tessera: " << file << ": " << reason << Qt::endl;
    return RenderFailed;
}

bool loadRenderBackground(const RenderOptions& o, std::optional<BackgroundEntry>& background,
                          QTextStream& err)
{
    switch (o.background) {
    case RenderOptions::Background::None:
        break;
    case RenderOptions::Background::White:
        background = BackgroundEntry { 0, {}, {} };
        break;
    case RenderOptions::Background::Black:
        background = BackgroundEntry { 1, {}, {} };
        break;
    case RenderOptions::Background::Picture: {
        QString error;
        auto image = kit::Image::load(o.backgroundFile, &error);
        if (!image) {
            renderFailure(err, o.backgroundFile, error);
            return false;
        }
        background = BackgroundEntry { 2, *image, o.backgroundFile };
        break;
    }
    }
    return true;
}

bool writeRenderOutput(KLCanvasView& canvas, const pagesetup::FrameForWidth& frames,
                       const RenderOptions& o, QString* error)
{
    return o.pdf ? writeCollagePdf(canvas, frames, o.page, o.output, error)
                 : canvas.saveToURL(o.output, *o.format, error);
}

RenderStatus runRender(const RenderOptions& o, QTextStream& err)
{
    if (o.mode == RenderOptions::Mode::Free)
        return runFreeRender(o, err);
    auto fail = [&err](const QString& file, const QString& reason) {
        return renderFailure(err, file, reason);
    };

    // Everything is loaded before anything is drawn, so a bad input stops the
    // render before an output file could be touched.
    std::vector<std::optional<kit::Image>> photos;
    for (const QString& path : o.photos) {
        QString error;
        auto image = kit::Image::load(path, &error);
        if (!image)
            return fail(path, error);
        photos.push_back(std::move(image));
    }
    std::optional<BackgroundEntry> background;
    if (!loadRenderBackground(o, background, err))
        return RenderFailed;

    auto decorate = [&](KLCanvasView& canvas) {
        canvas._setHasCorner(o.corners);
        canvas._setHasShadow(o.shadow);
        canvas._setBackgroundView(background);
        if (!o.border)
            return true;
        canvas._setFrameBorder(*o.border);
        return canvas.hasFrameBorder();
    };
    auto write = [&](KLCanvasView& canvas, const pagesetup::FrameForWidth& frames) {
        QString writeError;
        if (!writeRenderOutput(canvas, frames, o, &writeError))
            return fail(o.output, writeError);
        return RenderOk;
    };
    const QString badBorder = QStringLiteral("not a readable frame border file");

    if (o.mode == RenderOptions::Mode::Serial) {
        KLCombinView column;
        if (!decorate(column))
            return fail(*o.border, badBorder);
        std::vector<kit::Image> images;
        for (const std::optional<kit::Image>& photo : photos)
            images.push_back(*photo);
        column.addImages(images);
        // Laid out on a canvas 1024 wide, as the editor's, then resized to
        // the output size, as its export does.
        column.setFrame({ { 0, 0 }, exportsettings::serialOutputSize(1024, column.ratio()) });
        column.setFrameSize(exportsettings::serialOutputSize(o.width, column.ratio()));
        return write(column, [ratio = column.ratio()](double width) {
            return exportsettings::serialOutputSize(width, ratio);
        });
    }

    KLResourceView canvas;
    QString templateError;
    if (!canvas.loadResourceFromPath(o.templatePath, &templateError))
        return fail(o.templatePath, templateError);
    if (!decorate(canvas))
        return fail(*o.border, badBorder);

    kit::Size frame;
    const kit::Size declared = canvas.frameSize();
    const kit::Size ratio = ratios::table[ratios::indexForSize(declared.width, declared.height)];
    if (o.size)
        frame = { double(o.size->width()), double(o.size->height()) };
    else
        frame = exportsettings::ratioOutputSize(o.width, ratio);
    canvas.setFrame({ 0, 0, frame.width, frame.height });
    if (!photos.empty() && !canvas.items().empty())
        canvas.fillCells(photos, canvas.items().front());
    return write(canvas,
                 [ratio](double width) { return exportsettings::ratioOutputSize(width, ratio); });
}

int renderMain(const QStringList& args, QTextStream& err)
{
    const auto parsed = parseRenderArguments(args);
    if (const QString* problem = std::get_if<QString>(&parsed)) {
        err << "tessera render: " << *problem << "\n" << renderUsage();
        err.flush();
        return RenderUsage;
    }
    return runRender(std::get<RenderOptions>(parsed), err);
}

int renderCommandMain(int argc, char** argv)
{
    // Text masks need fonts, and so an application object; the offscreen
    // platform gives one without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Tessera"));
    kit::installPlainMessageHandler();
    QStringList args = QGuiApplication::arguments();
    args.erase(args.begin(), args.begin() + std::min<qsizetype>(2, args.size()));
    QTextStream err(stderr);
    return renderMain(args, err);
}
