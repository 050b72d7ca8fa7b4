#include "klthumbnailview.h"

#include "kit/graphicscontext.h"
#include "kit/path.h"

#include <algorithm>

namespace {

// Width of the ring drawn outside a focused cell, in points.
constexpr double kRingWidth = 3;
const QColor kRingColor(59, 153, 252);
// An empty cell (thumbnail missing or still being made).
const QColor kPlaceholderColor(0, 0, 0, 28);
// The badge of the entry in use: a blue disc with a white tick.
constexpr double kBadgeRadius = 8;

void drawBadge(kit::GraphicsContext& gc, const kit::Rect& b)
{
    const kit::Point centre { b.maxX() - kBadgeRadius - 1, b.minY() + kBadgeRadius + 1 };
    auto disc = [&](double r) {
        return kit::Path::roundedRect({ centre.x - r, centre.y - r, 2 * r, 2 * r }, r, r);
    };
    gc.setColor(Qt::white);
    gc.fill(disc(kBadgeRadius + 1));
    gc.setColor(kRingColor);
    gc.fill(disc(kBadgeRadius));
    kit::Path tick;
    tick.moveTo({ centre.x - 4, centre.y });
    tick.lineTo({ centre.x - 1, centre.y - 3 });
    tick.lineTo({ centre.x + 4, centre.y + 3 });
    gc.setColor(Qt::white);
    gc.stroke(tick, 2);
}

} // namespace

KLThumbnailView::KLThumbnailView(const kit::Rect& frame) : kit::View(frame) { }

void KLThumbnailView::_setImage(const kit::Image& image)
{
    m_image = image;
    setNeedsDisplay();
}

void KLThumbnailView::_setMarked(bool marked)
{
    if (m_marked == marked)
        return;
    m_marked = marked;
    setNeedsDisplay();
}

kit::Rect KLThumbnailView::imageRect() const
{
    const kit::Rect b = bounds();
    const kit::Size s = m_image.size();
    if (s.isEmpty() || b.isEmpty())
        return {};
    const double scale = std::min(b.width() / s.width, b.height() / s.height);
    const double w = s.width * scale, h = s.height * scale;
    return { (b.width() - w) / 2, (b.height() - h) / 2, w, h };
}

void KLThumbnailView::drawRect(kit::GraphicsContext& gc, const kit::Rect&)
{
    const kit::Rect b = bounds();
    if (m_image.isNull()) {
        gc.setColor(kPlaceholderColor);
        gc.fillRoundedRect(b.insetBy(2, 2), 4, 4);
    } else {
        gc.drawImage(m_image, imageRect());
    }
    if (m_marked)
        drawBadge(gc, b);
    if (m_showsFocusRing && isFirstResponder()) {
        gc.setColor(kRingColor);
        const double d = kRingWidth / 2;
        gc.stroke(kit::Path::roundedRect(b.insetBy(-d, -d), 3, 3), kRingWidth);
    }
}
