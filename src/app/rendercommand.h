#pragma once

// `tessera render`: draws a collage without a window, exactly as the
// editor's export does.
//
// The options every layout mode shares (photos, decorations, size, format,
// output) are read here into RenderOptions; each layout mode is a RenderMode
// that adds its own options, reads them, and makes its canvas. A new mode
// is one more RenderMode in renderModes() (rendercommand.cpp); a new shared
// option is one more field here and one more option in the parser.
//
// `tessera render DOCUMENT` draws a mode of a collage document instead
// (renderdocument.h): the document holds the photos, template, captions and
// decorations, so the options that would give them are refused with it.
// --save-document FILE writes the collage that was drawn as a document.
//
// Exit statuses: 0 done, 1 a file could not be read or written (one line on
// stderr names the file once and the reason, and nothing else is said; no
// output file is created or changed), 2 bad arguments (the reason and the
// usage on stderr). "--output -" writes the image to the standard output.

#include "collagepdf.h"
#include "rendercaptions.h"

#include "border/backgroundentry.h"
#include "document/collagemode.h"
#include "kit/image.h"
#include "kit/imagewriter.h"

#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include <QCommandLineOption>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class KLCanvasView;
class OffscreenCollage;
class QCommandLineParser;
class QIODevice;
class QTextStream;

struct RenderOptions
{
    enum class Background { None, White, Black, Picture };

    // The value of --mode: the name of a RenderMode.
    QString mode = QStringLiteral("template");
    bool modeGiven = false;
    // The collage document to draw; empty when the options give the collage.
    QString document;
    // Where to write the collage drawn as a document too; empty for nowhere.
    QString saveDocument;
    // The --photo values, in order: files, or what the mode makes of them.
    QStringList photos;
    std::optional<QString> border;
    Background background = Background::None;
    QString backgroundFile;
    bool corners = false;
    bool shadow = true;
    int width = 1024; // used when `size` is absent
    std::optional<QSize> size; // the frame, set directly
    std::optional<kit::ImageFormat> format; // absent: from the output's extension
    // A PDF page instead of an image ("--format pdf" or a ".pdf" output):
    // the paper and the resolution decide the collage's size.
    bool pdf = false;
    PdfOptions page;
    QString output;
    // --caption and --style (rendercaptions.h): the captions in order, and
    // every style named.
    std::vector<RenderCaption> captions;
    QStringList styles;
};

// Exit statuses of the command.
enum RenderStatus { RenderOk = 0, RenderFailed = 1, RenderUsage = 2 };

// A file that could not be read or used, and why.
struct RenderFailure
{
    QString file;
    QString reason;
    // RenderUsage when what is wrong is the arguments, seen only once a file
    // was read (--size with a document of a serial collage).
    RenderStatus status = RenderFailed;
};

// The canvas a mode drew on, made at the output size the options ask for.
struct RenderCanvas
{
    // The canvas of the collage that holds the render.
    Mode mode = Mode::Template;
    // The canvas frame for an output this many units wide, as the mode
    // computes it (a PDF page sizes the collage for its paper with it).
    pagesetup::FrameForWidth frameForWidth;
};

// One layout mode of the command.
class RenderMode
{
public:
    virtual ~RenderMode() = default;

    // The value of --mode that chooses it.
    virtual QString name() const = 0;
    // The mode's own options; another mode's are refused with this one.
    virtual QList<QCommandLineOption> options() const = 0;
    // Reads them (and may check the shared ones, which `options` holds)
    // once the arguments are parsed and this mode is chosen; a sentence
    // saying what is wrong, or nothing.
    virtual std::optional<QString> readOptions(const QCommandLineParser& parser,
                                               const RenderOptions& options) = 0;
    // The photo files to read, in order: the --photo values unless the mode
    // gives them a meaning of their own.
    virtual QStringList photoFiles(const RenderOptions& options) const { return options.photos; }
    // Loads the mode's own files and makes its canvas of `collage` (and its
    // ratio there) at the output size that `options` ask for, with `photos`
    // (loaded already, in order) in it. Photos the canvas cannot take are
    // named in a warning line on `warnings`. The caller applies the
    // decorations and writes the file (an image at the canvas's frame size,
    // or a PDF page through `frameForWidth`).
    virtual std::variant<RenderCanvas, RenderFailure>
    makeCanvas(const RenderOptions& options, const std::vector<kit::Image>& photos,
               OffscreenCollage& collage, QTextStream& warnings) = 0;
};

// Every mode of the command, the default ("template") first.
std::vector<std::unique_ptr<RenderMode>> renderModes();

// The background the options ask for; a failure when its picture cannot be read.
std::variant<std::optional<BackgroundEntry>, RenderFailure>
loadRenderBackground(const RenderOptions& options);

// The options, or a sentence saying what is wrong with the arguments, for
// the words after "render". `mode` receives the chosen mode, its own options
// read. --help and --version are not handled here.
std::variant<RenderOptions, QString>
parseRenderArguments(const QStringList& args, std::unique_ptr<RenderMode>* mode = nullptr);

// Renders and writes the collage with `mode`, its own options read; an
// output of "-" goes to `standardOutput` (PNG unless a format was given). On
// failure writes one line naming the file once and the reason to `err`,
// creates no output file and answers RenderFailed; the log lines of the
// render are then dropped, while after a success they reach the message
// handler that was installed before (the image codecs' excepted). Warnings
// go to `err` too.
RenderStatus runRender(const RenderOptions& options, RenderMode& mode, QTextStream& err,
                       QIODevice* standardOutput = nullptr);

// Parses and runs; usage errors print the reason and the usage to `err` and
// answer RenderUsage; --help prints the usage and --version the version to
// `out` and answer RenderOk. The image of "--output -" goes to
// `standardOutput`, the process's standard output when null.
int renderMain(const QStringList& args, QTextStream& err, QTextStream* out = nullptr,
               QIODevice* standardOutput = nullptr);

QString renderUsage();

// The whole `tessera render ...` process: makes an application object on the
// offscreen platform (no display needed), sends log lines to stderr, runs.
// `argv[1]` is "render".
int renderCommandMain(int argc, char** argv);
