// KLController: what a collage document sets beside the canvases.

#include "klcontroller.h"

#include "klmainwindow.h"
#include "ratiotable.h"

#include "template/klresourceview.h"

#include <algorithm>
#include <cmath>

void KLController::setModeRatio(Mode mode, int index)
{
    m_modes[mode].ratioIndex = std::clamp(index, 0, int(ratios::table.size()) - 1);
    if (mode == m_currentMode)
        layoutChanged(mode);
}

void KLController::setModeZoom(Mode mode, float zoom)
{
    if (!std::isfinite(zoom))
        return;
    m_modes[mode].zoom = std::clamp(zoom, float(kMinimumZoom), float(maximumZoom(mode)));
    if (mode == m_currentMode)
        canvasScaleChanged(m_modes[mode].zoom);
}

void KLController::templateLoadedFromDocument()
{
    const QString path = m_canvas->resourcePath();
    if (path.isEmpty())
        m_currentResourceTemplate.reset();
    else
        m_currentResourceTemplate = path;
    if (m_currentMode == Mode::Template)
        lockRatioButton(m_canvas->ratioLocked());
}

void KLController::collageRestored()
{
    m_window->setCornerChecked(current().canvas->hasCorner());
    m_window->setShadowChecked(current().canvas->hasShadow());
    markLibraries();
}
