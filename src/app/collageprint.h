#pragma once

// Printing a collage: one page, the collage fitted and centred within the
// printer's margins and drawn at the printer's resolution (up to
// pagesetup::kMaxPrintDpi), never an enlarged screen-sized bitmap.
//
// Usage (File ▸ Print…; the preview calls printCollage from its
// paintRequested signal):
//
//     QPrinter printer(QPrinter::HighResolution);
//     preparePrinter(printer, frameForWidth, title);
//     QPrintDialog dialog(&printer, window);
//     if (dialog.exec() == QDialog::Accepted && !printCollage(printer, canvas, frameForWidth, &e))
//         ...say so

#include "pagesetup.h"

#include <QString>

class QPrinter;

namespace kit {
class View;
}

// Gives the printer the orientation that suits the collage and the document
// name that print queues show. Call before the print dialog, which may
// change both.
void preparePrinter(QPrinter& printer, const pagesetup::FrameForWidth& frameForWidth,
                    const QString& documentName);

// Prints the collage of `canvas` (its frame computed by `frameForWidth`, and
// restored afterwards) on one page. False, with the reason in `error`, when
// the printer cannot start or the margins leave no room.
bool printCollage(QPrinter& printer, kit::View& canvas,
                  const pagesetup::FrameForWidth& frameForWidth, QString* error);
