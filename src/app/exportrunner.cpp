#include "exportrunner.h"

#include "exportsettings.h"

#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/view.h"

#include <cmath>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

namespace {

// Puts the canvas's frame back however the export leaves.
class FrameRestorer
{
public:
    explicit FrameRestorer(kit::View& view) : m_view(view), m_frame(view.unrotatedFrame()) { }
    ~FrameRestorer() { m_view.setFrame(m_frame); }
    FrameRestorer(const FrameRestorer&) = delete;
    FrameRestorer& operator=(const FrameRestorer&) = delete;

private:
    kit::View& m_view;
    kit::Rect m_frame;
};

class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

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

    std::unique_ptr<BusyCursor> busy;
    std::unique_ptr<QProgressDialog> progress;
    if (progressParent && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        busy = std::make_unique<BusyCursor>();
        if (outputSize.width * outputSize.height > kExportProgressPixels) {
            progress = std::make_unique<QProgressDialog>(progressParent);
            progress->setWindowModality(Qt::WindowModal);
            progress->setWindowTitle(kit::localized("EXPORT_PANEL_TITLE"));
            progress->setLabelText(
                kit::localized("EXPORT_PROGRESS").arg(QFileInfo(path).fileName()));
            progress->setCancelButton(nullptr);
            progress->setRange(0, 0); // indeterminate: the render reports no steps
            progress->setMinimumDuration(0);
            progress->show();
        }
        // Paint the dialog and the cursor before the render holds the event
        // loop; the canvas still has its on-screen size here, so a repaint of
        // the window shows nothing unusual.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

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

void showExportFailure(QWidget* parent, const ExportResult& result)
{
    if (result.ok)
        return;
    QMessageBox box(QMessageBox::Warning, kit::localized("WARNING_TITLE"),
                    result.error.isEmpty() ? exportFailureMessage(result.path, result.reason)
                                           : result.error,
                    QMessageBox::NoButton, parent);
    box.addButton(kit::localized("BUTTON_OK"), QMessageBox::AcceptRole);
    if (parent)
        box.setWindowModality(Qt::WindowModal);
    box.exec();
}
