// KLController: the canvas ratio and its pop-up list, the zoom, the frames
// of the canvases in the main scroll view, and window and split-view resizes.

#include "klcontroller.h"

#include "canvasgeometry.h"
#include "klmainwindow.h"
#include "placeholdercanvas.h"
#include "ratiotable.h"

#include "chrome/klattachedwindow.h"
#include "chrome/kltabbarview.h"
#include "chrome/kltitlebargroup.h"
#include "kit/localisation.h"
#include "kit/notificationnames.h"
#include "kit/viewhost.h"
#include "template/klresourceview.h"

#include <cmath>

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

void KLController::buildRatioView()
{
    // The content of the ratio pop-up: one button per table entry, tagged
    // with its index. Kept hidden in the window while the pop-up is closed.
    m_scaleView = new QWidget(m_window.get());
    m_scaleView->setObjectName(QStringLiteral("scaleView"));
    auto* grid = new QGridLayout(m_scaleView);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    for (int tag = 0; tag < int(ratios::table.size()); ++tag) {
        auto* button = new QPushButton(ratios::title(tag), m_scaleView);
        button->setProperty("tag", tag);
        button->setFocusPolicy(Qt::NoFocus);
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
    m_currentScaleIndex[m_currentIndex] = index;
    m_window->titlebarView()->scaleButton()->setText(ratios::title(index));
}

void KLController::lockRatioButton(bool locked)
{
    QPushButton* button = m_window->titlebarView()->scaleButton();
    button->setEnabled(!locked);
    button->setToolTip(kit::localized(locked ? "TOOLTIP_RATIO_LOCKED" : "TOOLTIP_RATIO"));
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
        if (tag == 100)
            return;
    }
    QPushButton* button = m_window->titlebarView()->scaleButton();
    // The list hangs below the button, its arrow pointing up at it.
    auto* popUp = new KLAttachedWindow(m_scaleView, QPoint(button->width() / 2, button->height()),
                                       button, KLAttachedWindow::Side::Lower, 3);
    popUp->setBorderColor(Qt::white);
    popUp->setBorderWidth(2);
    popUp->setBackgroundColor(QColor(0x3a, 0x3a, 0x3c));
    popUp->setCornerRadius(4);
    popUp->setHasArrow(true);
    popUp->setViewMargin(5);
    popUp->setTag(100);
    // A press on the button leaves the toggling to the button.
    popUp->addPassThroughWidget(button);
    m_scaleWindow = popUp;
    popUp->show();
    popUp->raise();
    popUp->activateWindow();
}

void KLController::chooseFrameScale(int tag)
{
    if (tag < 0 || tag >= int(ratios::table.size()))
        return;
    updateScaleTitle(ratios::table[tag].width, ratios::table[tag].height);
    closePopUp();
    if (m_currentIndex == TemplateMode)
        m_canvas->resetAllImagesPosition();
    _selectLayoutIndex(m_currentIndex);
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
    KLTitleBarGroup* group = m_window->titlebarView();
    const double v = value ? *value : group->zoomValue();
    if (!std::isfinite(v))
        return;
    const float zoom = float(v);
    m_canvasScales[m_currentIndex] = zoom;
    if (value)
        group->setZoomValue(v);

    const bool scrollers = m_currentIndex == SerialMode || zoom != 1.0f;
    const auto policy = scrollers ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    m_window->scrollView()->setHorizontalScrollBarPolicy(policy);
    m_window->scrollView()->setVerticalScrollBarPolicy(policy);
    group->imageScaleLabel()->setText(zoomLabel(zoom));
    recomputeCurrentFrame();
}

// -- Frames

void KLController::recomputeCurrentFrame()
{
    switch (m_currentIndex) {
    case TemplateMode:
        updateCanvasFrame();
        break;
    case FreeLayoutMode:
        updateFreeLayoutFrame();
        break;
    case SerialMode:
        updateCombinFrame();
        break;
    default:
        break;
    }
}

void KLController::updateCanvasFrame()
{
    const kit::Size r = ratios::table[m_currentScaleIndex[TemplateMode]];
    updateFrameWithRatioWidth(float(r.width), float(r.height), TemplateMode);
}

void KLController::updateFreeLayoutFrame()
{
    const kit::Size r = ratios::table[m_currentScaleIndex[FreeLayoutMode]];
    updateFrameWithRatioWidth(float(r.width), float(r.height), FreeLayoutMode);
}

void KLController::updateFrameWithRatioWidth(float ratioWidth, float ratioHeight, int mode)
{
    const kit::Size scroll(m_window->scrollView()->size());
    const canvasgeometry::Frames f =
        canvasgeometry::ratioFrames(scroll, ratioWidth, ratioHeight, m_canvasScales[mode]);
    applyDocumentFrame(mode, f.document);
    m_canvases[mode]->setFrame(f.canvas);
}

void KLController::updateCombinFrame()
{
    const kit::Size scroll(m_window->scrollView()->size());
    const canvasgeometry::Frames f =
        canvasgeometry::serialFrames(scroll, m_combinView->ratio(), m_canvasScales[SerialMode]);
    applyDocumentFrame(SerialMode, f.document);
    m_combinView->setFrame(f.canvas);
}

void KLController::combinViewDidUpdated()
{
    updateCombinFrame();
}

void KLController::applyDocumentFrame(int mode, const kit::Rect& document)
{
    m_documentFrames[mode] = document;
    const QSize size(std::max(0, int(std::ceil(document.width() - 1e-9))),
                     std::max(0, int(std::ceil(document.height() - 1e-9))));
    kit::ViewHost* host = m_containerHosts[mode];
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
    m_window->titlebarView()->centreInParent();
    layoutLibraries();
    recomputeCurrentFrame();
}

void KLController::splitViewDidResizeSubviews()
{
    m_window->frameBar()->layoutSubview();
    recomputeCurrentFrame();
    layoutLibraries();
}

bool KLController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_window->scrollView()) {
            recomputeCurrentFrame();
        } else {
            for (int page = 0; page < 3; ++page) {
                if (watched == m_window->pageScrollView(page)->viewport())
                    layoutLibrary(page);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
