#include "graphicscontext.h"

#include "alphablur.h"
#include "imageplan.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

namespace kit {

struct GraphicsContext::State
{
    QColor color = Qt::black;
    std::optional<Shadow> shadow;
};

namespace {

double devicePixelRatio(const QPainter& p)
{
    return p.device() ? p.device()->devicePixelRatio() : 1.0;
}

// The painted device in device pixels, in the space that deviceTransform()
// maps to. Images and pixmaps report their pixel size, widgets their size in
// logical units. A widget inside a window is painted into the window's
// backing store at the widget's offset, which deviceTransform() includes; the
// engine's device (the backing store) is then the one whose pixels count.
QRect deviceRect(const QPainter& p)
{
    const QPaintEngine* engine = p.paintEngine();
    const QPaintDevice* d = engine && engine->paintDevice() ? engine->paintDevice() : p.device();
    if (!d)
        return {};
    if (d->devType() == QInternal::Image || d->devType() == QInternal::Pixmap)
        return { 0, 0, d->width(), d->height() };
    const double dpr = d->devicePixelRatio();
    return { 0, 0, int(std::ceil(d->width() * dpr)), int(std::ceil(d->height() * dpr)) };
}

// The device pixels that drawing can still change: the device within the clip.
QRect visibleDeviceRect(const QPainter& p)
{
    QRect r = deviceRect(p);
    if (p.hasClipping())
        r &= p.deviceTransform().mapRect(p.clipBoundingRect()).toAlignedRect();
    return r;
}

// Makes one world unit one device pixel, so that images blit 1:1.
void useDevicePixels(QPainter& p)
{
    const double dpr = devicePixelRatio(p);
    const QTransform scale = QTransform::fromScale(1 / dpr, 1 / dpr);
    p.setWorldTransform(scale);
    // A widget inside a window is painted through the offset of its place in
    // the window's backing store, which the world transform does not hold;
    // take that out too, so that device coordinates mean the same as in
    // deviceTransform().
    const QTransform rest = p.deviceTransform();
    bool invertible = false;
    const QTransform undo = rest.inverted(&invertible);
    if (!rest.isIdentity() && invertible)
        p.setWorldTransform(undo * scale);
}

// False for printers, PDF writers and recorded pictures, which keep what is
// drawn as shapes and pictures rather than pixels.
bool drawsPixels(const QPainter& p)
{
    const QPaintEngine* engine = p.paintEngine();
    return !engine || engine->type() == QPaintEngine::Raster
        || engine->type() == QPaintEngine::OpenGL2;
}

// Scale, translation and no mirroring: images can be resampled to the exact
// device size and copied.
// Above this a screen copy at the exact size costs more memory than it saves.
constexpr qint64 kMaxScreenCopyPixels = 4096 * 4096;

bool isUprightScale(const QTransform& t)
{
    return std::abs(t.m12()) < 1e-9 && std::abs(t.m21()) < 1e-9 && t.m11() > 0 && t.m22() > 0;
}

// The shadow colour at each coverage value, premultiplied.
std::array<QRgb, 256> tintTable(const QColor& color)
{
    const QRgb c = qPremultiply(color.rgba());
    std::array<QRgb, 256> table {};
    for (int a = 0; a < 256; ++a) {
        auto scaled = [a](int v) {
            return (v * a + 127) / 255;
        };
        table[a] = qRgba(scaled(qRed(c)), scaled(qGreen(c)), scaled(qBlue(c)), scaled(qAlpha(c)));
    }
    return table;
}

// Tints the coverage with the shadow colour and draws it with its top left
// corner at `at` (device pixels), in bands of rows and only where a band
// has coverage, so the empty inside of a large shadow costs nothing.
void compositeShadow(QPainter& p, const QImage& coverage, const QColor& color, QPoint at)
{
    if (!drawsPixels(p)) {
        // Printers and PDF writers store what is drawn: one picture of the
        // shadow colour everywhere, its coverage in the alpha only, stays
        // small and leaves no seams between bands where viewers smooth the
        // edges of pictures.
        QImage picture(coverage.size(), QImage::Format_ARGB32);
        const QRgb rgb = color.rgb() & RGB_MASK;
        for (int y = 0; y < coverage.height(); ++y) {
            const uchar* src = coverage.constScanLine(y);
            auto* dst = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < coverage.width(); ++x)
                dst[x] = rgb | uint((src[x] * color.alpha() + 127) / 255) << 24;
        }
        p.drawImage(at, picture);
        return;
    }
    constexpr int kBand = 32;
    constexpr int kGap = 64; // empty columns that split a band into two tiles
    const std::array<QRgb, 256> table = tintTable(color);
    const int w = coverage.width();
    std::vector<uchar> used(static_cast<size_t>(w));
    std::vector<QRgb> tile;
    for (int y0 = 0; y0 < coverage.height(); y0 += kBand) {
        const int y1 = std::min(coverage.height(), y0 + kBand);
        markUsedColumns(coverage, y0, y1, used.data());
        int x = 0;
        while (x < w) {
            while (x < w && !used[x])
                ++x;
            if (x == w)
                break;
            const int start = x;
            int end = x; // one past the last used column
            for (; x < w && x - end < kGap; ++x) {
                if (used[x])
                    end = x + 1;
            }
            const int tw = end - start, th = y1 - y0;
            tile.resize(size_t(tw) * th);
            for (int y = 0; y < th; ++y) {
                const uchar* src = coverage.constScanLine(y0 + y) + start;
                QRgb* dst = tile.data() + size_t(y) * tw;
                for (int i = 0; i < tw; ++i)
                    dst[i] = table[src[i]];
            }
            const QImage image(reinterpret_cast<const uchar*>(tile.data()), tw, th, tw * 4,
                               QImage::Format_ARGB32_Premultiplied);
            p.drawImage(at + QPoint(start, y0), image);
            x = end;
        }
    }
}

QPen strokePen(const QColor& color, double lineWidth)
{
    QPen pen(color, lineWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setMiterLimit(10);
    return pen;
}

// Larger scaled pictures are not blitted: the scaled size would not fit an
// int, and such a draw shows a few source pixels enlarged, which filtering
// the level does as well.
constexpr double kMaxBlitSide = 1 << 20;

// Copies the visible part of `src` resampled to exactly the device pixels of
// `device`. Only the visible part is resampled, so a photo zoomed far beyond
// its cell costs what the cell shows. With a planning `plan` nothing is drawn
// and the part is noted instead; a `prepared` plan supplies the part when it
// was decoded ahead. False when the draw is not one a blit can do.
bool blitImage(QPainter& p, const Image& image, const QRectF& device, const QRectF& src,
               ImagePlan* plan, const ImagePlan* prepared)
{
    const QRect pixelsRect(QPoint(qRound(device.left()), qRound(device.top())),
                           QPoint(qRound(device.right()) - 1, qRound(device.bottom()) - 1));
    const QRect visible = pixelsRect & visibleDeviceRect(p);
    if (visible.isEmpty())
        return true;
    const QSize full = image.pixelSize();
    // Device pixels per image pixel.
    const double fx = pixelsRect.width() / src.width();
    const double fy = pixelsRect.height() / src.height();
    if (full.width() * fx > kMaxBlitSide || full.height() * fy > kMaxBlitSide)
        return false;
    // The whole picture at the device's scale, and the part of it that shows.
    const QSize scaled(std::max(1, qRound(full.width() * fx)),
                       std::max(1, qRound(full.height() * fy)));
    const double sx = scaled.width() / double(full.width());
    const double sy = scaled.height() / double(full.height());
    const QRect part = QRectF((src.x() + (visible.x() - pixelsRect.x()) / fx) * sx,
                              (src.y() + (visible.y() - pixelsRect.y()) / fy) * sy,
                              visible.width() / fx * sx, visible.height() / fy * sy)
                           .toAlignedRect()
        & QRect(QPoint(0, 0), scaled);
    if (part.isEmpty())
        return true;
    if (plan) {
        plan->addPart(image, scaled, part);
        return true;
    }
    ImagePlan::Piece piece;
    const ImagePlan::Piece* ready = prepared ? prepared->find(image, scaled) : nullptr;
    if (ready && ready->area().contains(part))
        piece = *ready;
    else
        piece = { image.scaledPart(scaled, part), part.topLeft() };
    if (piece.pixels.isNull())
        return true;
    const QPoint at(qRound(pixelsRect.x() + (part.x() / sx - src.x()) * fx),
                    qRound(pixelsRect.y() + (part.y() / sy - src.y()) * fy));
    useDevicePixels(p);
    p.setClipRect(visible, Qt::IntersectClip);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(at, piece.pixels, part.translated(-piece.origin));
    return true;
}

// Draws `src` (image space) into `target` (the painter's current space).
// `exact` resamples to the device size first, as kept renders want; a
// planning `plan` draws nothing and notes what would be decoded.
void paintImage(QPainter& p, const Image& image, const QRectF& target, const QRectF& src,
                bool exact, ImagePlan* plan = nullptr, const ImagePlan* prepared = nullptr)
{
    const QTransform t = p.deviceTransform();
    const QSize full = image.pixelSize();
    if (exact && isUprightScale(t)) {
        p.save();
        const bool done = blitImage(p, image, t.mapRect(target), src, plan, prepared);
        p.restore();
        if (done)
            return;
    }
    // Device pixels per image pixel along each image axis.
    const double kx = std::hypot(t.m11(), t.m12()) * target.width() / src.width();
    const double ky = std::hypot(t.m21(), t.m22()) * target.height() / src.height();
    const QSize needed(int(std::ceil(std::min<double>(full.width(), full.width() * kx))),
                       int(std::ceil(std::min<double>(full.height(), full.height() * ky))));
    if (plan) {
        plan->addLevel(image, needed);
        return;
    }
    if (!exact && src == QRectF(QPointF(0, 0), QSizeF(full)) && isUprightScale(t)
        && needed.width() < full.width() && needed.height() < full.height()
        && qint64(needed.width()) * needed.height() <= kMaxScreenCopyPixels) {
        // Interactive redraws of a reduced photo (a pan redraws the same size
        // again and again): the image keeps one copy at exactly the device
        // size, so each redraw is a plain copy to whole device pixels.
        const QRect device = t.mapRect(target).toRect();
        const QImage pixels = image.pixelsExactly(device.size());
        if (!pixels.isNull()) {
            p.save();
            useDevicePixels(p);
            p.drawImage(device.topLeft(), pixels);
            p.restore();
            return;
        }
    }
    // A reduction that is kept is area-averaged to the device size first;
    // the remaining transform then filters at about one to one.
    const QImage pixels =
        exact && needed != full ? image.pixelsExactly(needed) : image.pixels(needed);
    if (pixels.isNull())
        return;
    const double rx = double(pixels.width()) / full.width();
    const double ry = double(pixels.height()) / full.height();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(target, pixels,
                QRectF(src.x() * rx, src.y() * ry, src.width() * rx, src.height() * ry));
}

} // namespace

GraphicsContext::GraphicsContext(QPainter& painter) : m_painter(painter)
{
    m_stack.emplace_back();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

GraphicsContext::~GraphicsContext()
{
    // Leaves the painter as it was handed in, even when saves are unbalanced.
    while (m_stack.size() > 1)
        restore();
}

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
    if (r.isEmpty())
        return;
    const QColor c = state().color;
    perform(r.toQt(), 0, c.alpha() == 255, [&](QPainter& p, bool) { p.fillRect(r.toQt(), c); });
}

void GraphicsContext::fill(const Path& path)
{
    if (path.isEmpty())
        return;
    const QColor c = state().color;
    perform(path.toQt().boundingRect(), 0, c.alpha() == 255,
            [&](QPainter& p, bool) { p.fillPath(path.toQt(), c); });
}

void GraphicsContext::stroke(const Path& path, double lineWidth)
{
    if (path.isEmpty() || !(lineWidth > 0))
        return;
    const QPen pen = strokePen(state().color, lineWidth);
    // A miter join reaches at most miterLimit widths beyond the path.
    perform(path.toQt().boundingRect(), pen.miterLimit() * lineWidth, pen.color().alpha() == 255,
            [&](QPainter& p, bool) { p.strokePath(path.toQt(), pen); });
}

void GraphicsContext::fillRoundedRect(const Rect& r, double rx, double ry)
{
    fill(Path::roundedRect(r, rx, ry));
}

void GraphicsContext::drawImage(const Image& image, const Rect& dest, std::optional<Rect> source,
                                CompositeOp op, double opacity)
{
    if (image.isNull() || dest.isEmpty() || !(opacity > 0))
        return;
    const QSizeF full(image.pixelSize());
    // Image space: upright, origin at the top left, in full-resolution pixels.
    const QRectF whole(QPointF(0, 0), full);
    QRectF src = source
        ? QRectF(source->x(), full.height() - source->maxY(), source->width(), source->height())
        : whole;
    if (src.isEmpty())
        return;
    // The part of `dest` that shows the part of `src` inside the image.
    QRectF target(0, 0, dest.width(), dest.height());
    const QRectF inside = src & whole;
    if (inside.isEmpty())
        return;
    if (inside != src) {
        const double sx = dest.width() / src.width(), sy = dest.height() / src.height();
        target = QRectF((inside.x() - src.x()) * sx, (inside.y() - src.y()) * sy,
                        inside.width() * sx, inside.height() * sy);
        src = inside;
    }
    const QRectF userBounds(dest.minX(), dest.maxY() - target.bottom(), target.width(),
                            target.height());
    if (m_planning) {
        m_painter.save();
        m_painter.translate(dest.minX(), dest.maxY());
        m_painter.scale(1, -1);
        paintImage(m_painter, image, target, src, m_highQuality, m_planning);
        m_painter.restore();
        return;
    }
    perform(userBounds, 0, !image.hasAlphaChannel() && opacity >= 1,
            [&](QPainter& p, bool coverageOnly) {
                p.save();
                // Counter the y-up flip so that the image's first row lies at the top.
                p.translate(dest.minX(), dest.maxY());
                p.scale(1, -1);
                p.setOpacity(p.opacity() * std::min(opacity, 1.0));
                if (coverageOnly && !image.hasAlphaChannel()) {
                    p.fillRect(target, Qt::black);
                } else {
                    if (op == CompositeOp::Copy)
                        p.setCompositionMode(QPainter::CompositionMode_Source);
                    paintImage(p, image, target, src, m_highQuality && !coverageOnly, nullptr,
                               m_prepared);
                }
                p.restore();
            });
}

void GraphicsContext::drawDevicePixels(const QImage& pixels, QPoint deviceTopLeft)
{
    if (pixels.isNull() || m_planning)
        return;
    m_painter.save();
    useDevicePixels(m_painter);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.drawImage(deviceTopLeft, pixels);
    m_painter.restore();
}

void GraphicsContext::perform(const QRectF& userBounds, double margin, bool opaque,
                              const std::function<void(QPainter&, bool)>& paint)
{
    if (m_planning)
        return;
    const std::optional<Shadow>& s = state().shadow;
    if (s && s->color.isValid() && s->color.alpha() > 0)
        paintShadow(*s, userBounds.adjusted(-margin, -margin, margin, margin),
                    opaque && m_painter.opacity() >= 1, paint);
    paint(m_painter, false);
}

// Renders the operation's coverage into a layer over the device pixels it
// touches, blurs it, tints it and composites it below at the offset. The
// offset follows the screen's axes (y up) whatever the current rotation,
// and like the blur it is scaled to device pixels.
void GraphicsContext::paintShadow(const Shadow& s, const QRectF& userBounds, bool opaque,
                                  const std::function<void(QPainter&, bool)>& paint)
{
    const QTransform t = m_painter.deviceTransform();
    const double scale = deviceScale();
    const double sigma = std::max(0.0, s.blurRadius) / 2 * scale;
    const int reach = blurReach(sigma) + 1;
    const QPoint offset(qRound(s.offset.x * scale), qRound(-s.offset.y * scale));
    const QRect shape =
        t.mapRect(userBounds).toAlignedRect().adjusted(-reach, -reach, reach, reach);
    const QRect visible = visibleDeviceRect(m_painter).translated(-offset);
    const QRect region = shape & visible.adjusted(-reach, -reach, reach, reach);
    if (region.isEmpty() || !visible.intersects(shape))
        return;

    QImage coverage(region.size(), QImage::Format_Alpha8);
    if (coverage.isNull())
        return;
    coverage.fill(0);
    {
        QPainter layer(&coverage);
        layer.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        layer.setTransform(t * QTransform::fromTranslate(-region.x(), -region.y()));
        paint(layer, true);
    }
    const SolidSpans solid = opaque ? solidSpans(coverage) : SolidSpans();
    blurAlpha(coverage, sigma);
    if (opaque)
        clearWhereSolid(coverage, solid, offset);
    m_painter.save();
    useDevicePixels(m_painter);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    compositeShadow(m_painter, coverage, s.color, region.topLeft() + offset);
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
    return std::sqrt(std::abs(m_painter.deviceTransform().determinant()));
}

void GraphicsContext::setImagePlan(ImagePlan* planning, const ImagePlan* prepared)
{
    m_planning = planning;
    m_prepared = prepared;
}

bool GraphicsContext::isDrawingToScreen() const
{
    const QPaintDevice* device = m_painter.device();
    return device && device->devType() == QInternal::Widget;
}

void GraphicsContext::drawFocusRing(const Path& shape)
{
    const double scale = deviceScale();
    if (shape.isEmpty() || !isDrawingToScreen() || !(scale > 0))
        return;
    save();
    clearShadow();
    clip(shape);
    setColor(focusRingColor());
    // Half of the stroke lies outside the clip.
    stroke(shape, 2 * kFocusRingWidth / scale);
    restore();
}

} // namespace kit
