#pragma once

// A caption's text as one vector outline of glyphs. Sizes are in canvas
// units: a font of 20 points draws glyphs 20 units to the em, whatever the
// screen. Text is shaped by Qt's text layout, so characters the font lacks
// (Chinese in a Latin font, say) come from the system's fallback fonts.

#include "kit/geometry.h"
#include "kit/path.h"

#include <QFont>
#include <QString>

struct TextExtent
{
    double width = 0;
    double height = 0;
};

// The rectangle that `text` in `font` uses when laid out into a container
// `containerWidth` wide and unlimited in height, with no padding: the width
// of its widest line and the height of all its lines (leading included).
// Lines break at the text's line breaks and where a line would pass the
// container's width.
TextExtent measureText(const QString& text, const QFont& font, double containerWidth);

// The glyph outlines of `text` in `font`, in y-up coordinates, as one run on
// one baseline that starts at `at`. Line breaks in the text add nothing to
// the run. Empty for an empty text.
kit::Path makePathFromString(const QString& text, const QFont& font, kit::Point at);

// The outline a caption of `box` size shows: the nominal font drawn at
// nominal size × box height ÷ scaleHeight (the size read in single
// precision), measured in a 50000-wide container and centred horizontally
// on its used width, with its baseline at (H − used height + 10) ÷ 2.
// Empty when scaleHeight or the box height is not positive.
kit::Path captionOutline(const QString& text, const QFont& nominal, double scaleHeight,
                         kit::Size box);
