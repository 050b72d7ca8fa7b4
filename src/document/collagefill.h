#pragma once

// Descriptions given back to the canvases: the whole collage when a
// document is opened, and the parts that undo commands restore. Photos must
// have been loaded (PhotoRef::image); one without a picture is left out.
// Prints and captions that are made again are bound to their numbers in
// the editor's ViewIds.

#include "collagedocument.h"

#include <vector>

class CollageEditor;
class KLCanvasView;
class KLCombinView;
class KLFreeLayoutItem;
class KLResourceItem;
class KLTextView;

namespace kit {
class View;
}

// Every canvas as described, then the mode shown.
void fillCollage(CollageEditor& editor, const CollageDocument& document);
// One canvas as described: its contents, decorations, ratio and zoom.
void fillTemplate(CollageEditor& editor, const TemplateCollage& collage);
void fillFree(CollageEditor& editor, const FreeCollage& collage);
void fillSerial(CollageEditor& editor, const SerialCollage& collage);

void applyDecorations(KLCanvasView& canvas, const Decorations& decorations);

// The cell shows the photo (or none) at the place and zoom described.
void applyCell(KLResourceItem& cell, const CellState& state);

// Makes a print of the description on top of the free canvas, bound to the
// description's number; nullptr without a picture.
KLFreeLayoutItem* insertPrint(CollageEditor& editor, const PrintState& state);
// Puts a print where the description says, keeping its photo.
void placePrint(KLFreeLayoutItem& item, const PrintState& state);

// The column holds these photos, top first.
void setSerialPhotos(KLCombinView& canvas, const std::vector<PhotoRef>& photos);

// Makes a caption of the description on `canvas`, bound to its number.
KLTextView* insertCaption(CollageEditor& editor, KLCanvasView& canvas, const CaptionState& state);
// Gives a caption the text, place, size and turn described.
void applyCaption(KLTextView& caption, const CaptionState& state);

// Moves `view`, a subview of `container`, to place `index` of its stack (0
// at the back; beyond the top it goes on top).
void placeInStack(kit::View& container, kit::View* view, int index);
// Orders the container's subviews as the views numbered `ids` are listed,
// back to front; views not listed keep their order above them.
void orderByIds(CollageEditor& editor, kit::View& container, const std::vector<int>& ids);
// The view whose subviews stack a mode's photos and captions: the free
// canvas's container, the template canvas's bound view, the serial canvas.
kit::View& stackingContainer(CollageEditor& editor, Mode mode);

// Orders the container's subviews by the stack places of `prints` and
// `captions` (found by their numbers); views they do not name keep their
// order above them.
void restack(CollageEditor& editor, kit::View& container, const std::vector<PrintState>& prints,
             const std::vector<CaptionState>& captions);
