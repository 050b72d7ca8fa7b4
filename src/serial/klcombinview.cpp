#include "klcombinview.h"

#include "combinlayout.h"

#include "kit/animator.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "kit/render.h"
#include "kit/window.h"
#include "text/kltextview.h"

#include <algorithm>

namespace {

// The stacking key of captions, above every photo.
constexpr int kCaptionTag = 10000;

int stackingTag(const kit::View* v)
{
    return dynamic_cast<const KLCombinItem*>(v) ? v->tag() : kCaptionTag;
}

} // namespace

KLCombinView::KLCombinView(const kit::Rect& frame) : KLCanvasView(frame)
{
    m_observation = kit::NotificationCenter::defaultCenter().addObserver(
        kit::kCombinItemDeleted, [this](KLCombinItem* item) { combinItemDeleted(item); });
}

KLCombinView::~KLCombinView() = default;

// -- Photos

bool KLCombinView::addImage(const kit::Image& image)
{
    return addImages({ image }) == 1;
}

int KLCombinView::addImages(const std::vector<kit::Image>& images)
{
    int added = 0;
    for (const kit::Image& image : images) {
        // A photo without pixels would make the column infinitely tall.
        if (image.isNull()) {
            kit::log(logCategory(),
                     QStringLiteral("Load image from %1 failed!").arg(image.filePath()));
            continue;
        }
        _createItemWithImage(image);
        ++added;
    }
    if (added == 0)
        return 0;
    _updateRatio();
    raiseCaptions();
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kCombinViewUpdated);
    centre.post(kit::kTextViewUnselected);
    // The new photos' levels for the size they are shown at, decoded in
    // parallel rather than one by one in the next redraw.
    kit::prepareImages(*this, 1.0);
    return added;
}

void KLCombinView::addPhotos(const std::vector<kit::Image>& photos)
{
    addImages(photos);
}

KLCombinItem* KLCombinView::_createItemWithImage(const kit::Image& image)
{
    KLCombinItem* item = addSubview(std::make_unique<KLCombinItem>());
    m_items.push_back(item);
    item->_setImage(image);
    return item;
}

void KLCombinView::keepRatio(float ratio)
{
    if (!m_items.empty() || !(ratio > 0) || ratio == m_ratio)
        return;
    m_ratio = ratio;
    kit::NotificationCenter::defaultCenter().post(kit::kCombinViewUpdated);
}

void KLCombinView::_updateRatio()
{
    std::vector<kit::Size> sizes;
    sizes.reserve(m_items.size());
    for (const KLCombinItem* item : m_items)
        sizes.push_back(item->image().size());
    m_ratio = combinlayout::contentRatio(sizes);
}

void KLCombinView::combinItemDeleted(KLCombinItem* item)
{
    auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it == m_items.end())
        return;
    m_items.erase(it);
    if (m_selectedItem == item)
        m_selectedItem = nullptr;
    item->removeFromSuperview(); // the returned owner destroys it
    _updateRatio();
    setNeedsDisplay();
    kit::NotificationCenter::defaultCenter().post(kit::kCombinViewUpdated);
}

void KLCombinView::removeAllPhotos()
{
    m_selectedItem = nullptr;
    for (KLCombinItem* item : m_items)
        item->removeFromSuperview();
    m_items.clear();
}

double KLCombinView::captionHeight(double styleHeight) const
{
    return styleHeight * frame().height();
}

const QLoggingCategory& KLCombinView::logCategory() const
{
    return kit::lcSerial();
}

// -- Layout

void KLCombinView::_layout(bool animate)
{
    m_layoutInProgress = true;
    const unsigned pass = ++m_layoutPass;

    std::vector<kit::Size> sizes;
    sizes.reserve(m_items.size());
    for (const KLCombinItem* item : m_items)
        sizes.push_back(item->image().size());
    const combinlayout::Column column = combinlayout::layout(bounds().width(), sizes);

    kit::Animator::Targets targets;
    for (size_t k = 0; k < m_items.size(); ++k) {
        KLCombinItem* item = m_items[k];
        if (!item->selected())
            targets.emplace_back(item, column.frames[k]);
        item->setNeedsDisplay();
    }
    // Without animation the frames are set at once; the group still
    // completes on a later turn of the event loop, never inside this call.
    kit::Animator::shared().animate(targets, animate ? kLayoutAnimationMs : 0,
                                    [self = kit::ViewRef(this), pass] {
                                        auto* canvas = static_cast<KLCombinView*>(self.get());
                                        if (canvas && canvas->m_layoutPass == pass)
                                            canvas->m_layoutInProgress = false;
                                    });
    raiseCaptions();
    setNeedsDisplay();
}

void KLCombinView::restack()
{
    sortSubviews(
        [](const kit::View* a, const kit::View* b) { return stackingTag(a) < stackingTag(b); });
}

// -- Grabbing and reordering

void KLCombinView::mouseDown(const kit::MouseEvent& e)
{
    m_selectedItem = nullptr;
    const kit::Point p = convertPointFromView(e.locationInWindow, nullptr);
    KLCombinItem* hit = nullptr;
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        (*it)->setTag(0);
        if ((*it)->frame().contains(p)) {
            hit = *it;
            break;
        }
    }
    if (hit) {
        hit->setTag(KLCombinItem::kGrabbedTag);
        m_selectedItem = hit;
        // A photo still sliding into place stops where the pointer took it.
        kit::Animator::shared().stop(hit);
        hit->_setSelected(true);
        m_clickedPoint = p;
        m_originalPoint = hit->frame().origin;
        restack();
    } else {
        if (kit::Window* w = window())
            w->makeFirstResponder(this);
        for (KLTextView* caption : textItems()) {
            caption->resignFirstResponder();
            caption->setNeedsDisplay();
        }
    }
    kit::NotificationCenter::defaultCenter().post(kit::kTextViewUnselected);
}

void KLCombinView::mouseDragged(const kit::MouseEvent& e)
{
    KLCombinItem* selected = m_selectedItem;
    if (!selected)
        return;
    const kit::Point p = convertPointFromView(e.locationInWindow, nullptr);
    const kit::Rect start = selected->frame();
    selected->setFrameOrigin({ start.x(), p.y - m_clickedPoint.y + m_originalPoint.y });
    for (KLCombinItem* item : m_items)
        item->setNeedsDisplay();
    setNeedsDisplay();
    if (m_layoutInProgress)
        return;

    int target = -1;
    for (int i = int(m_items.size()) - 1; i >= 0; --i) {
        KLCombinItem* item = m_items[size_t(i)];
        if (item == selected)
            continue;
        item->setTag(0);
        if (item->frame().contains(p)) {
            target = i;
            break;
        }
    }
    if (target < 0)
        return;

    const kit::Rect s = selected->frame();
    const kit::Rect t = m_items[size_t(target)]->frame();
    const double sy = s.y(), sh = s.height(), ty = t.y(), th = t.height();
    // Dragged down onto the target: the bottom edge is in its lower half.
    const bool down = ty < sy && sy < ty + th / 2;
    // Dragged up onto the target: the top edge is in its upper half.
    const bool up = sy < ty && ty + th / 2 < sy + sh && sy + sh < ty + th;
    if (!down && !up)
        return;
    m_items.erase(std::find(m_items.begin(), m_items.end(), selected));
    m_items.insert(m_items.begin() + target, selected);
    _layout(true);
}

void KLCombinView::mouseUp(const kit::MouseEvent&)
{
    if (!m_selectedItem)
        return;
    m_selectedItem->_setSelected(false);
    _layout(true);
}

// -- Drops

bool KLCombinView::performDragOperation(const kit::DragInfo& info)
{
    if (info.fileNames.isEmpty())
        return false;
    // Only the first file: the column takes one photo per drop.
    // Refused when the file is no photo (the person is told which).
    std::optional<kit::Image> image = loadPhotos({ info.fileNames.front() }).front();
    if (!image)
        return false;
    addImage(*image);
    return true;
}
