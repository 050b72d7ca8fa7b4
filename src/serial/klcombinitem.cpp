#include "klcombinitem.h"

#include "kit/graphicscontext.h"
#include "kit/localisation.h"
#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"
#include "kit/path.h"

#include <cmath>

namespace {

// The key view's ring, drawn inside the photo (the column's gaps are narrow).
constexpr double kRingWidth = 3;
const QColor kRingColor(59, 153, 252);

} // namespace

KLCombinItem::KLCombinItem(const kit::Rect& frame) : kit::View(frame) { }

void KLCombinItem::_setImage(const kit::Image& image)
{
    m_image = image;
    setNeedsDisplay();
}

void KLCombinItem::_setSelected(bool selected)
{
    m_selected = selected;
    setNeedsDisplay();
}

void KLCombinItem::drawRect(kit::GraphicsContext& gc, const kit::Rect&)
{
    if (m_image.isNull())
        return;
    const kit::Rect b = bounds();
    gc.drawImage(m_image, b, std::nullopt, kit::CompositeOp::Copy);
    if (isFirstResponder()) {
        gc.setColor(kRingColor);
        const double d = kRingWidth / 2;
        gc.stroke(kit::Path::rect(b.insetBy(d, d)), kRingWidth);
    }
}

void KLCombinItem::imagesToDraw(std::vector<std::pair<kit::Image, QSize>>& out, double scale) const
{
    const kit::Rect b = bounds();
    if (m_image.isNull() || b.isEmpty())
        return;
    out.emplace_back(m_image,
                     QSize(int(std::ceil(b.width() * scale)), int(std::ceil(b.height() * scale))));
}

void KLCombinItem::keyDown(const kit::KeyEvent& e)
{
    if (e.keyCode == kit::KeyCode::Delete)
        remove();
}

void KLCombinItem::rightMouseDown(const kit::MouseEvent&)
{
    kit::NotificationCenter::defaultCenter().post(kit::kLayoutClearResponder, this);
}

std::optional<kit::Menu> KLCombinItem::menuForEvent(const kit::MouseEvent&)
{
    kit::MenuItem entry;
    entry.title = kit::localized("REMOVE_ITEM");
    // The menu may outlive the item (a clear while it is open).
    entry.action = [item = kit::ViewRef(this)] {
        if (auto* self = static_cast<KLCombinItem*>(item.get()))
            self->remove();
    };
    return kit::Menu { { entry } };
}

void KLCombinItem::remove()
{
    kit::NotificationCenter::defaultCenter().post(kit::kCombinItemDeleted, this);
}
