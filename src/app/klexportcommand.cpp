#include "klexportcommand.h"

#include "dialogs.h"
#include "exportrunner.h"
#include "exportsettings.h"

#include "canvas/klcanvasview.h"
#include "kit/localisation.h"
#include "kit/notificationnames.h"

KLExportCommand::KLExportCommand(Dialogs& dialogs, QWidget& window)
    : m_dialogs(dialogs), m_window(window)
{ }

bool KLExportCommand::run(Mode mode, KLCanvasView& canvas, kit::Size ratio)
{
    auto& centre = kit::NotificationCenter::defaultCenter();
    // No selection marks in the written image.
    centre.post(kit::kLayoutClearResponder, nullptr);

    const std::optional<ExportChoice> choice = m_dialogs.runExportPanel(&m_window, ratio);
    if (!choice)
        return false;
    kit::Size size = choice->outputSize;
    // The serial canvas is as tall as its content at the chosen width.
    if (mode == Mode::Serial)
        size = exportsettings::serialOutputSize(choice->outputSize.width, float(ratio.width),
                                                choice->sizeType == exportsettings::Custom);
    if (mode == Mode::Template)
        centre.post(kit::kTextViewUnselected);

    const ExportResult result = exportCanvas(
        canvas,
        [&canvas](const QString& path, kit::ImageFormat format, QString* error) {
            return canvas.saveToURL(path, format, error);
        },
        size, choice->path, choice->format, choice->sizeType, &m_window);
    if (!result.ok) {
        m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"), result.error,
                         kit::localized("BUTTON_OK"));
        return false;
    }
    if (choice->reveal)
        m_dialogs.revealFile(choice->path);
    return true;
}
