#pragma once

// Encoding rendered pictures to files. Every write is atomic: the file
// appears complete or not at all, and a file that was there before is left
// untouched when a write fails.

#include <optional>

#include <QImage>
#include <QString>

namespace kit {

enum class ImageFormat { Png, Jpeg, Tiff, Bmp };

// "png", "jpg", "jpeg", "tif", "tiff" or "bmp" in any case, with or without
// a leading dot; nothing for anything else.
std::optional<ImageFormat> formatFromExtension(const QString& extension);
// The same names as formatFromExtension, for command-line options.
std::optional<ImageFormat> formatFromName(const QString& name);
// "PNG", "JPEG", "TIFF", "BMP".
QString formatName(ImageFormat format);
// The extension files of the format are given: "png", "jpg", "tiff", "bmp".
QString formatExtension(ImageFormat format);

// Writes `image` to `path`, replacing an existing file. PNG is lossless and
// keeps transparency; JPEG (at `jpegQuality`, 0 to 100) and BMP have no
// alpha, so the picture is laid on white, as a print would be (transparent
// margins and cut-out corners come out white, a shadow grey on white); TIFF
// keeps transparency.
// On failure answers false, creates nothing, leaves an existing file as it
// was and, when `error` is given, names the reason.
bool writeImage(const QImage& image, const QString& path, ImageFormat format, QString* error,
                int jpegQuality = 90);

} // namespace kit
