#include "collagepdf.h"

#include "framerestorer.h"
#include "kit/paintview.h"
#include "kit/view.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

bool failWith(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QRectF paintCollage(kit::View& canvas, const pagesetup::FrameForWidth& frameForWidth,
                    QPainter& painter, const QRectF& area)
{
    const kit::Size frame = pagesetup::fitFrame(frameForWidth, { area.width(), area.height() });
    if (frame.isEmpty())
        return {};
    FrameRestorer restore(canvas);
    canvas.setFrame({ 0, 0, frame.width, frame.height });
    const QRectF target = pagesetup::centred(frame, area);
    kit::paintView(canvas, painter, target);
    return target;
}

bool writeCollagePdf(kit::View& canvas, const pagesetup::FrameForWidth& frameForWidth,
                     const PdfOptions& options, const QString& path, QString* error)
{
    if (options.dpi < pagesetup::kMinDpi || options.dpi > pagesetup::kMaxDpi)
        return failWith(error,
                        QStringLiteral("the resolution must be from %1 to %2 dots per inch")
                            .arg(pagesetup::kMinDpi)
                            .arg(pagesetup::kMaxDpi));
    if (!options.paper.isValid())
        return failWith(error, QStringLiteral("the paper size is not valid"));

    // The writer's own margins are zero and the collage is placed within the
    // margins here, so that its corner lies on a whole dot of the page.
    const QPageLayout layout(options.paper,
                             options.orientation.value_or(pagesetup::orientationFor(frameForWidth)),
                             QMarginsF(), QPageLayout::Millimeter);
    const QRect page = layout.fullRectPixels(options.dpi);
    const double margin = options.marginMm / 25.4 * options.dpi;
    const QRectF area = QRectF(page).adjusted(margin, margin, -margin, -margin);
    if (!(options.marginMm >= 0) || area.isEmpty())
        return failWith(error, QStringLiteral("the margins leave no room on the paper"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failWith(error, file.errorString());
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(options.dpi);
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("Tessera"));
        writer.setTitle(options.title);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return failWith(error, QStringLiteral("the PDF could not be started"));
        }
        drawn = !paintCollage(canvas, frameForWidth, painter, area).isEmpty();
        painter.end();
    }
    if (!drawn) {
        file.cancelWriting();
        return failWith(error, QStringLiteral("the collage does not fit on the paper"));
    }
    if (!file.commit())
        return failWith(error, file.errorString());
    return true;
}
