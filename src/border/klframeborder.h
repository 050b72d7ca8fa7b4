#pragma once

// A frame border: one repeat of a motif read from a border file, and the
// closed outline that repeats it along the four edges of a rectangle.
//
// Border file (UTF-8 text, lines split at "\n" only):
//   line 1     ratio,times,startX,startY      exactly four fields
//   line 2...  L:x,y,x,y,...                  straight segments to each point
//              B:x1,y1,x2,y2,x3,y3,...        cubic curves (control, control, end)
//              empty lines and lines starting with "#" are skipped;
//              other kinds are ignored without a message.
// Numbers are read leniently (kit::floatValue) and held in single precision.
//
// Repeat coordinates: x runs along the edge in units of the repeat length,
// 0 at the start of the repeat; y runs across the band in units of the border
// depth, 0 on its inner line and 1 on the outer edge of the rectangle.

#include "kit/geometry.h"
#include "kit/path.h"

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

class KLFrameBorder
{
public:
    // Border files are a few lines of numbers; larger files are refused.
    static constexpr qint64 kMaxBorderFileBytes = 1 << 20;

    struct Component
    {
        enum class Type { Line, Curve };
        Type type = Type::Line;
        // Line: one point per segment end. Curve: triples of first control
        // point, second control point, end point.
        std::vector<kit::Point> values;
    };

    // Reads a border file. Returns nothing, after logging one line on
    // kit::lcBorder, when the path is not a regular file of at most
    // kMaxBorderFileBytes, the file cannot be read as UTF-8, has
    // fewer than two lines, or its header is not four fields of which ratio
    // and times are finite and positive, ratio ÷ times less than 0.5 (the band
    // less than half the shorter side deep), and the start point finite.
    static std::optional<KLFrameBorder> initWithBorderFile(const QString& path);
    // The same reader over bytes already in memory; `path` only names the
    // source in log lines.
    static std::optional<KLFrameBorder> fromUtf8(const QByteArray& data, const QString& path);
    static std::optional<KLFrameBorder> fromText(const QString& text, const QString& path);

    // The closed outline of the border around `rect`. Every point of the
    // result is finite and within ±1e12:
    //  - an empty rectangle, or one with a corner out of that range, gives an
    //    empty path;
    //  - when ratio or times (set after loading) are not finite and positive,
    //    the band would be at least half the rectangle deep, or a point of the
    //    motif lands out of range, the plain rectangle is answered (no
    //    border) and a line logged;
    //  - an edge shorter than one unit length still gets one repeat, and the
    //    repeat count per edge is capped so that a path stays of bounded size.
    // With no components the path holds only its start point.
    kit::Path borderPathForRect(const kit::Rect& rect) const;

    // The border depth for a rectangle of this size: ratio × shorter side ÷
    // times, in single precision as the path uses it; 0 when the numbers do
    // not make a border.
    double depthForRect(const kit::Rect& rect) const;

    // `p` turned about `at` by a quarter-turn multiple, y pointing up: 90 is
    // a quarter turn clockwise, 270 counter-clockwise. The offsets from `at`
    // are rounded to single precision. Multiples of 360 and every angle other
    // than 90, 180 and 270 (450 and -90 included) answer `p` unchanged.
    static kit::Point rotatePoint(kit::Point p, kit::Point at, int degree);

    float ratio() const { return m_ratio; }
    float times() const { return m_times; }
    kit::Point start() const { return m_start; }
    const std::vector<Component>& components() const { return m_components; }

private:
    KLFrameBorder() = default;

    struct Metrics;
    std::optional<Metrics> metricsForRect(const kit::Rect& rect) const;

    float m_ratio = 0;
    float m_times = 0;
    kit::Point m_start;
    std::vector<Component> m_components;
};
