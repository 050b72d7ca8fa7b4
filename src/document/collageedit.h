#pragma once

// What one edit changed, told from the descriptions before and after it:
// the mode it happened in, its name for the Edit menu ("Move", "Swap
// Photos", ...) and the thing it acted on, so that the steps of one wheel
// or key burst on the same thing can be merged into one.

#include "collagedocument.h"

#include <QString>

struct CollageEdit
{
    Mode mode = Mode::Template;
    // The key of the edit's name in the translation tables (EDIT_...).
    const char* nameKey = "EDIT_CHANGE";
    // What it acted on ("cell 2", "print 7", "caption 3"); empty for edits
    // of the whole canvas.
    QString target;
};

// Both descriptions are of the same session (prints and captions carry
// their numbers). When several modes changed (corners and shadow go to
// every canvas), the edit is named after `preferred` if it is one of them.
CollageEdit describeEdit(const CollageDocument& before, const CollageDocument& after,
                         Mode preferred);
