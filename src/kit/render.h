#pragma once

// Off-screen rendering of a view tree, as the screen shows it: the view's
// bounds with all its visible subviews, images resampled at high quality.

#include <QImage>
#include <QSize>

namespace kit {

class View;

// The view's bounds at `deviceScale` pixels per unit (the image is the bounds
// size times the scale, rounded up). ARGB32_Premultiplied, transparent where
// nothing is drawn; the image's top row is the bounds' top edge. The view's
// own frame placement and rotation do not apply, and it is drawn even when
// hidden. A null image, with a warning in the log, when the bounds are empty,
// the scale is not a positive finite number or the image cannot be allocated.
QImage renderToImage(View& view, double deviceScale = 1.0);

// The view's bounds scaled to exactly `pixelSize` (each axis on its own).
// Failures as above, also for an empty `pixelSize`.
QImage renderToImage(View& view, QSize pixelSize);

// Decodes every picture that the visible views of the tree draw, at the size
// they are drawn at `deviceScale` pixels per unit, in parallel on the thread
// pool, so that the following draw finds them ready in their caches. A view
// that shows new photos on screen calls it; for a tree in no window it does
// nothing. (The renders above decode only the parts of the photos that
// show, for the render alone: see ImagePlan.)
void prepareImages(const View& view, double deviceScale);

} // namespace kit
