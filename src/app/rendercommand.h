#pragma once

// `tessera render`: draws a template or serial collage without a window,
// exactly as the editor's export does.

#include "kit/imagewriter.h"

#include <optional>
#include <variant>

#include <QSize>
#include <QString>
#include <QStringList>

class QTextStream;

struct RenderOptions
{
    enum class Background { None, White, Black, Picture };
    enum class Mode { Template, Serial };

    Mode mode = Mode::Template;
    QString templatePath; // the template mode's
    // The template mode fills the cells from the first photo on; the serial
    // mode joins them into one column, the first on top.
    QStringList photos;
    std::optional<QString> border;
    Background background = Background::None;
    QString backgroundFile;
    bool corners = false;
    bool shadow = true;
    int width = 1024; // used when `size` is absent
    std::optional<QSize> size; // the frame, set directly (template mode only)
    std::optional<kit::ImageFormat> format; // absent: from the output's extension
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

// Parses and runs; usage errors print the usage to `err` and answer RenderUsage.
int renderMain(const QStringList& args, QTextStream& err);

QString renderUsage();

// The whole `tessera render ...` process: makes an application object on the
// offscreen platform (no display needed), sends log lines to stderr, runs.
// `argv[1]` is "render".
int renderCommandMain(int argc, char** argv);
