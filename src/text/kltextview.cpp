#include "kltextview.h"

#include "textoutline.h"

#include "kit/graphicscontext.h"
#include "kit/notificationcenter.h"
#include "kit/notificationnames.h"

#include <cmath>

#include <QPainter>

namespace {

// The selection marks are drawn in pure blue.
const QColor kMarkColor(0, 0, 255);
constexpr double kHandleSide = 10;

// `c` with its alpha replaced by `alpha`, unless alpha is exactly 1.
QColor withOpacity(QColor c, double alpha)
{
    if (alpha != 1.0)
        c.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return c;
}

double finiteOr0(double v)
{
    return std::isfinite(v) ? v : 0;
}

} // namespace

KLTextView::KLTextView(const kit::Rect& frame) : kit::View(frame)
{
    const TextStyle factory = factoryTextStyle();
    m_shadowColor = *factory.shadowColor;
    // The font is drawn at its nominal size when the caption is 16 higher
    // than its text box; a caption too low for that starts at its own height
    // rather than with a reference that would turn the text upside down.
    m_scaleHeight = frame.height() > 16 ? frame.height() - 16 : frame.height();
    buildContextMenu();
}

// -- Place and size

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

void KLTextView::setFrameSize(kit::Size size)
{
    kit::View::setFrameSize(size);
    _updateText();
}

void KLTextView::storeRelativeFrame()
{
    const kit::View* parent = superview();
    if (!parent)
        return;
    const kit::Size outer = parent->frame().size;
    const kit::Rect r = unrotatedFrame();
    if (!(outer.width > 0) || !(outer.height > 0) || !(r.height() > 0))
        return;
    m_location = { r.x() / outer.width, r.y() / outer.height };
    m_size = { r.width() / r.height(), r.height() / outer.height };
}

double KLTextView::knobStripHeight() const
{
    const kit::View* parent = superview();
    return parent ? kit::f32(0.03 * parent->frame().width()) : 0;
}

kit::Rect KLTextView::dragCornerRect(int index) const
{
    const double w = bounds().width(), h = bounds().height();
    const double m = knobStripHeight();
    switch (index) {
    case BottomLeft:
        return { 0, 0, kHandleSide, kHandleSide };
    case BottomRight:
        return { w - 10, 0, kHandleSide, kHandleSide };
    case TopLeft:
        return { 0, h - m - 9, kHandleSide, kHandleSide };
    case TopRight:
        return { w - 10, h - m - 9, kHandleSide, kHandleSide };
    case Knob:
        return { w / 2, h - 10, kHandleSide, kHandleSide };
    default:
        return {};
    }
}

// -- Look

void KLTextView::_updateText()
{
    if (m_deferLayout > 0) {
        m_layoutPending = true;
        return;
    }
    if (!m_text || !m_font)
        return;
    m_textPath = captionOutline(*m_text, *m_font, m_scaleHeight, bounds().size);
    setNeedsDisplay();
}

void KLTextView::_setText(const QString& text)
{
    m_text = text.isNull() ? QString(QLatin1String("")) : text;
    _updateText();
}

void KLTextView::_setFont(const QFont& font)
{
    m_font = font;
    _updateText();
}

void KLTextView::_setTextColor(const QColor& color)
{
    m_textColor = color.isValid() ? color : QColor(Qt::black);
    _updateText();
}

void KLTextView::_setStrokeColor(const std::optional<QColor>& color)
{
    m_strokeColor = color && color->isValid() ? color : std::nullopt;
    _updateText();
}

void KLTextView::_setStrokeWidth(double width)
{
    m_strokeWidth = clampedStyleValue(width, 0, TextStyleLimits::MaxStrokeWidth);
    if (m_strokeColor)
        _updateText();
}

void KLTextView::_setOpacity(double opacity)
{
    m_opacity = clampedStyleValue(opacity, 0, 100);
    _updateText();
}

void KLTextView::_setDropShadow(bool on)
{
    m_dropShadow = on;
    _updateText();
}

void KLTextView::_setShadowColor(const std::optional<QColor>& color)
{
    m_shadowColor = color && color->isValid() ? *color : QColor(Qt::gray);
    if (m_dropShadow)
        _updateText();
}

void KLTextView::_setShadowDegree(double degrees)
{
    m_shadowDegree =
        clampedStyleValue(degrees, -TextStyleLimits::MaxDegree, TextStyleLimits::MaxDegree);
    if (m_dropShadow)
        _updateText();
}

void KLTextView::_setShadowOffset(double offset)
{
    m_shadowOffset = clampedStyleValue(offset, -TextStyleLimits::MaxShadowOffset,
                                       TextStyleLimits::MaxShadowOffset);
    if (m_dropShadow)
        _updateText();
}

void KLTextView::_setShadowRadius(double radius)
{
    m_shadowRadius = clampedStyleValue(radius, 0, TextStyleLimits::MaxShadowBlur);
    if (m_dropShadow)
        _updateText();
}

// -- Drawing

void KLTextView::drawRect(kit::GraphicsContext& gc, const kit::Rect&)
{
    gc.save();
    if (isFirstResponder() && !m_saving)
        drawSelection(gc);
    if (m_editing && !m_saving)
        drawEditingMarks(gc);
    drawText(gc);
    gc.restore();
}

void KLTextView::drawSelection(kit::GraphicsContext& gc)
{
    const double w = bounds().width(), h = bounds().height();
    const double m = knobStripHeight();
    QPainter& p = gc.painter();
    p.save();
    // Dashes of 5 on and 3 off at a line width of 2 (Qt counts in widths).
    QPen dashed(kMarkColor, 2);
    dashed.setDashPattern({ 2.5, 1.5 });
    dashed.setDashOffset(0.5);
    dashed.setCapStyle(Qt::FlatCap);
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0, 0.5, w, h - m));
    p.restore();

    gc.setColor(kMarkColor);
    for (int i = BottomLeft; i <= TopRight; ++i)
        gc.fillRect(dragCornerRect(i));
    const kit::Rect knob = dragCornerRect(Knob);
    QPainterPath circle;
    circle.addEllipse(knob.centre().toQt(), 5, 5);
    gc.fill(kit::Path(circle));
    kit::Path stem;
    stem.moveTo({ w / 2 + 5, h - 10 });
    stem.lineTo({ w / 2 + 5, h - m });
    gc.stroke(stem, 3);
}

void KLTextView::drawText(kit::GraphicsContext& gc)
{
    if (text().isEmpty() || m_textPath.isEmpty())
        return;
    const double alpha = finiteOr0(m_opacity) / 100;
    if (m_dropShadow) {
        const double d = kit::f32(m_shadowOffset / 50 * m_textPath.bounds().height());
        // The angle uses 3.14, not pi, so that shadows fall as they always have.
        const double theta = kit::f32(m_shadowDegree / 180 * 3.14);
        gc.setShadow({ m_shadowRadius,
                       { std::sin(theta) * d, std::cos(theta) * d },
                       withOpacity(m_shadowColor, alpha) });
    }
    gc.setColor(withOpacity(m_textColor, alpha));
    gc.fill(m_textPath);
    if (m_strokeWidth > 1 && m_strokeColor) {
        // The outline casts no shadow of its own.
        if (m_dropShadow)
            gc.clearShadow();
        gc.setColor(withOpacity(*m_strokeColor, alpha));
        gc.stroke(m_textPath, kit::f32(m_strokeWidth / 100 * bounds().height()));
    }
}

void KLTextView::drawEditingMarks(kit::GraphicsContext& gc)
{
    const double h = bounds().height() - knobStripHeight();
    const kit::Rect box =
        m_textPath.isEmpty() ? kit::Rect(bounds().width() / 2, h / 2, 0, 0) : m_textPath.bounds();
    if (m_replaceOnType && !m_textPath.isEmpty()) {
        gc.setColor(QColor(0, 120, 215, 60));
        gc.fillRect(box.insetBy(-2, -2));
    }
    gc.setColor(kMarkColor);
    const double caretHeight = std::max(box.height(), h * 0.5);
    const double midY = m_textPath.isEmpty() ? h / 2 : box.midY();
    gc.fillRect({ box.maxX() + 2, midY - caretHeight / 2, 1.5, caretHeight });
}

// -- Notifications

void KLTextView::post(const kit::NotificationName<KLTextView*>& name)
{
    kit::NotificationCenter::defaultCenter().post(name, this);
}

void KLTextView::redrawSiblings()
{
    if (kit::View* parent = superview()) {
        for (const auto& sub : parent->subviews())
            sub->setNeedsDisplay();
    }
}
