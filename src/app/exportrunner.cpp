#include "exportrunner.h"

#include "busyindicator.h"
#include "exportsettings.h"

#include "framerestorer.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/view.h"

#include <cmath>

#include <QDir>
#include <QFileInfo>

QString exportFailureMessage(const QString& path, const QString& reason)
{
    QString message = kit::localized("EXPORT_FAILED").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        message += QStringLiteral("\n\n") + reason;
    return message;
}

ExportResult exportCanvas(kit::View& canvas, const SaveFunction& save, kit::Size outputSize,
                          const QString& path, kit::ImageFormat format, int sizeType,
                          QWidget* progressParent)
{
    kit::log(kit::lcApp(),
             QString::asprintf("Selected column:%ld %ld", long(sizeType),
                               long(sizeType + exportsettings::kSizeTagBase)));

    ExportResult result;
    result.path = path;
    auto fail = [&](const QString& reason) {
        result.reason = reason;
        result.error = exportFailureMessage(path, reason);
        return result;
    };
    if (!std::isfinite(outputSize.width) || !std::isfinite(outputSize.height)
        || outputSize.isEmpty())
        return fail(QStringLiteral("The output size %1 × %2 is not usable.")
                        .arg(outputSize.width)
                        .arg(outputSize.height));
    if (!save)
        return fail(QStringLiteral("This canvas cannot be saved."));

    // The canvas still has its on-screen size while the indicator paints, so
    // a repaint of the window shows nothing unusual.
    const BusyIndicator busy(progressParent, kit::localized("EXPORT_PANEL_TITLE"),
                             kit::localized("EXPORT_PROGRESS").arg(QFileInfo(path).fileName()),
                             outputSize.width * outputSize.height > kExportProgressPixels);

    QString reason;
    bool ok = false;
    {
        FrameRestorer restore(canvas);
        canvas.setFrameSize(outputSize);
        ok = save(path, format, &reason);
    }
    if (!ok)
        return fail(reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason);
    result.ok = true;
    return result;
}
