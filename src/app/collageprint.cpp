#include "collageprint.h"

#include "collagepdf.h"

#include <QPainter>
#include <QPrinter>

void preparePrinter(QPrinter& printer, const pagesetup::FrameForWidth& frameForWidth,
                    const QString& documentName)
{
    printer.setPageOrientation(pagesetup::orientationFor(frameForWidth));
    printer.setDocName(documentName);
    printer.setCreator(QStringLiteral("Tessera"));
}

bool printCollage(QPrinter& printer, kit::View& canvas,
                  const pagesetup::FrameForWidth& frameForWidth, QString* error)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (printer.resolution() > pagesetup::kMaxPrintDpi)
        printer.setResolution(pagesetup::kMaxPrintDpi);
    // The painter's origin is the corner of the printable area.
    const QRect paintRect = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(QPointF(0, 0), QSizeF(paintRect.size()));
    if (pagesetup::fitFrame(frameForWidth, { area.width(), area.height() }).isEmpty())
        return fail(QStringLiteral("the margins leave no room for the collage on the paper"));
    QPainter painter;
    if (!painter.begin(&printer))
        return fail(QStringLiteral("the printer could not be started"));
    paintCollage(canvas, frameForWidth, painter, area);
    return painter.end();
}
