#include "klfreelayoutview.h"

#include "klfreelayoutitem.h"

#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/window.h"
#include "text/kltextview.h"

#include <algorithm>

namespace {

// The container is the bounds inset by this much on every side.
constexpr double kContainerInset = 4;
// Each photo of one command lies this fraction of the container further
// right and down than the one before.
constexpr double kCascadeStep = 0.03;

} // namespace

KLFreeLayoutView::KLFreeLayoutView(const kit::Rect& frame) : KLCanvasView(frame)
{
    m_boundView =
        addSubview(std::make_unique<kit::View>(bounds().insetBy(kContainerInset, kContainerInset)));
    setCaptionContainer(m_boundView);
    auto& centre = kit::NotificationCenter::defaultCenter();
    m_observations.push_back(centre.addObserver(
        kit::kFreeLayoutItemDeleted, [this](KLFreeLayoutItem* item) { layoutItemDeleted(item); }));
    m_observations.push_back(
        centre.addObserver(kit::kFreeLayoutItemSelected,
                           [this](KLFreeLayoutItem* item) { layoutItemSelected(item); }));
}

KLFreeLayoutView::~KLFreeLayoutView() = default;

const QLoggingCategory& KLFreeLayoutView::logCategory() const
{
    return kit::lcFree();
}

// -- Prints

KLFreeLayoutItem* KLFreeLayoutView::addImageFromPath(const QString& path, kit::Point at)
{
    QStringList failures;
    const std::optional<kit::Image> image = loadPhoto(path, failures);
    reportUnreadablePhotos(failures);
    return image ? addImage(*image, at) : nullptr;
}

KLFreeLayoutItem* KLFreeLayoutView::addImage(const kit::Image& image, kit::Point at)
{
    if (image.isNull())
        return nullptr;
    auto* item = m_boundView->addSubview(std::make_unique<KLFreeLayoutItem>());
    m_items.push_back(item);
    item->initLayoutWithImage(image, m_boundView->convertPointFromView(at, this));

    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kTextViewUnselected);
    if (kit::Window* w = window())
        w->makeFirstResponder(item);
    item->setNeedsDisplay();
    centre.post(kit::kFreeLayoutItemSelected, item);
    return item;
}

void KLFreeLayoutView::addPhotos(const std::vector<kit::Image>& photos)
{
    const kit::Rect area = m_boundView->frame();
    kit::Point at = area.centre();
    for (const kit::Image& photo : photos) {
        if (addImage(photo, at))
            at = at + kit::Point(kCascadeStep * area.width(), -kCascadeStep * area.height());
    }
}

void KLFreeLayoutView::removeAllPhotos()
{
    for (KLFreeLayoutItem* item : m_items)
        item->removeFromSuperview(); // the returned owner destroys it
    m_items.clear();
}

void KLFreeLayoutView::layoutItemDeleted(KLFreeLayoutItem* item)
{
    const auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it == m_items.end())
        return;
    m_items.erase(it);
    item->removeFromSuperview();
    setNeedsDisplay();
}

void KLFreeLayoutView::layoutItemSelected(KLFreeLayoutItem* item)
{
    if (std::find(m_items.begin(), m_items.end(), item) != m_items.end())
        redrawContents();
}

// -- Layout

void KLFreeLayoutView::layoutContent()
{
    // Set up in the constructor, after the base's first layout.
    if (!m_boundView)
        return;
    m_boundView->setFrame(bounds().insetBy(kContainerInset, kContainerInset));
    const auto& subs = m_boundView->subviews();
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
        if (auto* item = dynamic_cast<KLFreeLayoutItem*>(it->get()))
            item->updateFrame();
    }
}

// -- Selection

void KLFreeLayoutView::redrawContents()
{
    setNeedsDisplay();
    for (const auto& sub : m_boundView->subviews())
        sub->setNeedsDisplay();
}

void KLFreeLayoutView::clearResponder()
{
    KLCanvasView::clearResponder();
    redrawContents();
}

void KLFreeLayoutView::mouseDown(const kit::MouseEvent&)
{
    clearResponder();
}

void KLFreeLayoutView::keyDown(const kit::KeyEvent& e)
{
    if (e.keyCode == kit::KeyCode::Escape)
        clearResponder();
}

// -- Drops

bool KLFreeLayoutView::performDragOperation(const kit::DragInfo& info)
{
    if (info.fileNames.isEmpty())
        return false;
    // Refused when the file is no photo (the person is told which): the
    // drop added nothing.
    return addImageFromPath(info.fileNames.front(),
                            convertPointFromView(info.locationInWindow, nullptr))
        != nullptr;
}
