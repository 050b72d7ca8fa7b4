#pragma once

// Drawing a view tree onto any painter: a printer, a PDF writer or a
// picture. The tree is drawn as renderToImage draws it, but as paths, clips
// and photos rather than one bitmap, so a vector device keeps borders and
// text as shapes and receives photos resampled to its own resolution.

#include <QRectF>

class QPainter;

namespace kit {

class View;

// Draws the view's bounds into `target`, a rectangle in the painter's current
// coordinates (y down, as Qt devices have it), each axis scaled on its own.
// Photos are decoded first, in parallel, at the size the device shows them.
// The painter's state is as it was afterwards. Nothing is drawn when the
// bounds or `target` are empty or not finite.
void paintView(View& view, QPainter& painter, const QRectF& target);

} // namespace kit
