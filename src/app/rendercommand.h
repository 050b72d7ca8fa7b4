#pragma once

// `tessera render`: draws a template, free layout or serial collage without
// a window, exactly as the editor's export does.

#include "border/backgroundentry.h"
#include "collagepdf.h"
#include "freelayoutrender.h"
#include "kit/imagewriter.h"

#include <optional>
#include <variant>

#include <QSize>
#include <QString>
#include <QStringList>

class KLCanvasView;
class QTextStream;

struct RenderOptions
{
    enum class Background { None, White, Black, Picture };
    enum class Mode { Template, Free, Serial };

    Mode mode = Mode::Template;
    QString templatePath; // the template mode's
    // The template mode fills the cells from the first photo on; the serial
    // mode joins them into one column, the first on top.
    QStringList photos;
    // The free layout's photos with their places, and its canvas ratio (an
    // index of the ratio table).
    std::vector<FreePhoto> freePhotos;
    int ratioIndex = 0;
    std::optional<QString> border;
    Background background = Background::None;
    QString backgroundFile;
    bool corners = false;
    bool shadow = true;
    int width = 1024; // used when `size` is absent
    std::optional<QSize> size; // the frame, set directly (template and free modes)
    std::optional<kit::ImageFormat> format; // absent: from the output's extension
    // A PDF page instead of an image ("--format pdf" or a ".pdf" output):
    // the paper and the resolution decide the collage's size.
    bool pdf = false;
    PdfOptions page;
    QString output;
};

// Exit statuses of the command.
enum RenderStatus { RenderOk = 0, RenderFailed = 1, RenderUsage = 2 };

// The options, or a sentence saying what is wrong with the arguments.
// `args` are the words after "render".
std::variant<RenderOptions, QString> parseRenderArguments(const QStringList& args);

// Renders and writes the collage. On failure writes one line naming the
// file and the reason to `err`, creates no output file and answers
// RenderFailed.
RenderStatus runRender(const RenderOptions& options, QTextStream& err);

// The free layout's render (freelayoutrender.cpp): each photo added in
// order at its place on a canvas 1024 wide at the output's ratio, which is
// then resized to the output size as the editor's export does.
RenderStatus runFreeRender(const RenderOptions& options, QTextStream& err);

// The background the options ask for; false after writing the failure to
// `err` when its picture cannot be read.
bool loadRenderBackground(const RenderOptions& options, std::optional<BackgroundEntry>& background,
                          QTextStream& err);
// Writes "tessera: FILE: REASON" to `err` and answers RenderFailed.
RenderStatus renderFailure(QTextStream& err, const QString& file, const QString& reason);
// Writes the canvas, sized for its image output, to `options.output`: as an
// image at its frame size, or as a PDF page (`frames` gives its frame for a
// width there). False with the reason in `error`; nothing is written then.
bool writeRenderOutput(KLCanvasView& canvas, const pagesetup::FrameForWidth& frames,
                       const RenderOptions& options, QString* error);

// Parses and runs; usage errors print the usage to `err` and answer RenderUsage.
int renderMain(const QStringList& args, QTextStream& err);

QString renderUsage();

// The whole `tessera render ...` process: makes an application object on the
// offscreen platform (no display needed), sends log lines to stderr, runs.
// `argv[1]` is "render".
int renderCommandMain(int argc, char** argv);
