#pragma once

// The names and bounds of the collage document format, shared by its reader
// and writer. Version 1:
//
//   { "format": "tessera-collage", "version": 1, "mode": "template|free|serial",
//     "template": { "template": FILE, "templateText": "...", "ratio": 0..5,
//                   "zoom": z, "decorations": DECO,
//                   "cells": [ { "photo": PHOTO|null, "x": fx, "y": fy, "scale": s } ],
//                   "captions": [ CAPTION ] },
//     "free":     { "ratio": 0..5, "zoom": z, "decorations": DECO,
//                   "prints": [ { "photo": PHOTO, "x": fx, "y": fy, "scale": s,
//                                 "rotation": degrees, "stack": n } ],
//                   "captions": [ CAPTION ] },
//     "serial":   { "zoom": z, "decorations": DECO, "photos": [ PHOTO ],
//                   "captions": [ CAPTION ] } }
//
//   FILE    { "path": relative to the document or absolute,
//             "absolute": the absolute path when "path" is relative }
//   PHOTO   FILE with "width" and "height" in pixels
//   DECO    { "border": FILE|null, "background": null|"white"|"black"|FILE,
//             "corners": bool, "shadow": bool }
//   CAPTION { "text", "x", "y", "ratio", "height", "scaleHeight", "rotation",
//             "stack", "style": STYLE }
//   STYLE   { "font": "Family Style", "size": points, "color": COLOR,
//             "strokeWidth", "strokeColor": COLOR|null, "shadow": bool,
//             "shadowColor": COLOR|null, "shadowOffset", "shadowBlur",
//             "shadowDegree", "opacity" }
//   COLOR   [ red, green, blue, alpha ], each 0 to 1
//
// An autosaved copy also holds "autosaveOf": the document it stands for.

#include <QtGlobal>

namespace documentformat {

inline constexpr char kFormat[] = "format";
inline constexpr char kFormatName[] = "tessera-collage";
inline constexpr char kVersion[] = "version";
inline constexpr char kMode[] = "mode";
inline constexpr char kAutosaveOf[] = "autosaveOf";

inline constexpr char kTemplatePart[] = "template";
inline constexpr char kFreePart[] = "free";
inline constexpr char kSerialPart[] = "serial";

inline constexpr char kTemplateFile[] = "template";
inline constexpr char kTemplateText[] = "templateText";
inline constexpr char kRatio[] = "ratio";
inline constexpr char kZoom[] = "zoom";
inline constexpr char kDecorations[] = "decorations";
inline constexpr char kCells[] = "cells";
inline constexpr char kPrints[] = "prints";
inline constexpr char kPhotos[] = "photos";
inline constexpr char kCaptions[] = "captions";

inline constexpr char kPhoto[] = "photo";
inline constexpr char kPath[] = "path";
inline constexpr char kAbsolute[] = "absolute";
inline constexpr char kWidth[] = "width";
inline constexpr char kHeight[] = "height";
inline constexpr char kX[] = "x";
inline constexpr char kY[] = "y";
inline constexpr char kScale[] = "scale";
inline constexpr char kRotation[] = "rotation";
inline constexpr char kStack[] = "stack";

inline constexpr char kBorder[] = "border";
inline constexpr char kBackground[] = "background";
inline constexpr char kWhite[] = "white";
inline constexpr char kBlack[] = "black";
inline constexpr char kCorners[] = "corners";
inline constexpr char kShadow[] = "shadow";

inline constexpr char kText[] = "text";
inline constexpr char kScaleHeight[] = "scaleHeight";
inline constexpr char kStyle[] = "style";
inline constexpr char kFont[] = "font";
inline constexpr char kSize[] = "size";
inline constexpr char kColor[] = "color";
inline constexpr char kStrokeWidth[] = "strokeWidth";
inline constexpr char kStrokeColor[] = "strokeColor";
inline constexpr char kShadowColor[] = "shadowColor";
inline constexpr char kShadowOffset[] = "shadowOffset";
inline constexpr char kShadowBlur[] = "shadowBlur";
inline constexpr char kShadowDegree[] = "shadowDegree";
inline constexpr char kOpacity[] = "opacity";
inline constexpr int kMaxFontNameLength = 256;

// Bounds of the numbers a document may hold.
inline constexpr int kRatioCount = 6;
inline constexpr double kMaxZoom = 3;
inline constexpr double kMaxSerialZoom = 5;
// 0 is the zoom of a cell that never had a photo.
inline constexpr double kMinCellScale = 0;
inline constexpr double kMaxCellScale = 6;
inline constexpr double kMinPrintScale = 0.05;
inline constexpr double kMaxPrintScale = 10;
inline constexpr double kMaxDegrees = 1e6;
inline constexpr double kMaxFraction = 1e4;
inline constexpr int kMaxPixelSide = 1 << 20;
inline constexpr int kMaxStack = 1 << 20;
inline constexpr qsizetype kMaxTemplateTextLength = 1 << 20;

} // namespace documentformat
