#pragma once

// A collage on paper: drawn onto the page of a printer or a PDF writer as
// shapes and photos (not one bitmap), fitted and centred, at the device's
// resolution.

#include "pagesetup.h"

#include <optional>

#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

class QPainter;

namespace kit {
class View;
}

struct PdfOptions
{
    QPageSize paper { QPageSize::A4 };
    // Absent: landscape for a collage wider than tall, else portrait.
    std::optional<QPageLayout::Orientation> orientation;
    int dpi = pagesetup::kDefaultDpi; // kMinDpi to kMaxDpi
    double marginMm = pagesetup::kPdfMarginMm;
    QString title;
};

// Draws the collage of `canvas` fitted and centred in `area` (the painter's
// coordinates, one unit per device dot): the canvas is given the largest
// frame that fits, as `frameForWidth` computes frames, drawn, and given its
// own frame back. Answers where the collage lies on the page; an empty
// rectangle (and nothing drawn) when not even a sliver fits.
QRectF paintCollage(kit::View& canvas, const pagesetup::FrameForWidth& frameForWidth,
                    QPainter& painter, const QRectF& area);

// Writes a one-page PDF of the collage at `options`, atomically: an existing
// file is replaced only once the new one is complete. False, with the reason
// in `error`, when the options are out of range, the collage does not fit or
// the file cannot be written; nothing is left behind then.
bool writeCollagePdf(kit::View& canvas, const pagesetup::FrameForWidth& frameForWidth,
                     const PdfOptions& options, const QString& path, QString* error);
