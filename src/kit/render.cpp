#include "render.h"

#include "graphicscontext.h"
#include "imageplan.h"
#include "pixelbuffer.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QLoggingCategory>
#include <QPainter>

Q_LOGGING_CATEGORY(lcRender, "tessera.render")

namespace kit {

namespace {

// Larger renders than this are refused rather than left to fail inside
// QImage (its own limit is near 2^31 bytes).
constexpr qint64 maxRenderPixels = qint64(16384) * 16384;

QImage render(View& view, QSize pixelSize, double sx, double sy)
{
    const Rect bounds = view.bounds();
    if (pixelSize.isEmpty() || qint64(pixelSize.width()) * pixelSize.height() > maxRenderPixels) {
        qCWarning(lcRender) << "Cannot render a view of" << bounds.width() << "x" << bounds.height()
                            << "into" << pixelSize;
        return {};
    }
    QImage image = newLargeImage(pixelSize, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        qCWarning(lcRender) << "Out of memory for a render of" << pixelSize;
        return {};
    }
    QPainter painter(&image);
    // The one flip between y-up views and the y-down image.
    painter.translate(0, pixelSize.height());
    painter.scale(sx, -sy);

    // The first pass only learns which part of which photo shows at which
    // size; those parts are decoded in parallel, then the tree is drawn.
    ImagePlan plan;
    painter.save();
    {
        GraphicsContext planning(painter);
        planning.setHighQuality(true);
        planning.setImagePlan(&plan);
        view.drawTree(planning, bounds);
    }
    painter.restore();
    plan.decode();
    // A view may have painted on the painter directly during the first pass.
    image.fill(Qt::transparent);
    GraphicsContext gc(painter);
    gc.setHighQuality(true);
    gc.setImagePlan(nullptr, &plan);
    view.drawTree(gc, bounds);
    return image;
}

void collectImages(const View& view, double scale, std::vector<std::pair<Image, QSize>>& out)
{
    view.imagesToDraw(out, scale);
    for (const auto& sub : view.subviews()) {
        if (!sub->isHidden())
            collectImages(*sub, scale, out);
    }
}

bool usableExtent(double v)
{
    return std::isfinite(v) && v > 0;
}

} // namespace

QImage renderToImage(View& view, double deviceScale)
{
    const Rect b = view.bounds();
    if (!usableExtent(deviceScale) || !usableExtent(b.width()) || !usableExtent(b.height())) {
        qCWarning(lcRender) << "Cannot render a view of" << b.width() << "x" << b.height()
                            << "at scale" << deviceScale;
        return {};
    }
    const double w = std::ceil(b.width() * deviceScale - 1e-9);
    const double h = std::ceil(b.height() * deviceScale - 1e-9);
    if (w * h > double(maxRenderPixels)) {
        qCWarning(lcRender) << "Refused a render of" << w << "x" << h << "pixels";
        return {};
    }
    return render(view, QSize(int(w), int(h)), deviceScale, deviceScale);
}

QImage renderToImage(View& view, QSize pixelSize)
{
    const Rect b = view.bounds();
    if (!usableExtent(b.width()) || !usableExtent(b.height()) || pixelSize.isEmpty()) {
        qCWarning(lcRender) << "Cannot render a view of" << b.width() << "x" << b.height() << "into"
                            << pixelSize;
        return {};
    }
    return render(view, pixelSize, pixelSize.width() / b.width(), pixelSize.height() / b.height());
}

void prepareImages(const View& view, double deviceScale)
{
    // A tree in no window is not on screen; its renders decode the parts
    // they draw themselves, and levels cached for it would only hold memory.
    if (!view.window())
        return;
    std::vector<std::pair<Image, QSize>> requests;
    collectImages(view, deviceScale, requests);
    Image::prepare(requests);
}

} // namespace kit
