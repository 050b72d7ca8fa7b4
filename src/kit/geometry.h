#pragma once

// Geometry in view coordinates: the origin is the lower left corner and y
// grows upwards. Small value types with free operators.

#include <cmath>
#include <type_traits>

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

namespace kit {

// Rounds a value to single precision, for computations that the behaviour
// states in single precision.
constexpr double f32(double v)
{
    float f = static_cast<float>(v);
#if defined(__GNUC__)
    // GCC 12 at -O2 drops the round trip when its SLP vectorizer pairs two of
    // them (an x and a y); an empty asm on the float keeps the rounding.
    if (!std::is_constant_evaluated())
        asm("" : "+m"(f));
#endif
    return static_cast<double>(f);
}

struct Point
{
    double x = 0;
    double y = 0;

    constexpr Point() = default;
    constexpr Point(double px, double py) : x(px), y(py) { }
    explicit Point(QPointF p) : x(p.x()), y(p.y()) { }
    QPointF toQt() const { return {x, y}; }
    constexpr bool operator==(const Point&) const = default;
};

constexpr Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
constexpr Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
constexpr Point operator*(Point a, double s) { return {a.x * s, a.y * s}; }

struct Size
{
    double width = 0;
    double height = 0;

    constexpr Size() = default;
    constexpr Size(double w, double h) : width(w), height(h) { }
    explicit Size(QSizeF s) : width(s.width()), height(s.height()) { }
    QSizeF toQt() const { return {width, height}; }
    constexpr bool isEmpty() const { return !(width > 0 && height > 0); }
    constexpr bool operator==(const Size&) const = default;
};

constexpr Size operator*(Size a, double s) { return {a.width * s, a.height * s}; }

struct Rect
{
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(double x, double y, double w, double h) : origin(x, y), size(w, h) { }
    constexpr Rect(Point o, Size s) : origin(o), size(s) { }
    explicit Rect(const QRectF& r) : origin(r.x(), r.y()), size(r.width(), r.height()) { }
    QRectF toQt() const { return {origin.x, origin.y, size.width, size.height}; }

    constexpr double x() const { return origin.x; }
    constexpr double y() const { return origin.y; }
    constexpr double width() const { return size.width; }
    constexpr double height() const { return size.height; }
    constexpr double minX() const { return origin.x; }
    constexpr double minY() const { return origin.y; }
    constexpr double maxX() const { return origin.x + size.width; }
    constexpr double maxY() const { return origin.y + size.height; }
    constexpr double midX() const { return origin.x + size.width / 2; }
    constexpr double midY() const { return origin.y + size.height / 2; }
    constexpr Point centre() const { return {midX(), midY()}; }
    constexpr bool isEmpty() const { return size.isEmpty(); }

    // Half-open containment: the lower and left edges belong to the rectangle.
    constexpr bool contains(Point p) const
    {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    // Shrinks by dx on the left and right and by dy at the bottom and top.
    constexpr Rect insetBy(double dx, double dy) const
    {
        return {origin.x + dx, origin.y + dy, size.width - 2 * dx, size.height - 2 * dy};
    }
    constexpr Rect offsetBy(double dx, double dy) const
    {
        return {origin.x + dx, origin.y + dy, size.width, size.height};
    }
    Rect united(const Rect& o) const { return Rect(toQt().united(o.toQt())); }
    Rect intersected(const Rect& o) const { return Rect(toQt().intersected(o.toQt())); }
    constexpr bool operator==(const Rect&) const = default;
};

// A 2-D affine map: p' = (a·x + c·y + tx, b·x + d·y + ty).
class AffineTransform
{
public:
    constexpr AffineTransform() = default;
    constexpr AffineTransform(double a, double b, double c, double d, double tx, double ty)
        : m_a(a), m_b(b), m_c(c), m_d(d), m_tx(tx), m_ty(ty)
    {
    }

    static constexpr AffineTransform translation(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }
    static constexpr AffineTransform scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    // Counter-clockwise in y-up coordinates.
    static AffineTransform rotation(double degrees)
    {
        const double r = degrees * M_PI / 180.0;
        const double c = std::cos(r), s = std::sin(r);
        return {c, s, -s, c, 0, 0};
    }

    constexpr Point map(Point p) const
    {
        return {m_a * p.x + m_c * p.y + m_tx, m_b * p.x + m_d * p.y + m_ty};
    }
    // Applies `first`, then this.
    constexpr AffineTransform after(const AffineTransform& first) const
    {
        return {m_a * first.m_a + m_c * first.m_b,
                m_b * first.m_a + m_d * first.m_b,
                m_a * first.m_c + m_c * first.m_d,
                m_b * first.m_c + m_d * first.m_d,
                m_a * first.m_tx + m_c * first.m_ty + m_tx,
                m_b * first.m_tx + m_d * first.m_ty + m_ty};
    }
    constexpr AffineTransform then(const AffineTransform& next) const { return next.after(*this); }
    constexpr double determinant() const { return m_a * m_d - m_b * m_c; }
    // The identity when the map is singular.
    constexpr AffineTransform inverted() const
    {
        const double det = determinant();
        if (det == 0)
            return {};
        return {m_d / det,  -m_b / det, -m_c / det, m_a / det,
                (m_c * m_ty - m_d * m_tx) / det, (m_b * m_tx - m_a * m_ty) / det};
    }
    constexpr bool isIdentity() const
    {
        return m_a == 1 && m_b == 0 && m_c == 0 && m_d == 1 && m_tx == 0 && m_ty == 0;
    }
    QTransform toQt() const { return QTransform(m_a, m_b, m_c, m_d, m_tx, m_ty); }
    constexpr bool operator==(const AffineTransform&) const = default;

    constexpr double a() const { return m_a; }
    constexpr double b() const { return m_b; }
    constexpr double c() const { return m_c; }
    constexpr double d() const { return m_d; }
    constexpr double tx() const { return m_tx; }
    constexpr double ty() const { return m_ty; }

private:
    double m_a = 1, m_b = 0, m_c = 0, m_d = 1, m_tx = 0, m_ty = 0;
};

// The axis-aligned box around the image of `r` under `t`.
Rect boundingBox(const AffineTransform& t, const Rect& r);

} // namespace kit
