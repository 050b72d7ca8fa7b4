#pragma once

// The save command: asks for the file, type and size in the save panel,
// renders the canvas of the current mode at that size into the file, and
// tells the person when that failed; reveals the file when asked to.

#include "mode.h"

#include "kit/geometry.h"

class Dialogs;
class KLCanvasView;
class QWidget;

class KLExportCommand
{
public:
    // `dialogs` and `window` (the parent of the panel and messages) must
    // outlive the command.
    KLExportCommand(Dialogs& dialogs, QWidget& window);

    // Deselects everything on the canvases, runs the save panel for a canvas
    // of ratio `ratio` (width, height; the serial canvas passes its content
    // ratio and 1), and on confirmation writes `canvas`, the canvas of
    // `mode`, at the chosen size. The canvas's frame is the same afterwards.
    // Answers whether a file was written.
    bool run(Mode mode, KLCanvasView& canvas, kit::Size ratio);

private:
    Dialogs& m_dialogs;
    QWidget& m_window;
};
