#include "path.h"

#include <algorithm>

namespace kit {

// Setting the fill rule on an empty QPainterPath gives it a move to (0, 0),
// so an empty path is left untouched until its first element.
Path::Path() = default;

Path::Path(const QPainterPath& path) : m_path(path)
{
    if (m_path.elementCount() > 0)
        m_path.setFillRule(Qt::WindingFill);
}

void Path::ensureWinding()
{
    if (m_path.fillRule() != Qt::WindingFill)
        m_path.setFillRule(Qt::WindingFill);
}

Path Path::rect(const Rect& r)
{
    Path p;
    p.moveTo({r.minX(), r.minY()});
    p.lineTo({r.maxX(), r.minY()});
    p.lineTo({r.maxX(), r.maxY()});
    p.lineTo({r.minX(), r.maxY()});
    p.close();
    return p;
}

Path Path::roundedRect(const Rect& r, double rx, double ry)
{
    rx = std::clamp(rx, 0.0, std::max(0.0, r.width() / 2));
    ry = std::clamp(ry, 0.0, std::max(0.0, r.height() / 2));
    QPainterPath q;
    q.addRoundedRect(r.toQt(), rx, ry, Qt::AbsoluteSize);
    return Path(q);
}

void Path::moveTo(Point p)
{
    m_path.moveTo(p.toQt());
    ensureWinding();
}

void Path::lineTo(Point p)
{
    m_path.lineTo(p.toQt());
    ensureWinding();
}

void Path::curveTo(Point control1, Point control2, Point end)
{
    m_path.cubicTo(control1.toQt(), control2.toQt(), end.toQt());
    ensureWinding();
}

void Path::close() { m_path.closeSubpath(); }

void Path::addPath(const Path& other)
{
    m_path.addPath(other.m_path);
    ensureWinding();
}

Rect Path::bounds() const
{
    if (isEmpty())
        return {};
    return Rect(m_path.boundingRect());
}

bool Path::contains(Point p) const
{
    if (isEmpty())
        return false;
    return m_path.contains(p.toQt());
}

Path Path::transformed(const AffineTransform& t) const
{
    return Path(t.toQt().map(m_path));
}

int Path::elementCount() const
{
    int count = 0;
    for (int i = 0; i < m_path.elementCount(); ++i)
        if (m_path.elementAt(i).type != QPainterPath::CurveToDataElement)
            ++count;
    return count;
}

Path::Element Path::element(int index) const
{
    int seen = -1;
    for (int i = 0; i < m_path.elementCount(); ++i) {
        const QPainterPath::Element& e = m_path.elementAt(i);
        if (e.type == QPainterPath::CurveToDataElement || ++seen != index)
            continue;
        Element out{};
        switch (e.type) {
        case QPainterPath::MoveToElement:
            out.type = ElementType::MoveTo;
            out.points[0] = {e.x, e.y};
            break;
        case QPainterPath::LineToElement:
            out.type = ElementType::LineTo;
            out.points[0] = {e.x, e.y};
            break;
        default:
            out.type = ElementType::CurveTo;
            out.points[0] = {e.x, e.y};
            out.points[1] = {m_path.elementAt(i + 1).x, m_path.elementAt(i + 1).y};
            out.points[2] = {m_path.elementAt(i + 2).x, m_path.elementAt(i + 2).y};
            out.pointCount = 3;
            break;
        }
        return out;
    }
    return {};
}

Point Path::centreOfBounds() const
{
    const Rect b = bounds();
    return {b.x() + b.width() * 0.5, b.y() + b.height() * 0.5};
}

Path Path::scaledPath(float s, Point about) const
{
    if (s == 1.0f)
        return *this;
    const double k = s;
    return transformed(AffineTransform(k, 0, 0, k, about.x - k * about.x, about.y - k * about.y));
}

Path Path::scaledPath(float s) const { return scaledPath(s, centreOfBounds()); }

Path Path::scaledPath(float s, float x, float y) const
{
    const Rect b = bounds();
    const Point c = centreOfBounds();
    return scaledPath(s, Point(c.x + double(x) * b.width(), c.y + double(y) * b.height()));
}

} // namespace kit
