#pragma once

// Captions of `tessera render`, shared by every layout mode.
//
//   --caption TEXT[@X,Y]   adds a caption as the editor's add-text command
//                          does, showing TEXT, centred on the point X,Y given
//                          as fractions of the canvas from its top-left
//                          corner (the centre when absent). When what follows
//                          the last "@" is not two numbers, it is part of
//                          the text.
//   --style NAME|FILE      the text style of the captions that follow it: a
//                          style file, or the name of a style of the
//                          person's Styles folder or of the shipped ones.
//                          Before any --style, captions take the default
//                          text style, as new captions in the editor do.

#include "text/textstyle.h"

#include <optional>
#include <variant>
#include <vector>

#include <QCommandLineOption>
#include <QList>
#include <QString>

class KLCanvasView;
class QCommandLineParser;

struct RenderCaption
{
    QString text;
    // Fractions of the canvas from its top-left corner.
    double x = 0.5;
    double y = 0.5;
    // The --style in force, or nothing for the default text style.
    std::optional<QString> style;
};

// "TEXT@X,Y" read as described above.
RenderCaption parseCaptionArgument(const QString& value);

// --caption and --style.
QList<QCommandLineOption> captionOptions();

// The captions of a parse in their order, each with the --style given last
// before it; and every --style value, in order (`styles`).
std::vector<RenderCaption> readCaptions(const QCommandLineParser& parser, QStringList* styles);

// The style a --style value names: an existing file or a path ending in
// ".style" is read as a style file; otherwise "<name>.style" of the person's
// Styles folder, then of the shipped one. Otherwise the reason it cannot be
// used.
std::variant<TextStyle, QString> loadRenderStyle(const QString& nameOrFile);

// Adds the captions in order, each in its style (`styles` maps a --style
// value to its loaded style). They are placed on the canvas resized to 1024
// wide, as the editor's canvases are laid out, and follow it back to its
// size, as the photos do.
void addRenderCaptions(KLCanvasView& canvas, const std::vector<RenderCaption>& captions,
                       const std::vector<std::pair<QString, TextStyle>>& styles);
