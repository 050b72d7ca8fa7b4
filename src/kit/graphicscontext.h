#pragma once

// Drawing on a QPainter in y-up coordinates, with a save/restore stack that
// holds the current colour, the clip and the shadow.
//
// The painter handed in must already map the y-up user space to the device
// (see renderToImage and ViewHost); the context never flips on its own except
// to draw images upright.

#include "geometry.h"
#include "image.h"
#include "path.h"

#include <functional>
#include <optional>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPoint>

class QPainter;
class QRectF;

namespace kit {

class ImagePlan;

struct Shadow
{
    // Blur radius in user units; rendered as a Gaussian of sigma = radius / 2.
    double blurRadius = 0;
    // Offset in user units, y up: (0, −2) casts the shadow below.
    Point offset;
    QColor color;
};

enum class CompositeOp {
    SourceOver, // normal drawing
    Copy, // replaces what is below (within the clip)
};

class GraphicsContext
{
public:
    explicit GraphicsContext(QPainter& painter);
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    QPainter& painter() { return m_painter; }

    void save();
    void restore();

    // The colour used by fill and stroke operations. Default black.
    void setColor(const QColor& c);
    QColor color() const;

    // A shadow applies to everything drawn while it is set, until it is
    // replaced, cleared or the state restored. A fully transparent colour
    // means no visible shadow.
    void setShadow(const Shadow& s);
    void clearShadow();
    std::optional<Shadow> shadow() const;

    // Intersects the clip with the path (non-zero winding) or rectangle.
    void clip(const Path& path);
    void clipToRect(const Rect& r);

    // Changes the user space of later drawing.
    void concat(const AffineTransform& t);
    void translate(double dx, double dy);

    void fillRect(const Rect& r);
    void fill(const Path& path);
    void stroke(const Path& path, double lineWidth);
    void fillRoundedRect(const Rect& r, double rx, double ry);

    // Draws `source` of the image (pixel coordinates of the upright image,
    // origin at its lower left corner; the whole image when absent) into
    // `dest`, upright and unmirrored, resampled smoothly.
    void drawImage(const Image& image, const Rect& dest, std::optional<Rect> source = {},
                   CompositeOp op = CompositeOp::SourceOver, double opacity = 1.0);

    // Composites ready-made device pixels (premultiplied ARGB) unscaled, with
    // their top left corner at `deviceTopLeft` in the device's own pixel
    // coordinates (those of painter().deviceTransform()), within the clip.
    // For views that keep a rendering of themselves to redraw it cheaply.
    void drawDevicePixels(const QImage& pixels, QPoint deviceTopLeft);

    // High quality resamples images exactly to the device size (area average)
    // for renders that are kept; otherwise a cached level is filtered, which
    // is what interactive redraws want.
    void setHighQuality(bool on);
    bool highQuality() const;

    // Kept renders draw twice (see ImagePlan). With `planning`, nothing is
    // drawn: image draws note what they would decode into it. With
    // `prepared`, image draws take the parts that the plan decoded.
    void setImagePlan(ImagePlan* planning, const ImagePlan* prepared = nullptr);

    // Device pixels per user unit along x and y under the current transform.
    double deviceScale() const;

    // Whether the drawing goes to a widget on screen rather than into a
    // picture (renders, exports, thumbnails). Marks of the interface, such
    // as the focus ring, are drawn on screen only.
    bool isDrawingToScreen() const;

    // The keyboard focus ring of a view: a band kFocusRingWidth device pixels
    // wide along the inside of `shape`, so that it shows even where
    // neighbouring views cover the outside. Draws nothing off screen.
    void drawFocusRing(const Path& shape);
    static constexpr double kFocusRingWidth = 3;
    static QColor focusRingColor() { return QColor(59, 153, 252); }

private:
    struct State;
    State& state();
    const State& state() const;
    // Runs `paint` on the painter, after the state's shadow of it. `paint`
    // is also run on the shadow's coverage layer (its flag set), where only
    // the alpha it leaves counts. `userBounds` bounds what it draws;
    // `opaque` says that it covers fully wherever its coverage is full.
    void perform(const QRectF& userBounds, double margin, bool opaque,
                 const std::function<void(QPainter&, bool coverageOnly)>& paint);
    void paintShadow(const Shadow& s, const QRectF& userBounds, bool opaque,
                     const std::function<void(QPainter&, bool coverageOnly)>& paint);

    QPainter& m_painter;
    std::vector<State> m_stack;
    bool m_highQuality = false;
    ImagePlan* m_planning = nullptr;
    const ImagePlan* m_prepared = nullptr;
};

} // namespace kit
