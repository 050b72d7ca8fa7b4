#pragma once

// Template files ("*.fdd", UTF-8 text): a dimension line "W,H[,lock]"
// followed by cell lines "x,y,w,h:kind[,border...]:shape", comment lines
// starting with ";" and skipped short lines. Lines end at "\n"; a "\r" right
// before it is part of the line ending (files saved with CRLF endings).
//
// The readers are pure: they answer a record or nothing and write their
// diagnostic line to the "tessera.template" logging category (kit/logging.h).

#include "kit/geometry.h"

#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include <QColor>
#include <QString>
#include <QStringList>
#include <QStringView>

// Mask kinds as stored in a cell's maskMode.
namespace MaskMode {
constexpr int Polygon = 16; // "L"
constexpr int Text = 17; // "T"
constexpr int Curves = 18; // "B"
} // namespace MaskMode

// Mask data of a cell, in fractions of the cell's inner rectangle:
// - polygon: x1, y1, x2, y2, ... (an even count);
// - curves: one list per segment, each of 8, 6, 4 or 2 numbers (other even
//   counts are kept but add nothing to the outline);
// - text: the field strings family, size, text and optionally dx, dy, degree.
using CellData = std::variant<std::vector<double>, std::vector<std::vector<double>>, QStringList>;

struct CellRecord
{
    // Place in the canvas's cell area, in fractions of it (y up).
    kit::Rect rect;
    int maskMode = MaskMode::Polygon;
    // Border width as a fraction (of the cell's width for polygon and curve
    // masks, of the letter outlines for text masks).
    float borderSize = 0;
    bool isBordered = false;
    std::optional<QColor> borderColor;
    CellData data;
    // Counter-clockwise rotation of the cell, degrees (text masks only).
    float degree = 0;
};

// Parses one cell line. Answers nothing when the line is malformed: not three
// ":" fields, not four frame numbers, an unknown kind, a text shape without 3
// or 6 fields, an odd count of polygon or segment numbers, a curve outline
// that continues (6 or 2 numbers) before it has started, or a number that is
// not finite. Logs nothing; the file reader logs the rejected line.
std::optional<CellRecord> parseCellLine(QStringView line);

struct TemplateFile
{
    // The nominal size from the dimension line; only its ratio matters.
    kit::Size frameSize;
    bool ratioLocked = false;
    // Accepted cells with their tag, the number of their line (from 0, the
    // dimension line; comment and skipped lines count).
    std::vector<std::pair<int, CellRecord>> cells;
    // The text the template was read from, byte order mark removed.
    QString text;
};

// Why a template could not be read; the canvas reacts differently to each.
enum class TemplateReadError {
    // No file at the path: the canvas keeps its cells and path.
    Missing,
    // The file could not be read as UTF-8 text: the canvas has no cells and
    // takes the new path.
    Unreadable,
    // The text holds no line feed: the canvas has no cells.
    NoLineFeed,
    // The dimension line is not two or three fields of positive, finite
    // sizes: the canvas has no cells and keeps its frame size.
    BadDimensions,
};

struct TemplateReadResult
{
    // Set exactly when the template was read; it may hold no cells.
    std::optional<TemplateFile> file;
    std::optional<TemplateReadError> error;
    bool ok() const { return file.has_value(); }
};

// Reads a template file. Logs "Template path '…' not exists.", "Reading
// resource file from '…' failed! …", then as readTemplateText.
TemplateReadResult readTemplateFile(const QString& path);

// Reads the text of a template. Logs "Invalid resource file format." when it
// holds no line feed, "Invalid resouce dim format.[…]" for a bad dimension
// line and "Loading resource from […] failed!" for every rejected cell line
// (reading goes on with the next line). A leading byte order mark is ignored.
TemplateReadResult readTemplateText(QStringView text);

// Why a file is of no use as a template: it cannot be read as text, is not a
// template, or has no cell that can be read. Empty when it reads with at
// least one cell. Logs nothing: the caller says what it does with the file.
QString templateFileProblem(const QString& path);

// The template library's own cell count: lines of at least three characters
// that do not start with ";", less one for the dimension line, at most 9.
// A file that cannot be read counts 0; readable text without such a line -1.
int templateCellCount(const QString& path);
int templateCellCountOfText(QStringView text);

// Files larger than this are not templates; reading them fails as unreadable.
constexpr qint64 kMaxTemplateFileBytes = 1 << 20;
