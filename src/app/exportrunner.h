#pragma once

// Rendering a canvas to an image file at the output size of an export, and
// telling the person when that failed.
//
// Usage, with any canvas that has saveToURL (see klexportcommand.cpp for the
// whole save command):
//
//     const ExportResult r = exportCanvas(
//         canvas,
//         [&](const QString& p, kit::ImageFormat f, QString* e) { return canvas.saveToURL(p, f, e);
//         }, size, choice.path, choice.format, choice.sizeType, window);
//     if (!r.ok)
//         ...tell the person r.error...

#include "kit/geometry.h"
#include "kit/imagewriter.h"

#include <functional>

#include <QString>

class QWidget;

namespace kit {
class View;
}

// Renders the canvas at its current frame size and writes `path` atomically;
// false with the reason in `error` on failure.
using SaveFunction =
    std::function<bool(const QString& path, kit::ImageFormat format, QString* error)>;

struct ExportResult
{
    bool ok = false;
    QString path;
    // Empty on success. `reason` says why in the encoder's or file system's
    // words; `error` is the whole sentence for the person, naming the file.
    QString reason;
    QString error;
};

// Exports above this many pixels show a progress dialog while they render.
inline constexpr double kExportProgressPixels = 1'000'000;

// Logs "Selected column:<size type> <tag>", gives `canvas` the frame size
// `outputSize` (which re-lays out its content), calls `save`, and restores the
// canvas's frame, also when saving fails. An output size that is not a
// positive finite size fails without touching the canvas.
//
// With a `progressParent`, the export shows a busy cursor, and for more than
// about a million pixels a small indeterminate progress dialog modal to that
// window; events are processed once, before the canvas changes size, so that
// the dialog is painted. Runs on the main thread and returns when the file is
// written or the write has failed.
ExportResult exportCanvas(kit::View& canvas, const SaveFunction& save, kit::Size outputSize,
                          const QString& path, kit::ImageFormat format, int sizeType,
                          QWidget* progressParent = nullptr);

// The sentence that names the file that could not be written and why.
QString exportFailureMessage(const QString& path, const QString& reason);
