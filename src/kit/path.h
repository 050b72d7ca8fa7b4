#pragma once

// A vector path in y-up coordinates: move, line, cubic curve and close
// elements. Filling and containment use the non-zero winding rule.

#include "geometry.h"

#include <QPainterPath>

namespace kit {

class Path
{
public:
    enum class ElementType { MoveTo, LineTo, CurveTo };
    struct Element
    {
        ElementType type;
        // For CurveTo: the first control point, the second one and the end point.
        Point points[3];
        int pointCount = 1;
    };

    Path();
    explicit Path(const QPainterPath& path);

    static Path rect(const Rect& r);
    // A rectangle with elliptic corners of radii rx and ry, clamped to half the sides.
    static Path roundedRect(const Rect& r, double rx, double ry);

    void moveTo(Point p);
    void lineTo(Point p);
    void curveTo(Point control1, Point control2, Point end);
    void close();
    void addPath(const Path& other);

    // True without any segment (a lone move counts as empty).
    bool isEmpty() const { return m_path.isEmpty(); }
    // The current point; (0, 0) for an empty path.
    Point currentPoint() const { return Point(m_path.currentPosition()); }
    // The box around every point of the path, control points of curves excluded
    // (the tight bounds of the drawn outline).
    Rect bounds() const;
    // Non-zero winding containment.
    bool contains(Point p) const;
    Path transformed(const AffineTransform& t) const;

    // Elements in order; a close shows as a line back to the subpath's start.
    int elementCount() const;
    Element element(int index) const;

    // The centre of the bounding box.
    Point centreOfBounds() const;
    // Every point q becomes about + s × (q − about). A factor of exactly 1
    // answers the path unchanged (sharing its data).
    Path scaledPath(float s, Point about) const;
    Path scaledPath(float s) const;
    // Scaled about the bounding box's centre moved by x times its width and y
    // times its height.
    Path scaledPath(float s, float x, float y) const;

    const QPainterPath& toQt() const { return m_path; }
    bool operator==(const Path& o) const { return m_path == o.m_path; }

private:
    void ensureWinding();

    QPainterPath m_path;
};

} // namespace kit
