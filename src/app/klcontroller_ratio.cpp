// KLController: the canvas ratio and its pop-up list, the zoom, the frames
// of the canvases in the main scroll view, and window and split-view resizes.

#include "klcontroller.h"

#include "canvasgeometry.h"
#include "klmainwindow.h"
#include "ratiotable.h"
#include "serial/klcombinview.h"

#include "chrome/klattachedwindow.h"
#include "kit/localisation.h"
#include "kit/notificationnames.h"
#include "kit/viewhost.h"
#include "template/klresourceview.h"

#include <cmath>

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>

void KLController::buildRatioView()
{
    // The content of the ratio pop-up: one button per table entry, tagged
    // with its index. Kept hidden in the window while the pop-up is closed.
    m_scaleView = new QWidget(m_window.get());
    m_scaleView->setObjectName(QStringLiteral("scaleView"));
    auto* grid = new QGridLayout(m_scaleView);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    // The current ratio shows checked, in the selection's colours.
    m_scaleView->setStyleSheet(QStringLiteral(
        "QPushButton:checked { background: palette(highlight); color: palette(highlighted-text);"
        " border: 1px solid palette(highlight); border-radius: 3px; padding: 3px; }"));
    auto* choices = new QButtonGroup(m_scaleView);
    for (int tag = 0; tag < int(ratios::table.size()); ++tag) {
        auto* button = new QPushButton(ratios::title(tag), m_scaleView);
        button->setProperty("tag", tag);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(true);
        choices->addButton(button, tag);
        button->setMinimumWidth(56);
        connect(button, &QPushButton::clicked, this, [this, tag] { chooseFrameScale(tag); });
        grid->addWidget(button, tag / 3, tag % 3);
    }
    m_scaleView->hide();
}

// -- Ratio

void KLController::updateScaleTitle(double width, double height)
{
    const int index = ratios::indexForSize(width, height);
    current().ratioIndex = index;
    m_window->setRatioTitle(ratios::title(index));
}

void KLController::lockRatioButton(bool locked)
{
    m_window->setRatioLocked(locked);
}

void KLController::closePopUp()
{
    if (m_scaleWindow)
        m_scaleWindow->close();
    m_scaleWindow = nullptr;
}

void KLController::showFrameScale()
{
    if (m_scaleWindow) {
        // The button toggles its own pop-up; another pop-up just closes.
        const int tag = m_scaleWindow->tag();
        closePopUp();
        if (tag == tags::kRatioPopUp)
            return;
    }
    if (auto* choices = m_scaleView->findChild<QButtonGroup*>()) {
        if (QAbstractButton* shown = choices->button(current().ratioIndex))
            shown->setChecked(true);
    }
    m_scaleWindow = m_window->openRatioList(m_scaleView, tags::kRatioPopUp);
}

void KLController::chooseFrameScale(int tag)
{
    if (tag < 0 || tag >= int(ratios::table.size()))
        return;
    updateScaleTitle(ratios::table[tag].width, ratios::table[tag].height);
    closePopUp();
    if (m_currentMode == Mode::Template)
        m_canvas->resetAllImagesPosition();
    _selectLayoutIndex(m_currentMode);
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewUnselected);
}

// -- Zoom

QString KLController::zoomLabel(float zoom)
{
    if (zoom == 1.0f)
        return kit::localized("CANVAS_FIT");
    // Truncated toward zero; the small allowance keeps a factor such as 1.15
    // (1.1499999 in single precision) from reading 114%.
    return QStringLiteral("%1%").arg(int(std::trunc(double(zoom) * 100 + 1e-4)));
}

void KLController::canvasScaleChanged(std::optional<double> value)
{
    const double v = value ? *value : m_window->zoom();
    if (!std::isfinite(v))
        return;
    const float zoom = float(v);
    current().zoom = zoom;
    m_window->setZoom(v, maximumZoom(m_currentMode), zoomLabel(zoom));
    m_window->setScrollersShown(m_currentMode == Mode::Serial || zoom != 1.0f);
    recomputeCurrentFrame();
}

void KLController::zoomIn()
{
    // The next whole step above, so that steps stay on one grid.
    const double next = (std::floor(current().zoom / kZoomStep + 1e-6) + 1) * kZoomStep;
    canvasScaleChanged(std::min(next, maximumZoom(m_currentMode)));
}

void KLController::zoomOut()
{
    const double next = (std::ceil(current().zoom / kZoomStep - 1e-6) - 1) * kZoomStep;
    canvasScaleChanged(std::max(next, kMinimumZoom));
}

void KLController::zoomToFit()
{
    canvasScaleChanged(kMinimumZoom);
}

// -- Frames

void KLController::recomputeCurrentFrame()
{
    switch (m_currentMode) {
    case Mode::Template:
        updateCanvasFrame();
        break;
    case Mode::FreeLayout:
        updateFreeLayoutFrame();
        break;
    case Mode::Serial:
        updateCombinFrame();
        break;
    }
}

void KLController::updateCanvasFrame()
{
    const kit::Size r = ratios::table[m_modes[Mode::Template].ratioIndex];
    updateFrameWithRatioWidth(float(r.width), float(r.height), Mode::Template);
}

void KLController::updateFreeLayoutFrame()
{
    const kit::Size r = ratios::table[m_modes[Mode::FreeLayout].ratioIndex];
    updateFrameWithRatioWidth(float(r.width), float(r.height), Mode::FreeLayout);
}

void KLController::updateFrameWithRatioWidth(float ratioWidth, float ratioHeight, Mode mode)
{
    const kit::Size scroll(m_window->canvasAreaSize());
    const canvasgeometry::Frames f =
        canvasgeometry::ratioFrames(scroll, ratioWidth, ratioHeight, m_modes[mode].zoom);
    applyDocumentFrame(mode, f.document);
    m_modes[mode].canvas->setFrame(f.canvas);
}

void KLController::updateCombinFrame()
{
    const kit::Size scroll(m_window->canvasAreaSize());
    const canvasgeometry::Frames f =
        canvasgeometry::serialFrames(scroll, m_combinView->ratio(), m_modes[Mode::Serial].zoom);
    applyDocumentFrame(Mode::Serial, f.document);
    m_combinView->setFrame(f.canvas);
}

void KLController::combinViewDidUpdated()
{
    updateCombinFrame();
}

void KLController::applyDocumentFrame(Mode mode, const kit::Rect& document)
{
    m_modes[mode].documentFrame = document;
    const QSize size(std::max(0, int(std::ceil(document.width() - 1e-9))),
                     std::max(0, int(std::ceil(document.height() - 1e-9))));
    kit::ViewHost* host = m_modes[mode].host;
    if (host->size() != size)
        host->resize(size);
    // A hidden host gets its resize event only when shown; its views are
    // placed for this size now.
    host->viewWindow()->setContentSize(kit::Size(size.width(), size.height()));
    host->update();
}

// -- Resizes

void KLController::windowDidResize()
{
    m_window->centreTitleBar();
    m_libraries->layoutAll();
    recomputeCurrentFrame();
}

void KLController::splitViewDidResizeSubviews()
{
    recomputeCurrentFrame();
    m_libraries->layoutAll();
}
