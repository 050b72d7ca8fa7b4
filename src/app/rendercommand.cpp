#include "rendercommand.h"

#include "exportsettings.h"
#include "freelayoutrender.h"
#include "renderdocument.h"
#include "renderserialmode.h"
#include "rendertemplatemode.h"
#include "version.h"

#include "canvas/klcanvasview.h"
#include "document/collagedescription.h"
#include "document/documentwriter.h"
#include "document/offscreencollage.h"
#include "kit/logging.h"
#include "kit/stderrfilter.h"

#include <algorithm>
#include <cstdio>

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
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

// The options that give the collage itself, which a document holds.
constexpr const char* kCollageOptions[] = { "photo",     "border",  "background", "corners",
                                            "no-shadow", "caption", "style" };

QString documentRefuses(const QString& option)
{
    return QStringLiteral("--%1 cannot be used with a document: the document holds the collage")
        .arg(option);
}

Mode modeNamed(const QString& name)
{
    if (name == QLatin1String("free"))
        return Mode::FreeLayout;
    if (name == QLatin1String("serial"))
        return Mode::Serial;
    return Mode::Template;
}

// The value of --output that names the standard output.
const QString kStandardOutput = QStringLiteral("-");

// One line naming the file once: readers' reasons often begin with the path.
QString failureLine(const QString& file, const QString& why)
{
    QString reason = why.simplified();
    const QString prefix = file + QStringLiteral(": ");
    if (reason.startsWith(prefix))
        reason = reason.mid(prefix.size());
    // A reason that names the path itself ("Cannot write PATH: ...") stands alone.
    if (file.contains(QLatin1Char('/')) && reason.contains(file))
        return QStringLiteral("tessera: %1").arg(reason);
    return QStringLiteral("tessera: %1: %2").arg(file, reason);
}

RenderStatus renderAndWrite(const RenderOptions& o, RenderMode& mode, QTextStream& err,
                            QIODevice* standardOutput);

// The shared options, then every mode's.
void addOptions(QCommandLineParser& parser, const std::vector<std::unique_ptr<RenderMode>>& modes)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        { QStringLiteral("mode"), QStringLiteral("layout mode (default template)"),
          QStringLiteral("MODE") },
        { QStringLiteral("photo"), QStringLiteral("a photo; repeat for more, in order"),
          QStringLiteral("FILE") },
        { QStringLiteral("border"), QStringLiteral("a frame border file"), QStringLiteral("FILE") },
        { QStringLiteral("background"), QStringLiteral("white, black or a picture file"),
          QStringLiteral("white|black|FILE") },
        { QStringLiteral("corners"), QStringLiteral("rounded corners") },
        { QStringLiteral("no-shadow"), QStringLiteral("no drop shadow") },
        { QStringLiteral("width"),
          QStringLiteral("output N wide at the collage's ratio (default 1024, at most %1); "
                         "a collage taller than %1 is made narrower to fit")
              .arg(kMaxSide),
          QStringLiteral("N") },
        { QStringLiteral("size"),
          QStringLiteral("output frame W by H (each side at most %1)").arg(kMaxSide),
          QStringLiteral("WxH") },
        { QStringLiteral("format"),
          QStringLiteral("png, jpg, tiff, bmp or pdf (default: from --output); pdf: one page "
                         "holding the collage fitted and centred within %1 mm margins, photos "
                         "stored as JPEG at the resolution")
              .arg(pagesetup::kPdfMarginMm),
          QStringLiteral("FORMAT") },
        { QStringLiteral("paper"),
          QStringLiteral("pdf: %1 (default A4)").arg(pagesetup::paperNames()),
          QStringLiteral("P") },
        { QStringLiteral("dpi"),
          QStringLiteral("pdf: resolution of the photos on the page (default %1, %2 to %3)")
              .arg(pagesetup::kDefaultDpi)
              .arg(pagesetup::kMinDpi)
              .arg(pagesetup::kMaxDpi),
          QStringLiteral("N") },
        { QStringLiteral("orientation"),
          QStringLiteral("pdf: the paper's; auto (default) turns it to suit the collage"),
          QStringLiteral("auto|portrait|landscape") },
        { QStringLiteral("output"),
          QStringLiteral("the image or PDF file to write; - for the standard output (PNG "
                         "unless --format names another)"),
          QStringLiteral("FILE") },
        { QStringLiteral("save-document"),
          QStringLiteral("also write the collage drawn as a collage document (.%1), to open "
                         "in the editor")
              .arg(QLatin1String(kDocumentExtension)),
          QStringLiteral("FILE") },
        { { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("show this help") },
        { { QStringLiteral("v"), QStringLiteral("version") }, QStringLiteral("show the version") },
    });
    parser.addOptions(captionOptions());
    for (const auto& mode : modes)
        parser.addOptions(mode->options());
}

// The page of a PDF output: --paper, --dpi, --orientation.
std::optional<QString> readPageOptions(const QCommandLineParser& parser, PdfOptions& page)
{
    if (parser.isSet(QStringLiteral("paper"))) {
        const QString v = parser.value(QStringLiteral("paper"));
        const auto paper = pagesetup::parsePaper(v);
        if (!paper)
            return QStringLiteral("unknown paper '%1' (%2)").arg(v, pagesetup::paperNames());
        page.paper = *paper;
    }
    if (parser.isSet(QStringLiteral("dpi"))) {
        const auto dpi = positiveInt(parser.value(QStringLiteral("dpi")));
        if (!dpi || *dpi < pagesetup::kMinDpi || *dpi > pagesetup::kMaxDpi)
            return QStringLiteral("--dpi must be a whole number from %1 to %2")
                .arg(pagesetup::kMinDpi)
                .arg(pagesetup::kMaxDpi);
        page.dpi = *dpi;
    }
    if (parser.isSet(QStringLiteral("orientation"))) {
        const QString v = parser.value(QStringLiteral("orientation"));
        if (v == QLatin1String("portrait"))
            page.orientation = QPageLayout::Portrait;
        else if (v == QLatin1String("landscape"))
            page.orientation = QPageLayout::Landscape;
        else if (v != QLatin1String("auto"))
            return QStringLiteral("unknown orientation '%1' (auto, portrait or landscape)").arg(v);
    }
    return std::nullopt;
}

// The shared options of a parse, or what is wrong with them.
std::variant<RenderOptions, QString> readOptions(const QCommandLineParser& parser)
{
    RenderOptions o;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return QStringLiteral("unknown argument '%1'").arg(positional[1]);
    if (!positional.isEmpty())
        o.document = positional.front();
    o.modeGiven = parser.isSet(QStringLiteral("mode"));
    if (o.modeGiven)
        o.mode = parser.value(QStringLiteral("mode"));
    o.saveDocument = parser.value(QStringLiteral("save-document"));
    o.photos = parser.values(QStringLiteral("photo"));
    if (parser.isSet(QStringLiteral("border")))
        o.border = parser.value(QStringLiteral("border"));
    if (parser.isSet(QStringLiteral("background"))) {
        const QString v = parser.value(QStringLiteral("background"));
        if (v == QLatin1String("white")) {
            o.background = RenderOptions::Background::White;
        } else if (v == QLatin1String("black")) {
            o.background = RenderOptions::Background::Black;
        } else {
            o.background = RenderOptions::Background::Picture;
            o.backgroundFile = v;
        }
    }
    o.corners = parser.isSet(QStringLiteral("corners"));
    o.shadow = !parser.isSet(QStringLiteral("no-shadow"));
    const bool haveWidth = parser.isSet(QStringLiteral("width"));
    if (haveWidth) {
        const auto w = positiveInt(parser.value(QStringLiteral("width")));
        if (!w || *w > kMaxSide)
            return QStringLiteral("--width must be a whole number from 1 to %1").arg(kMaxSide);
        o.width = *w;
    }
    if (parser.isSet(QStringLiteral("size"))) {
        const auto s = parseSize(parser.value(QStringLiteral("size")));
        if (!s || s->width() > kMaxSide || s->height() > kMaxSide)
            return QStringLiteral("--size must be WxH with each side from 1 to %1").arg(kMaxSide);
        o.size = *s;
    }
    if (parser.isSet(QStringLiteral("format"))) {
        const QString v = parser.value(QStringLiteral("format"));
        o.pdf = v.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
        o.format = o.pdf ? std::nullopt : kit::formatFromName(v);
        if (!o.pdf && !o.format)
            return QStringLiteral("unknown format '%1' (png, jpg, tiff, bmp or pdf)").arg(v);
    }
    if (std::optional<QString> problem = readPageOptions(parser, o.page))
        return *problem;
    const bool havePage = parser.isSet(QStringLiteral("paper"))
        || parser.isSet(QStringLiteral("dpi")) || parser.isSet(QStringLiteral("orientation"));
    o.captions = readCaptions(parser, &o.styles);
    o.output = parser.value(QStringLiteral("output"));
    if (o.output.isEmpty())
        return QStringLiteral("--output is required");
    if (haveWidth && o.size)
        return QStringLiteral("--width and --size cannot be used together");
    // "-" is the standard output, PNG unless --format names another.
    if (o.output == kStandardOutput && !o.format && !o.pdf)
        o.format = kit::ImageFormat::Png;
    if (!o.format && !o.pdf) {
        const QString suffix = QFileInfo(o.output).suffix();
        o.pdf = suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
        o.format = kit::formatFromExtension(suffix);
        if (!o.format && !o.pdf)
            return QStringLiteral("cannot tell the format from '%1'; use --format").arg(o.output);
    }
    if (o.pdf && (haveWidth || o.size))
        return QStringLiteral(
            "--width and --size do not apply to a PDF: --paper and --dpi decide its size");
    if (!o.pdf && havePage)
        return QStringLiteral("--paper, --dpi and --orientation apply only to --format pdf");
    o.page.title = o.output == kStandardOutput ? QStringLiteral("collage")
                                               : QFileInfo(o.output).completeBaseName();
    return o;
}

} // namespace

std::vector<std::unique_ptr<RenderMode>> renderModes()
{
    std::vector<std::unique_ptr<RenderMode>> modes;
    modes.push_back(std::make_unique<TemplateRenderMode>());
    modes.push_back(std::make_unique<FreeRenderMode>());
    modes.push_back(std::make_unique<SerialRenderMode>());
    return modes;
}

std::variant<std::optional<BackgroundEntry>, RenderFailure>
loadRenderBackground(const RenderOptions& o)
{
    switch (o.background) {
    case RenderOptions::Background::None:
        return std::nullopt;
    case RenderOptions::Background::White:
        return BackgroundEntry { 0, {}, {} };
    case RenderOptions::Background::Black:
        return BackgroundEntry { 1, {}, {} };
    case RenderOptions::Background::Picture: {
        QString error;
        std::optional<kit::Image> image = kit::Image::load(o.backgroundFile, &error);
        if (!image)
            return RenderFailure { o.backgroundFile, error };
        return BackgroundEntry { 2, *image, o.backgroundFile };
    }
    }
    return std::nullopt;
}

QString renderUsage()
{
    QCommandLineParser parser;
    addOptions(parser, renderModes());
    QString modes;
    for (const auto& mode : renderModes())
        modes += (modes.isEmpty() ? QString() : QStringLiteral(", ")) + mode->name();
    return QStringLiteral("usage: tessera render [--mode MODE] [options] --output FILE\n"
                          "       tessera render DOCUMENT [--mode MODE] [--width N | --size WxH]\n"
                          "                      [--format F] --output FILE\n"
                          "Draws a collage without a window, or a mode of a collage document\n"
                          "(by default the one it was saved in). Modes: %1.\n\n")
               .arg(modes)
        + parser.helpText().section(QLatin1Char('\n'), 2);
}

std::variant<RenderOptions, QString> parseRenderArguments(const QStringList& args,
                                                          std::unique_ptr<RenderMode>* chosen)
{
    std::vector<std::unique_ptr<RenderMode>> modes = renderModes();
    QCommandLineParser parser;
    addOptions(parser, modes);
    if (!parser.parse(QStringList { QStringLiteral("tessera render") } + args))
        return parser.errorText();
    auto parsed = readOptions(parser);
    RenderOptions* options = std::get_if<RenderOptions>(&parsed);
    if (!options)
        return parsed;
    auto it = std::find_if(modes.begin(), modes.end(),
                           [&](const auto& m) { return m->name() == options->mode; });
    if (it == modes.end())
        return QStringLiteral("unknown mode '%1'").arg(options->mode);
    if (!options->document.isEmpty()) {
        // The document holds the collage: what would make another is refused.
        for (const auto& mode : modes) {
            for (const QCommandLineOption& option : mode->options()) {
                if (parser.isSet(option))
                    return documentRefuses(option.names().constFirst());
            }
        }
        for (const char* name : kCollageOptions) {
            if (parser.isSet(QLatin1String(name)))
                return documentRefuses(QLatin1String(name));
        }
        auto document = std::make_unique<DocumentRenderMode>(options->document);
        if (options->modeGiven)
            document->mode = modeNamed(options->mode);
        if (chosen)
            *chosen = std::move(document);
        return parsed;
    }
    // Another mode's option would be silently ignored: refuse it.
    for (const auto& other : modes) {
        if (other == *it)
            continue;
        for (const QCommandLineOption& option : other->options()) {
            if (parser.isSet(option))
                return QStringLiteral("--%1 cannot be used with --mode %2")
                    .arg(option.names().constFirst(), options->mode);
        }
    }
    if (std::optional<QString> problem = (*it)->readOptions(parser, *options))
        return *problem;
    if (chosen)
        *chosen = std::move(*it);
    return parsed;
}

RenderStatus runRender(const RenderOptions& o, RenderMode& mode, QTextStream& err,
                       QIODevice* standardOutput)
{
    // A failure is told in one line of its own, so the log lines that led to
    // it (a reader's complaint) are dropped; the image codecs' lines
    // ("libpng error: ...") only repeat what a failure says and go always.
    kit::HeldLogLines held({ QByteArrayLiteral("qt.gui.imageio") });
    const RenderStatus status = renderAndWrite(o, mode, err, standardOutput);
    if (status == RenderOk)
        held.release();
    return status;
}

namespace {

RenderStatus renderAndWrite(const RenderOptions& o, RenderMode& mode, QTextStream& err,
                            QIODevice* standardOutput)
{
    auto fail = [&err](const QString& file, const QString& reason,
                       RenderStatus status = RenderFailed) {
        err << failureLine(file, reason) << Qt::endl;
        return status;
    };

    // Everything is loaded before anything is drawn, so a bad input stops the
    // render before an output file could be touched.
    std::vector<kit::Image> photos;
    for (const QString& path : mode.photoFiles(o)) {
        QString error;
        std::optional<kit::Image> image = kit::Image::load(path, &error);
        if (!image)
            return fail(path, error);
        photos.push_back(std::move(*image));
    }
    const auto background = loadRenderBackground(o);
    if (const RenderFailure* failure = std::get_if<RenderFailure>(&background))
        return fail(failure->file, failure->reason);
    std::vector<std::pair<QString, TextStyle>> styles;
    for (const QString& name : o.styles) {
        auto style = loadRenderStyle(name);
        if (const QString* reason = std::get_if<QString>(&style))
            return fail(name, *reason);
        styles.emplace_back(name, std::get<TextStyle>(style));
    }

    OffscreenCollage collage;
    auto made = mode.makeCanvas(o, photos, collage, err);
    if (const RenderFailure* failure = std::get_if<RenderFailure>(&made))
        return fail(failure->file, failure->reason, failure->status);
    RenderCanvas& rendered = std::get<RenderCanvas>(made);
    collage.showMode(rendered.mode);
    KLCanvasView& canvas = collage.canvas(rendered.mode);
    // A document brings its own decorations and captions.
    if (o.document.isEmpty()) {
        if (o.border) {
            canvas._setFrameBorder(*o.border);
            if (!canvas.hasFrameBorder())
                return fail(*o.border, QStringLiteral("not a readable frame border file"));
        }
        canvas._setHasCorner(o.corners);
        canvas._setHasShadow(o.shadow);
        canvas._setBackgroundView(std::get<std::optional<BackgroundEntry>>(background));
        addRenderCaptions(canvas, o.captions, styles);
    }

    // The document is written first: when it cannot be, no image is either.
    if (!o.saveDocument.isEmpty()) {
        const CollageDocument document = describeCollage(collage);
        const QString fileless = photosWithoutFile(document);
        if (!fileless.isEmpty())
            return fail(o.saveDocument, fileless);
        QString error;
        if (!saveCollageDocument(document, QFileInfo(o.saveDocument).absoluteFilePath(), &error))
            return fail(o.saveDocument, error);
    }

    // The standard output gets the file's bytes once it is written whole.
    const bool toStandardOutput = o.output == kStandardOutput;
    QTemporaryDir scratch;
    const QString target = !toStandardOutput
        ? o.output
        : scratch.filePath(QStringLiteral("collage.")
                           + (o.pdf ? QStringLiteral("pdf") : kit::formatExtension(*o.format)));
    QString writeError;
    const bool written = o.pdf
        ? writeCollagePdf(canvas, rendered.frameForWidth, o.page, target, &writeError)
        : canvas.saveToURL(target, *o.format, &writeError);
    if (!written)
        return fail(o.output, writeError);
    if (toStandardOutput) {
        QFile file(target);
        const bool copied = file.open(QIODevice::ReadOnly) && standardOutput
            && standardOutput->write(file.readAll()) == file.size();
        if (!copied)
            return fail(QStringLiteral("standard output"), QStringLiteral("cannot be written"));
    }
    return RenderOk;
}

} // namespace

int renderMain(const QStringList& args, QTextStream& err, QTextStream* out,
               QIODevice* standardOutput)
{
    QTextStream fallback(stdout);
    QTextStream& print = out ? *out : fallback;
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        print << renderUsage();
        print.flush();
        return RenderOk;
    }
    if (args.contains(QStringLiteral("--version")) || args.contains(QStringLiteral("-v"))) {
        print << "tessera " << kTesseraVersion << "\n";
        print.flush();
        return RenderOk;
    }
    std::unique_ptr<RenderMode> mode;
    const auto parsed = parseRenderArguments(args, &mode);
    if (const QString* problem = std::get_if<QString>(&parsed)) {
        err << "tessera render: " << *problem << "\n\n" << renderUsage();
        err.flush();
        return RenderUsage;
    }
    QFile stdoutFile;
    if (!standardOutput && stdoutFile.open(stdout, QIODevice::WriteOnly))
        standardOutput = &stdoutFile;
    const RenderStatus status =
        runRender(std::get<RenderOptions>(parsed), *mode, err, standardOutput);
    err.flush();
    return status;
}

int renderCommandMain(int argc, char** argv)
{
    // Text masks need fonts, and so an application object; the offscreen
    // platform gives one without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The words after "render" are all ours: Qt would take some of them as
    // its own (--style is one) and drop them, so it sees the program alone.
    QStringList args;
    for (int i = 2; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // A failure is one line on the standard error: what libraries print
    // there by themselves is dropped, and so is the platform's chatter while
    // it starts (no XDG_RUNTIME_DIR, say), which is not about the collage.
    const kit::StandardErrorFilter libraryLines;
    kit::installPlainMessageHandler();
    std::optional<kit::HeldLogLines> startUp(std::in_place);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Tessera"));
    QGuiApplication::setApplicationVersion(QString::fromLatin1(kTesseraVersion));
    QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    startUp.reset();
    QTextStream err(stderr);
    QTextStream out(stdout);
    return renderMain(args, err, &out);
}
