#pragma once

// The frame arithmetic of the main scroll view: where the document view of a
// layout mode lies in the scroll view and where the canvas lies in it, for
// the scroll view's size, the mode's ratio and its zoom. Pure functions of
// their arguments; all values in the window's units (y up).

#include "kit/geometry.h"

namespace canvasgeometry {

// Space kept between the canvas and the document view's edge, before zoom.
inline constexpr double kCanvasMargin = 20;
// The document view lies this far inside the scroll view on every side.
inline constexpr double kDocumentInset = 1;

struct Frames
{
    kit::Rect document; // in the scroll view
    kit::Rect canvas; // in the document view
};

// The largest size of ratio `r` (width ÷ height) inside a box `scroll.width`
// wide and min(scroll.width, scroll.height) high.
kit::Size fittedSize(kit::Size scroll, double r);

// Template and free layout modes: the document view fills the scroll view
// scaled by `zoom` (less the inset), and the canvas is the fitted size scaled
// by `zoom`, centred in it and inset by the margin so that it keeps the ratio
// ratioWidth : ratioHeight (computed in single precision).
Frames ratioFrames(kit::Size scroll, float ratioWidth, float ratioHeight, float zoom);

// Serial mode: the canvas takes its ratio from its content (`contentRatio`,
// width ÷ height); it fills 90% of the scroll view (less a reserve) along its
// longer side, grows with `zoom`, and gets a 10-unit allowance for its frame.
// The document view starts at the origin and is never smaller than the
// scroll view less 10.
Frames serialFrames(kit::Size scroll, float contentRatio, float zoom);

} // namespace canvasgeometry
