#pragma once

// Gaussian blur of 8-bit coverage, as drop shadows need it: three box passes
// per axis approximate the Gaussian, so the cost per pixel does not grow
// with the radius. Runs of identical rows (the inside of rectangles and
// photos) are copied instead of summed, which makes large plain shapes cheap.

#include <QImage>

#include <utility>
#include <vector>

namespace kit {

// How far, in pixels, coverage spreads under a blur of standard deviation
// `sigma` (pixels). Zero for sigma below a quarter pixel.
int blurReach(double sigma);

// Blurs `coverage` (Format_Alpha8 or Format_Grayscale8) in place. Pixels
// outside the image count as zero, so a caller that wants an exact result
// near an edge leaves a margin of blurReach(sigma) around the shape.
// Other formats are left unchanged.
void blurAlpha(QImage& coverage, double sigma);

// Where a coverage image is full (255), as spans [from, to) of columns per
// row: the opaque inside of a shape, kept compactly while its shadow is
// blurred.
struct SolidSpans
{
    std::vector<size_t> rowStart; // spans of row y: [rowStart[y], rowStart[y + 1])
    std::vector<std::pair<int, int>> spans;
};
SolidSpans solidSpans(const QImage& coverage);

// Clears coverage pixels p where p + offset lies in `solid`: the parts of a
// shadow that the opaque shape casting it will cover. `solid` was taken
// from an image of the same size.
void clearWhereSolid(QImage& coverage, const SolidSpans& solid, QPoint offset);

// used[x] becomes non-zero when any of rows [y0, y1) has coverage in
// column x; `used` holds coverage.width() values.
void markUsedColumns(const QImage& coverage, int y0, int y1, uchar* used);

} // namespace kit
