#pragma once

// Brings the canvases from one description to another by changing only what
// differs between them: the way undo and redo put a collage back. Cells,
// prints and captions that did not change keep their views (and their
// photos' decoded levels); a print or caption that comes back gets a new view
// bound to its old number (ViewIds), so that later edits find it again.
// Zoom and the mode shown are left as they are.

#include "collagedocument.h"

class CollageEditor;

// `from` must describe the canvases as they are now (describeCollage); `to`
// must carry its photos' pictures. Afterwards describeCollage() gives `to`,
// up to the zooms, the mode shown and the order in which captions are listed.
void restoreCollage(CollageEditor& editor, const CollageDocument& from, const CollageDocument& to);

// A description reduced to what counts as an edit: zooms and the mode shown
// are set to fixed values and captions are listed by number, so that a
// caption put back by undo compares equal wherever it is listed.
CollageDocument collageContent(CollageDocument document);
