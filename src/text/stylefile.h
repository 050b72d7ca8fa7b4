#pragma once

// Style files: a TextStyle written as an XML property list (extension
// "style"), with a PNG preview of the caption beside it (same path,
// extension "png").
//
// Colours are stored as <data> items holding an archived RGBA colour. The
// archive is this program's own byte encoding:
//
//   16 bytes: red, green, blue, alpha, each an IEEE-754 single-precision
//   float, big-endian, in the range 0 to 1, sRGB, not premultiplied.
//
// The reader also takes 4 bytes (red, green, blue, alpha as 0 to 255), which
// is handy for writing a style by hand. Anything else (another length, a
// component that is not a number) is an unreadable colour. Components
// outside 0 to 1 are clamped.

#include "textstyle.h"

#include <optional>

#include <QByteArray>
#include <QColor>
#include <QString>

// The largest style file read; a style is a few hundred bytes.
inline constexpr qint64 kMaxStyleFileBytes = 256 * 1024;

QByteArray archiveColor(const QColor& color);
std::optional<QColor> unarchiveColor(const QByteArray& data);

// The record of a property list's root dictionary: keys it lacks read as
// 0, false or absent; a numeric key takes reals and integers alike; a value
// of the wrong kind counts as absent. Nothing, with the reason in `error`,
// when the bytes are not such a property list.
std::optional<TextStyle> styleFromPropertyList(const QByteArray& bytes, QString* error = nullptr);

// The property list of a record as a caption saves it: the outline width,
// shadow offset, blur and direction as integers (truncated), the other
// numbers as reals in single precision, "TextString" only when the record
// has a text, each colour only when it has one.
QByteArray propertyListFromStyle(const TextStyle& style);

// Reads a style file. Nothing, with the log line "Load style file '<path>'
// failed: <reason>" on tessera.text, when it is missing, larger than
// kMaxStyleFileBytes or not a style property list.
std::optional<TextStyle> readStyleFile(const QString& path);

// Writes the record atomically; false, with the reason in `error`, when it
// cannot be written (an existing file is then left as it was).
bool writeStyleFile(const QString& path, const TextStyle& style, QString* error = nullptr);

// The preview picture that belongs to a style file: the same path with the
// extension "png" instead of "style".
QString stylePreviewPath(const QString& stylePath);
