#pragma once

// Where a collage goes on a printed or PDF page: the paper, its orientation,
// the resolution, and the collage fitted and centred within the margins.
// Pure functions, shared by printing, the PDF export and `tessera render`.
//
// Sizes on the page are in device dots at the chosen resolution; the canvas
// is given a frame of that many units, so one canvas unit is one dot, just
// as an image export draws one pixel per unit.

#include "kit/geometry.h"

#include <functional>
#include <optional>

#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

namespace pagesetup {

inline constexpr int kDefaultDpi = 300;
inline constexpr int kMinDpi = 36;
inline constexpr int kMaxDpi = 1200;
// Printers that report more dots than this get the collage at this
// resolution: photos gain nothing from more, and the job grows fourfold per
// doubling.
inline constexpr int kMaxPrintDpi = 600;
// The margin of an exported PDF page on every side.
inline constexpr double kPdfMarginMm = 10;
// Custom paper sides, in millimetres.
inline constexpr double kMinPaperMm = 20;
inline constexpr double kMaxPaperMm = 2000;

// A paper by name, without regard to case: "A3", "A4", "A5", "A6", "B5",
// "Letter", "Legal", "Tabloid", or "WxHmm" with W and H in millimetres
// (decimals allowed, each from 20 to 2000: "100x150mm"). Nothing for
// anything else.
std::optional<QPageSize> parsePaper(const QString& text);
// The names parsePaper knows, for messages: "A3, A4, ... or WxHmm".
QString paperNames();

// The canvas frame for an output `width` units wide, as the canvas of the
// mode being printed computes it (the template ratio, or the serial column's
// own shape).
using FrameForWidth = std::function<kit::Size(double width)>;

// Landscape for a collage wider than tall, else portrait.
QPageLayout::Orientation orientationFor(const FrameForWidth& frameForWidth);

// The largest frame of whole-unit width that fits within `area` (both sides
// at most the area's), as frameForWidth gives it. An empty size when even a
// frame one unit wide does not fit or the function gives no usable size.
kit::Size fitFrame(const FrameForWidth& frameForWidth, kit::Size area);

// `frame` centred in `area`, its corner on a whole dot so that photos land
// on the device's pixel grid.
QRectF centred(kit::Size frame, const QRectF& area);

} // namespace pagesetup
