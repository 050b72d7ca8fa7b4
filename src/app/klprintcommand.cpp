#include "klprintcommand.h"

#include "busyindicator.h"
#include "collagepdf.h"
#include "collageprint.h"
#include "dialogs.h"
#include "exportsettings.h"

#include "canvas/klcanvasview.h"
#include "kit/localisation.h"
#include "kit/notificationnames.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace {

QString documentName()
{
    return kit::localized("CFBundleDisplayName");
}

} // namespace

KLPrintCommand::KLPrintCommand(Dialogs& dialogs, QWidget& window)
    : m_dialogs(dialogs), m_window(window)
{ }

pagesetup::FrameForWidth KLPrintCommand::frameForWidth(Mode mode, kit::Size ratio)
{
    if (mode == Mode::Serial) {
        return [r = float(ratio.width)](double width) {
            return exportsettings::serialOutputSize(width, r);
        };
    }
    return [ratio](double width) {
        return exportsettings::ratioOutputSize(width, ratio);
    };
}

void KLPrintCommand::deselect(Mode mode)
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kLayoutClearResponder, nullptr);
    if (mode == Mode::Template)
        centre.post(kit::kTextViewUnselected);
}

void KLPrintCommand::sayFailure(const QString& message, const QString& reason)
{
    m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"),
                     reason.isEmpty() ? message : message + QStringLiteral("\n\n") + reason,
                     kit::localized("BUTTON_OK"));
}

bool KLPrintCommand::print(Mode mode, KLCanvasView& canvas, kit::Size ratio)
{
    deselect(mode);
    const pagesetup::FrameForWidth frames = frameForWidth(mode, ratio);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, frames, documentName());
    if (!m_dialogs.runPrintDialog(&m_window, printer))
        return false;
    QString reason;
    bool ok = false;
    {
        const BusyIndicator busy(&m_window, kit::localized("PRINT_TITLE"),
                                 kit::localized("PRINT_PROGRESS"), true);
        ok = printCollage(printer, canvas, frames, &reason);
    }
    if (!ok)
        sayFailure(kit::localized("PRINT_FAILED"), reason);
    return ok;
}

void KLPrintCommand::preview(Mode mode, KLCanvasView& canvas, kit::Size ratio)
{
    deselect(mode);
    const pagesetup::FrameForWidth frames = frameForWidth(mode, ratio);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, frames, documentName());
    QString failure;
    m_dialogs.runPrintPreview(&m_window, printer, [&](QPrinter& target) {
        const BusyIndicator busy(&m_window, QString(), QString(), false);
        QString reason;
        if (!printCollage(target, canvas, frames, &reason))
            failure = reason;
    });
    if (!failure.isEmpty())
        sayFailure(kit::localized("PRINT_FAILED"), failure);
}

bool KLPrintCommand::exportPdf(Mode mode, KLCanvasView& canvas, kit::Size ratio)
{
    deselect(mode);
    const std::optional<PdfChoice> choice = m_dialogs.runPdfPanel(&m_window);
    if (!choice)
        return false;
    QString reason;
    bool ok = false;
    {
        const BusyIndicator busy(
            &m_window, kit::localized("PDF_PANEL_TITLE"),
            kit::localized("PDF_PROGRESS").arg(QFileInfo(choice->path).fileName()), true);
        ok = writeCollagePdf(canvas, frameForWidth(mode, ratio), choice->options, choice->path,
                             &reason);
    }
    if (!ok)
        sayFailure(kit::localized("PDF_FAILED").arg(QDir::toNativeSeparators(choice->path)),
                   reason);
    return ok;
}
