#pragma once

// The canvases read into a collage description (collagedocument.h): what
// the writer saves and what undo commands keep as before and after values.
// Nothing here changes a canvas; prints and captions seen for the first
// time get their numbers in the editor's ViewIds.

#include "collagedocument.h"

class CollageEditor;
class KLCanvasView;
class KLTextView;
class ViewIds;

CollageDocument describeCollage(CollageEditor& editor);
TemplateCollage describeTemplate(CollageEditor& editor);
FreeCollage describeFree(CollageEditor& editor);
SerialCollage describeSerial(CollageEditor& editor);

Decorations describeDecorations(const KLCanvasView& canvas);
// In the order the canvas keeps them (the order they were added).
std::vector<CaptionState> describeCaptions(const KLCanvasView& canvas, ViewIds& ids);
// The look of a caption (its text and proportions left out).
TextStyle describeCaptionLook(const KLTextView& caption);
