#pragma once

// Reads the files a collage description names before it is given to the
// canvases: its photos and background pictures (and checks its borders).
// Only plain files are read, whatever a document says: a device, a pipe or
// a folder named as a photo is reported as missing, never opened.

#include "collagedocument.h"

#include <QStringList>

class CollageEditor;

struct PhotoLoadReport
{
    // One line per file that could not be read, naming it and the reason.
    QStringList problems;
    bool ok() const { return problems.isEmpty(); }
};

// Loads every picture of `document` that is not loaded yet: a photo from its
// file, or from its fallback path when the file is not there (the file then
// becomes the path found). Files named more than once are read once.
//
// With an `editor`, a photo that cannot be read gets a grey stand-in of its
// proportions, registered with the editor so that the collage keeps its
// place and a save keeps its reference; a background picture or border that
// cannot be read is dropped. Without one nothing is replaced. Either way each
// failure is reported.
PhotoLoadReport loadDocumentPhotos(CollageDocument& document, CollageEditor* editor);

// The stand-in shown for a missing photo of `pixelSize` (any size when
// unknown): a small grey picture of the same proportions.
kit::Image standInPicture(QSize pixelSize);
