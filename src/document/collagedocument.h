#pragma once

// The description of a collage document: what each of the three canvases
// holds, in the relative terms the canvases keep themselves (fractions of a
// cell, of a container, of a canvas), and which mode is shown. It is the one
// contract between the document reader (bytes in, a description out), the
// writer (a description in, bytes out), describeCollage() (the canvases read
// into a description) and fillCollage() (a description given back to the
// canvases); undo commands keep parts of it as their before and after values.
//
// Photos are kept as references to their files. A description read from a
// file has no pictures yet (PhotoRef::image is null) until the photo loader
// has read them; one described from the canvases carries the pictures the
// canvases show.

#include "collagemode.h"

#include "border/backgroundentry.h"
#include "kit/geometry.h"
#include "kit/image.h"
#include "text/textstyle.h"

#include <optional>
#include <vector>

#include <QSize>
#include <QString>

// The version of the document format this program writes. Documents of
// this version and earlier are read; later ones are refused.
inline constexpr int kDocumentFormatVersion = 1;
// The extension of collage documents, without the dot.
inline constexpr char kDocumentExtension[] = "tessera";

// A photo, by the file it was read from.
struct PhotoRef
{
    // Absolute path of the photo's file; empty for a picture that never was
    // a file (it can only be saved by Save a Copy With Photos).
    QString file;
    // Another absolute path to try when `file` cannot be read: a document
    // records where a photo was when it was saved, beside the path relative
    // to the document.
    QString fallback;
    // Pixels, oriented; a missing photo keeps its place at this size.
    QSize pixelSize;
    // The picture; null until loaded.
    kit::Image image;

    static PhotoRef of(const kit::Image& image);
    // Two references are the same photo when both carry pictures and these
    // are one shared picture, or when neither carries one and file and size
    // agree.
    bool operator==(const PhotoRef& o) const;
};

// A canvas's decorations, as KLCanvasView keeps them.
struct Decorations
{
    // The frame border's file, or none.
    std::optional<QString> border;
    // None (plain white), a built-in entry (tag 0 white, 1 black) or a
    // picture (tag 2 and up, with its file and picture).
    std::optional<BackgroundEntry> background;
    bool corners = false;
    bool shadow = true;
    // Absolute paths to try when the border's or the picture's file is not
    // where the document says (as PhotoRef::fallback); the photo loader
    // resolves them.
    QString borderFallback;
    QString backgroundFallback;

    bool operator==(const Decorations&) const = default;
};

// One caption: its text, its place and size as fractions of the canvas's
// caption container, and its turn.
struct CaptionState
{
    // Identifies the caption while a session lasts (see ViewIds); 0 in a
    // description read from a file.
    int id = 0;
    QString text;
    // Frame origin, fractions of the container's width and height.
    kit::Point location;
    // Width ÷ height, and height as a fraction of the container's height.
    double ratio = 1;
    double height = 0;
    // The caption height at which the font has its nominal size.
    double scaleHeight = 0;
    // Degrees, counter-clockwise.
    double rotation = 0;
    // Place in the stacking order of the container's subviews, 0 at the back.
    int stack = 0;
    // The look: font, colours, outline, shadow, opacity. Its text and
    // proportions are unused (the fields above hold them).
    TextStyle style;

    bool operator==(const CaptionState&) const = default;
};

// One template cell: its photo and where the photo lies in it. An emptied
// cell keeps the place and zoom of its last photo.
struct CellState
{
    std::optional<PhotoRef> photo;
    // Lower left corner of the drawn photo, fractions of the cell's bounds.
    kit::Point position;
    // Drawn size over fit size, 0.1 to 6.
    float scale = 0;

    bool operator==(const CellState&) const = default;
};

// One free layout print.
struct PrintState
{
    // Identifies the print while a session lasts (see ViewIds); 0 in a
    // description read from a file.
    int id = 0;
    PhotoRef photo;
    // Where the print's own (0, 0) lies, fractions of the container.
    kit::Point location;
    // The photo's width as a fraction of the container's width.
    float scale = 0.5f;
    // Degrees, counter-clockwise about the print's centre.
    double rotation = 0;
    int stack = 0;

    bool operator==(const PrintState&) const = default;
};

struct TemplateCollage
{
    // The template's file and its text when it was loaded; the text rebuilds
    // the cells even when the file has changed or gone since. An empty text
    // means no template.
    QString file;
    QString fileFallback;
    QString text;
    // Index into the ratio table (0 1:1, 1 3:2, 2 2:3, 3 4:3, 4 3:4, 5 16:9).
    int ratio = 0;
    float zoom = 1;
    Decorations decorations;
    // In template order.
    std::vector<CellState> cells;
    std::vector<CaptionState> captions;

    bool operator==(const TemplateCollage&) const = default;
};

struct FreeCollage
{
    int ratio = 0;
    float zoom = 1;
    Decorations decorations;
    // Back to front.
    std::vector<PrintState> prints;
    std::vector<CaptionState> captions;

    bool operator==(const FreeCollage&) const = default;
};

struct SerialCollage
{
    float zoom = 1;
    Decorations decorations;
    // Top first.
    std::vector<PhotoRef> photos;
    std::vector<CaptionState> captions;

    bool operator==(const SerialCollage&) const = default;
};

struct CollageDocument
{
    Mode shown = Mode::Template;
    TemplateCollage templateCollage;
    FreeCollage freeCollage;
    SerialCollage serialCollage;

    bool operator==(const CollageDocument&) const = default;
};

// Limits of what a document may hold; a document beyond them is refused.
namespace documentlimits {
inline constexpr qint64 kMaxBytes = 32 << 20;
inline constexpr int kMaxCells = 256;
inline constexpr int kMaxPrints = 1000;
inline constexpr int kMaxSerialPhotos = 1000;
inline constexpr int kMaxCaptions = 500;
inline constexpr int kMaxPathLength = 4096;
inline constexpr int kMaxTextLength = 10000;
} // namespace documentlimits
