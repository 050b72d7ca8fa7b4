#include "kltextview.h"

#include <cmath>

KLTextView::KLTextView(const kit::Rect& frame) : kit::View(frame)
{
    m_scaleHeight = frame.height() - 16;
}

void KLTextView::updateFrame()
{
    const kit::View* parent = superview();
    const kit::Rect outer = parent ? parent->frame() : kit::Rect {};
    setFrameOrigin({ outer.width() * m_location.x, outer.height() * m_location.y });
    const kit::Rect inner = parent ? parent->bounds() : kit::Rect {};
    if (std::isnan(inner.width()) || std::isnan(inner.height()))
        return;
    const double height = inner.height() * m_size.height;
    setFrameSize({ m_size.ratio * height, height });
}

void KLTextView::_setText(const QString& text)
{
    m_text = text;
    setNeedsDisplay();
}
