#pragma once

// The arithmetic behind the save panel: file types by pop-up position, output
// sizes by size choice, the linked custom width and height fields, file name
// extensions and the fallbacks for stored preferences. Pure functions, so the
// panel only wires them to its controls.
//
// Sizes are in canvas units; a canvas renders one pixel per unit, rounding a
// fractional side to the nearest whole pixel (1024 × 1365.33 gives an image of
// 1024 × 1365).

#include "kit/geometry.h"
#include "kit/imagewriter.h"

#include <optional>

#include <QLatin1StringView>
#include <QString>

namespace exportsettings {

// Preference keys of the export.
inline constexpr QLatin1StringView kSaveFileTypeKey("SaveFileType");
inline constexpr QLatin1StringView kSizeTypeKey("SizeType");
inline constexpr QLatin1StringView kOpenFolderKey("OpenFolder");
inline constexpr QLatin1StringView kSaveWidthKey("SaveWidth");
inline constexpr QLatin1StringView kSaveHeightKey("SaveHeight");
inline constexpr QLatin1StringView kLastSaveDirKey("LastSaveDir");

// Neither side of a custom size exceeds this.
inline constexpr double kMaxSide = 3072;
// The serial canvas's frame is this much wider and taller than its content.
inline constexpr double kSerialFrameAllowance = 10;

// File type pop-up positions.
inline constexpr int kFileTypeCount = 4; // 0 PNG, 1 JPEG, 2 TIFF, 3 BMP

// Size types; the size cells are tagged kSizeTagBase + size type.
enum SizeType { Small = 0, Middle = 1, Big = 2, Custom = 3 };
inline constexpr int kSizeTypeCount = 4;
inline constexpr int kSizeTagBase = 100;

// The encoding of a file type position; PNG for any position outside 0 to 3.
kit::ImageFormat formatForFileType(int position);
// "png", "jpg", "tiff", "bmp"; "png" for any other position.
QString extensionForFileType(int position);

// A stored "SaveFileType" or "SizeType": the value when it is a valid
// position or size type, else 0 (PNG, small). Absent reads as 0 too.
int fileTypeOrDefault(std::optional<int> stored);
int sizeTypeOrDefault(std::optional<int> stored);

// The output width of a size cell's tag: 1024 for 102, 640 for 101, 320 for
// any other tag.
double widthForTag(int tag);

// A template or free layout canvas `width` wide at ratio (rw, rh):
// (width, width × rh / rw). A ratio with a side that is not a positive finite
// number counts as 1:1.
kit::Size ratioOutputSize(double width, kit::Size ratio);

// The serial canvas's frame `width` wide for content of ratio r (width ÷
// height): (width, (width − 10) / r + 10). A ratio that is not a positive
// finite number (an empty column) counts as 1. With `limitToMaxSide` (custom
// sizes) the frame is scaled down, keeping the content ratio, until neither
// side exceeds 3072, and both sides are whole numbers.
kit::Size serialOutputSize(double width, float ratio, bool limitToMaxSide = false);

// -- Custom width and height fields

enum class Field { Width, Height };

// A field's text as a number: text that is not a number (and NaN) reads as 0,
// negative values as 0, and the result never exceeds 3072.
double parseDimension(const QString& text);
// "%.0f": rounded to a whole number.
QString formatDimension(double value);

// While the person types `typed` (already parsed) into `edited`: the value the
// other field shows, at ratio (rw, rh), at most 3072. The edited field itself
// is left as typed.
double linkedValueWhileTyping(Field edited, double typed, kit::Size ratio);

// When editing of `edited` ends with `typed`: the width and height that both
// fields then show, at ratio (rw, rh). The edited side is kept (at most 3072)
// unless the other side would exceed 3072; then the other side is 3072 and the
// edited side follows from the ratio. Not yet rounded; format with
// formatDimension.
kit::Size linkedSizeAtEnd(Field edited, double typed, kit::Size ratio);

// -- File names

// "Frame.<ext>" for a file type position.
QString proposedFileName(int fileType);

// A file name (or path) as it will be written for `fileType`: a name whose
// extension already names that format (compared without case; "jpeg" for
// JPEG and "tif" for TIFF count too) is kept; a name ending in another image
// extension has it replaced; any other name gets the extension appended, so
// "Trip.2024" becomes "Trip.2024.png" rather than losing its last part. An
// empty name, or one ending in a folder separator, is answered unchanged.
QString fileNameForType(const QString& name, int fileType);

// The folder the panel starts in: `stored` ("LastSaveDir") when it is an
// existing folder, else "<home>/Desktop" when that exists, else `home`.
QString startFolder(const std::optional<QString>& stored, const QString& home);

} // namespace exportsettings
