#pragma once

// The arithmetic of the serial column: every photo takes the same width and
// keeps its own aspect ratio, with equal gaps above, between and below the
// photos. Pure functions, so the canvas, the export and the command-line
// renderer agree on one shape.
//
// The column is modelled 500 units wide with photos 470 wide and gaps of 15;
// a canvas of width W lays it out with a spacing of 3 % of W − 10 inside a
// margin of 5 units on every side. Computations that the shape depends on
// are rounded to single precision at each step, as the stored ratios are.

#include "kit/geometry.h"

#include <vector>

namespace combinlayout {

// Width ÷ height of a photo in single precision; 0 for a photo with no
// pixels, which the column never holds.
float aspect(kit::Size photo);

// Width ÷ height of the column's content for photos of these sizes, in
// column order; 1 for no photos. Photos with no pixels count as absent.
float contentRatio(const std::vector<kit::Size>& photos);

struct Column
{
    double spacing = 0; // s: the gap between photos and around the column
    double itemWidth = 0; // W − 2s − 10
    double left = 0; // s + 5
    // Frames in column order (the first is the topmost), in the canvas's
    // y-up coordinates: the last photo sits 5 + s above the bottom edge.
    std::vector<kit::Rect> frames;
};

// The frames of photos of these sizes on a canvas `width` wide.
Column layout(double width, const std::vector<kit::Size>& photos);

} // namespace combinlayout
