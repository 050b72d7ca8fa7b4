#pragma once

// The canvas ratios offered by the window, and the recognition of a
// template's declared size among them.

#include "kit/geometry.h"

#include <array>

#include <QString>

namespace ratios {

// Index 0 to 5: 1:1, 3:2, 2:3, 4:3, 3:4, 16:9.
inline constexpr std::array<kit::Size, 6> table = { kit::Size { 1, 1 }, kit::Size { 3, 2 },
                                                    kit::Size { 2, 3 }, kit::Size { 4, 3 },
                                                    kit::Size { 3, 4 }, kit::Size { 16, 9 } };

// The index of a declared pair, compared exactly as read: (0.75, 1) and (3, 4)
// give 4, (1, 0.75) and (4, 3) give 3, (2, 3) 2, (3, 2) 1, (1, 1) 0, (16, 9) 5;
// any other pair gives 0 (square).
int indexForSize(double width, double height);

// "1:1", "3:2", ...; the first entry's title for an index out of range.
QString title(int index);

} // namespace ratios
