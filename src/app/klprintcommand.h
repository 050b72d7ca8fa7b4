#pragma once

// File ▸ Print…, Print Preview… and Export as PDF…: the collage of the
// current mode on paper, fitted and centred, drawn at the printer's or the
// chosen resolution as shapes and photos. Failures are told to the person.

#include "mode.h"
#include "pagesetup.h"

#include "kit/geometry.h"

#include <QString>

class Dialogs;
class KLCanvasView;
class QWidget;

class KLPrintCommand
{
public:
    // `dialogs` and `window` (the parent of dialogs and messages) must
    // outlive the command.
    KLPrintCommand(Dialogs& dialogs, QWidget& window);

    // Each deselects everything first, so no selection marks reach the
    // paper. `canvas` is the canvas of `mode`; `ratio` its ratio (width,
    // height; the serial canvas passes its content ratio and 1). The canvas's
    // frame is the same afterwards.

    // The print dialog, then one page; answers whether it was printed.
    bool print(Mode mode, KLCanvasView& canvas, kit::Size ratio);
    // The print preview, from which the person may print.
    void preview(Mode mode, KLCanvasView& canvas, kit::Size ratio);
    // The PDF save panel, then the file; answers whether it was written.
    bool exportPdf(Mode mode, KLCanvasView& canvas, kit::Size ratio);

    // The canvas frame of an output `width` wide, as an export computes it:
    // at the ratio, or for the serial column as tall as its content.
    static pagesetup::FrameForWidth frameForWidth(Mode mode, kit::Size ratio);

private:
    void deselect(Mode mode);
    void sayFailure(const QString& message, const QString& reason);

    Dialogs& m_dialogs;
    QWidget& m_window;
};
