#include "geometry.h"

#include <algorithm>

namespace kit {

Rect boundingBox(const AffineTransform& t, const Rect& r)
{
    const Point corners[] = {t.map({r.minX(), r.minY()}), t.map({r.maxX(), r.minY()}),
                             t.map({r.maxX(), r.maxY()}), t.map({r.minX(), r.maxY()})};
    double x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const Point& p : corners) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

} // namespace kit
