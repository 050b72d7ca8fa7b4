// Feeds arbitrary bytes to the collage document reader, then gives every
// accepted document to the three canvases as opening it does (with grey
// stand-ins for its photos and background pictures, and no border files, so
// that nothing on disk is read), draws each canvas small, describes the
// canvases again and writes them as a document. Aborts when a refused
// document has no reason, or when what the canvases made of an accepted
// document cannot be read back.

#include "canvas/klcanvasview.h"
#include "document/collagedescription.h"
#include "document/collagefill.h"
#include "document/documentreader.h"
#include "document/documentwriter.h"
#include "document/offscreencollage.h"
#include "document/photoloader.h"
#include "kit/render.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "document_fuzz: %s %s\n", what, qPrintable(detail));
    std::abort();
}

// A folder that does not exist: relative paths resolve against it and
// nothing is found there.
const QString kFolder = QStringLiteral("/nonexistent/tessera-fuzz");

void standIn(PhotoRef& photo, OffscreenCollage& collage)
{
    photo.image = standInPicture(photo.pixelSize);
    collage.addStandIn(photo.image, photo);
}

void withoutFiles(Decorations& d)
{
    if (d.background && d.background->isPicture())
        d.background->image = standInPicture({ 4, 3 });
    d.border.reset();
    d.borderFallback.clear();
    d.backgroundFallback.clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Documents of a few hundred prints; longer inputs only slow drawing.
    if (size > 64 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    DocumentReadResult read = readCollageDocument(bytes, kFolder);
    if (!read.ok()) {
        if (read.error.isEmpty())
            fail("refused without a reason");
        return 0;
    }

    CollageDocument& document = *read.document;
    OffscreenCollage collage({ 0, 0, 320, 240 });
    for (CellState& cell : document.templateCollage.cells) {
        if (cell.photo)
            standIn(*cell.photo, collage);
    }
    for (PrintState& print : document.freeCollage.prints)
        standIn(print.photo, collage);
    for (PhotoRef& photo : document.serialCollage.photos)
        standIn(photo, collage);
    withoutFiles(document.templateCollage.decorations);
    withoutFiles(document.freeCollage.decorations);
    withoutFiles(document.serialCollage.decorations);
    fillCollage(collage, document);

    for (Mode mode : kModes) {
        KLCanvasView& canvas = collage.canvas(mode);
        canvas.setFrameSize({ 96, 72 });
        (void)kit::renderToImage(canvas);
    }

    const QByteArray written = writeCollageDocument(describeCollage(collage), kFolder);
    const DocumentReadResult again = readCollageDocument(written, kFolder);
    if (!again.ok())
        fail("the canvases wrote a document that cannot be read:", again.error);
    return 0;
}
