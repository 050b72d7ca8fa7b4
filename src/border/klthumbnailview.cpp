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

} // namespace

KLThumbnailView::KLThumbnailView(const kit::Rect& frame) : kit::View(frame) { }

void KLThumbnailView::_setImage(const kit::Image& image)
{
    m_image = image;
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
    if (m_showsFocusRing && isFirstResponder()) {
        gc.setColor(kRingColor);
        const double d = kRingWidth / 2;
        gc.stroke(kit::Path::roundedRect(b.insetBy(-d, -d), 3, 3), kRingWidth);
    }
}
