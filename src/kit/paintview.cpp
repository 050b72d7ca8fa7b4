#include "paintview.h"

#include "graphicscontext.h"
#include "render.h"
#include "view.h"

#include <cmath>

#include <QPainter>

namespace kit {

void paintView(View& view, QPainter& painter, const QRectF& target)
{
    const Rect bounds = view.bounds();
    const bool usable = std::isfinite(target.width()) && std::isfinite(target.height())
        && target.width() > 0 && target.height() > 0 && std::isfinite(bounds.width())
        && std::isfinite(bounds.height()) && bounds.width() > 0 && bounds.height() > 0;
    if (!usable)
        return;
    painter.save();
    // The one flip between the y-up view and the y-down device, as in
    // renderToImage.
    painter.translate(target.left(), target.bottom());
    painter.scale(target.width() / bounds.width(), -target.height() / bounds.height());
    {
        GraphicsContext gc(painter);
        gc.setHighQuality(true);
        prepareImages(view, gc.deviceScale());
        view.drawTree(gc, bounds);
    }
    painter.restore();
}

} // namespace kit
