#include "graphicscontext.h"

#include <cmath>

#include <QPainter>

namespace kit {

struct GraphicsContext::State
{
    QColor color = Qt::black;
    std::optional<Shadow> shadow;
};

GraphicsContext::GraphicsContext(QPainter& painter) : m_painter(painter)
{
    m_stack.emplace_back();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

GraphicsContext::~GraphicsContext() = default;

GraphicsContext::State& GraphicsContext::state()
{
    return m_stack.back();
}
const GraphicsContext::State& GraphicsContext::state() const
{
    return m_stack.back();
}

void GraphicsContext::save()
{
    m_painter.save();
    m_stack.push_back(m_stack.back());
}

void GraphicsContext::restore()
{
    if (m_stack.size() <= 1)
        return;
    m_stack.pop_back();
    m_painter.restore();
}

void GraphicsContext::setColor(const QColor& c)
{
    state().color = c;
}
QColor GraphicsContext::color() const
{
    return state().color;
}

void GraphicsContext::setShadow(const Shadow& s)
{
    state().shadow = s;
}
void GraphicsContext::clearShadow()
{
    state().shadow.reset();
}
std::optional<Shadow> GraphicsContext::shadow() const
{
    return state().shadow;
}

void GraphicsContext::clip(const Path& path)
{
    m_painter.setClipPath(path.toQt(), Qt::IntersectClip);
}
void GraphicsContext::clipToRect(const Rect& r)
{
    m_painter.setClipRect(r.toQt(), Qt::IntersectClip);
}

void GraphicsContext::concat(const AffineTransform& t)
{
    m_painter.setTransform(t.toQt(), true);
}
void GraphicsContext::translate(double dx, double dy)
{
    m_painter.translate(dx, dy);
}

void GraphicsContext::fillRect(const Rect& r)
{
    m_painter.fillRect(r.toQt(), state().color);
}
void GraphicsContext::fill(const Path& path)
{
    m_painter.fillPath(path.toQt(), state().color);
}

void GraphicsContext::stroke(const Path& path, double lineWidth)
{
    m_painter.strokePath(path.toQt(), QPen(state().color, lineWidth));
}

void GraphicsContext::fillRoundedRect(const Rect& r, double rx, double ry)
{
    fill(Path::roundedRect(r, rx, ry));
}

void GraphicsContext::drawImage(const Image& image, const Rect& dest, std::optional<Rect> source,
                                CompositeOp op, double opacity)
{
    if (image.isNull() || dest.isEmpty())
        return;
    const QImage pixels = image.fullPixels();
    const QRectF src = source
        ? QRectF(source->x(), image.height() - source->maxY(), source->width(), source->height())
        : QRectF(pixels.rect());
    m_painter.save();
    m_painter.translate(dest.minX(), dest.maxY());
    m_painter.scale(1, -1);
    m_painter.setOpacity(m_painter.opacity() * opacity);
    if (op == CompositeOp::Copy)
        m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.drawImage(QRectF(0, 0, dest.width(), dest.height()), pixels, src);
    m_painter.restore();
}

void GraphicsContext::setHighQuality(bool on)
{
    m_highQuality = on;
}
bool GraphicsContext::highQuality() const
{
    return m_highQuality;
}

double GraphicsContext::deviceScale() const
{
    const QTransform t = m_painter.deviceTransform();
    return std::sqrt(std::abs(t.determinant()));
}

} // namespace kit
