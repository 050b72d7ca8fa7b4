#include "klframeborder.h"

#include "kit/logging.h"
#include "kit/numbers.h"
#include "kit/userfile.h"

#include <algorithm>
#include <cmath>

#include <QStringDecoder>

namespace {

void logLine(const QString& message)
{
    kit::log(kit::lcBorder(), message);
}

// A path is rebuilt on every redraw; these bounds keep a file with an absurdly
// small ratio or a very long motif from asking for millions of elements. Real
// borders need a few hundred repeats per edge and a few thousand points.
constexpr int kMaxRepeatsPerEdge = 16384;
constexpr qsizetype kMaxPathWork = qsizetype(1) << 18; // points and records visited

// Coordinates beyond this are nonsense for a canvas, and QPainterPath would
// silently drop points past 1e128.
constexpr double kMaxCoordinate = 1e12;

bool isFinite(kit::Point p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Finite and within painting range (false for NaN).
bool isDrawable(double v)
{
    return std::abs(v) <= kMaxCoordinate;
}
bool isDrawable(kit::Point p)
{
    return isDrawable(p.x) && isDrawable(p.y);
}

bool usable(float value)
{
    return std::isfinite(value) && value > 0;
}

// Reads a comma-separated list; nothing when a number is out of range.
std::optional<std::vector<float>> readNumbers(QStringView list)
{
    std::vector<float> numbers;
    for (QStringView field : list.split(u',')) {
        const float value = kit::floatValue(field);
        if (!std::isfinite(value))
            return std::nullopt;
        numbers.push_back(value);
    }
    return numbers;
}

int repeatCount(double innerLength, double unit, int cap)
{
    // At least one repeat, so that the repeat length is always defined.
    const double count = std::floor(innerLength / unit);
    return count < 1 ? 1 : int(std::min(count, double(cap)));
}

} // namespace

// Lengths of one rectangle's border, in the precision the path uses.
struct KLFrameBorder::Metrics
{
    double depth = 0;
    double stepW = 0; // repeat length along the top and bottom edges
    double stepH = 0; // along the left and right edges
    int countW = 0;
    int countH = 0;
};

std::optional<KLFrameBorder> KLFrameBorder::initWithBorderFile(const QString& path)
{
    const std::optional<QByteArray> bytes = kit::readUserFile(path, kMaxBorderFileBytes);
    if (!bytes) {
        logLine(QStringLiteral("Load border file '%1' failed!").arg(path));
        return std::nullopt;
    }
    return fromUtf8(*bytes, path);
}

std::optional<KLFrameBorder> KLFrameBorder::fromUtf8(const QByteArray& data, const QString& path)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(data);
    if (decoder.hasError()) {
        logLine(QStringLiteral("Load border file '%1' failed!").arg(path));
        return std::nullopt;
    }
    return fromText(text, path);
}

std::optional<KLFrameBorder> KLFrameBorder::fromText(const QString& text, const QString& path)
{
    // Only "\n" separates lines; a carriage return stays part of its line.
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    if (lines.size() <= 1) {
        logLine(QStringLiteral("Invalid contents of border file '%1'.").arg(path));
        return std::nullopt;
    }

    const QList<QStringView> header = lines.first().split(u',');
    KLFrameBorder border;
    if (header.size() == 4) {
        border.m_ratio = kit::floatValue(header[0]);
        border.m_times = kit::floatValue(header[1]);
        border.m_start = { kit::floatValue(header[2]), kit::floatValue(header[3]) };
    }
    // A ratio or times that is zero, negative or out of range gives no
    // meaningful depth or repeat length, so such a header is refused as well;
    // and so is a band at least half the shorter side deep (ratio ÷ times ≥
    // 0.5), which leaves no inside for the motif, nor for the cells and
    // photos a canvas lays out within the border.
    if (header.size() != 4 || !usable(border.m_ratio) || !usable(border.m_times)
        || !isFinite(border.m_start)
        || !(kit::f32(double(border.m_ratio) / border.m_times) < 0.5)) {
        logLine(QStringLiteral("Invalid contents of border file header '%1'.")
                    .arg(lines.first().toString()));
        return std::nullopt;
    }

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QList<QStringView> parts = line.split(u':');
        if (parts.size() != 2) {
            logLine(QStringLiteral("Invalid component line '%1'").arg(line.toString()));
            continue;
        }
        Component component;
        qsizetype group = 0;
        if (parts[0] == u"L") {
            component.type = Component::Type::Line;
            group = 2;
        } else if (parts[0] == u"B") {
            component.type = Component::Type::Curve;
            group = 6;
        } else {
            continue;
        }
        const auto numbers = readNumbers(parts[1]);
        if (!numbers) {
            logLine(QStringLiteral("Invalid component line '%1'").arg(line.toString()));
            continue;
        }
        // A trailing incomplete point or curve is dropped; the complete ones
        // before it are kept.
        const qsizetype used = qsizetype(numbers->size()) / group * group;
        component.values.reserve(used / 2);
        for (qsizetype k = 0; k < used; k += 2)
            component.values.emplace_back((*numbers)[k], (*numbers)[k + 1]);
        border.m_components.push_back(std::move(component));
    }
    return border;
}

double KLFrameBorder::depthForRect(const kit::Rect& rect) const
{
    const auto metrics = metricsForRect(rect);
    return metrics ? metrics->depth : 0.0;
}

std::optional<KLFrameBorder::Metrics> KLFrameBorder::metricsForRect(const kit::Rect& rect) const
{
    const double w = rect.width();
    const double h = rect.height();
    if (!usable(m_ratio) || !usable(m_times))
        return std::nullopt;

    // The unit length comes from the shorter side; d and both unit lengths
    // are single-precision values.
    double unitW, unitH, d;
    if (h > w) {
        unitW = kit::f32(double(m_ratio) * w);
        d = kit::f32(unitW / m_times);
        unitH = kit::f32(m_times * d);
    } else {
        unitH = kit::f32(double(m_ratio) * h);
        d = kit::f32(unitH / m_times);
        unitW = kit::f32(m_times * d);
    }
    if (!(std::isfinite(d) && d > 0 && std::isfinite(unitW) && unitW > 0 && std::isfinite(unitH)
          && unitH > 0))
        return std::nullopt;

    // When the band is as deep as half the rectangle there is no inner edge
    // to repeat the motif along.
    const double innerW = w - 2 * d;
    const double innerH = h - 2 * d;
    if (!(innerW > 0 && innerH > 0))
        return std::nullopt;

    qsizetype workPerRepeat = 1 + qsizetype(m_components.size());
    for (const Component& component : m_components)
        workPerRepeat += qsizetype(component.values.size());
    const int cap =
        int(std::clamp<qsizetype>(kMaxPathWork / (4 * workPerRepeat), 1, kMaxRepeatsPerEdge));

    Metrics m;
    m.depth = d;
    m.countW = repeatCount(innerW, unitW, cap);
    m.countH = repeatCount(innerH, unitH, cap);
    m.stepW = kit::f32(innerW / m.countW);
    m.stepH = kit::f32(innerH / m.countH);
    if (!(std::isfinite(m.stepW) && m.stepW > 0 && std::isfinite(m.stepH) && m.stepH > 0))
        return std::nullopt;
    return m;
}

kit::Path KLFrameBorder::borderPathForRect(const kit::Rect& rect) const
{
    const double x = rect.x();
    const double y = rect.y();
    const double w = rect.width();
    const double h = rect.height();
    if (!(isDrawable(x) && isDrawable(y) && isDrawable(rect.maxX()) && isDrawable(rect.maxY())
          && w > 0 && h > 0))
        return {};

    const auto noBorder = [&] {
        logLine(QStringLiteral("Frame border gives no outline for the rectangle (%1, %2, %3 x %4); "
                               "drawing it without a border.")
                    .arg(x)
                    .arg(y)
                    .arg(w)
                    .arg(h));
        return kit::Path::rect(rect);
    };
    const auto metrics = metricsForRect(rect);
    if (!metrics)
        return noBorder();
    const double d = metrics->depth;

    kit::Path path;
    const kit::Point start(x + d + m_start.x * metrics->stepW, y + h - d + m_start.y * d);
    if (!isDrawable(start))
        return noBorder();
    path.moveTo(start);

    // Edges in order top, right, bottom, left; each pivot is the inner corner
    // of the band where that edge starts, and the motif is laid out as for the
    // top edge and turned about it.
    kit::Point pivot(x + d, y + h - d);
    int degree = 0;
    for (int edge = 0; edge < 4; ++edge, degree += 90) {
        const bool horizontal = edge % 2 == 0;
        const double step = horizontal ? metrics->stepW : metrics->stepH;
        const int count = horizontal ? metrics->countW : metrics->countH;
        double c = pivot.x;
        for (int i = 0; i < count; ++i) {
            // Only the last repeat of an edge may reach past its repeat (into
            // the corner square) or past the outer edge.
            const bool clamp = i < count - 1;
            bool drawable = true;
            const auto place = [&](kit::Point uv) {
                const double u = clamp && uv.x > 1 ? 1.0 : uv.x;
                const double v = clamp && uv.y > 1 ? 1.0 : uv.y;
                const kit::Point p = rotatePoint({ c + u * step, pivot.y + v * d }, pivot, degree);
                drawable = drawable && isDrawable(p);
                return p;
            };
            for (const Component& component : m_components) {
                const std::vector<kit::Point>& values = component.values;
                if (component.type == Component::Type::Line) {
                    for (const kit::Point& p : values) {
                        const kit::Point q = place(p);
                        if (!drawable)
                            return noBorder();
                        path.lineTo(q);
                    }
                } else {
                    for (size_t k = 0; k + 2 < values.size(); k += 3) {
                        const kit::Point c1 = place(values[k]);
                        const kit::Point c2 = place(values[k + 1]);
                        const kit::Point end = place(values[k + 2]);
                        if (!drawable)
                            return noBorder();
                        path.curveTo(c1, c2, end);
                    }
                }
            }
            c += step;
        }
        pivot = rotatePoint({ c, pivot.y }, pivot, degree);
    }
    path.close();
    return path;
}

kit::Point KLFrameBorder::rotatePoint(kit::Point p, kit::Point at, int degree)
{
    if (degree % 360 == 0)
        return p;
    const double dx = kit::f32(p.x - at.x);
    const double dy = kit::f32(p.y - at.y);
    switch (degree) {
    case 90:
        return { at.x + dy, at.y - dx };
    case 180:
        return { at.x - dx, at.y - dy };
    case 270:
        return { at.x - dy, at.y + dx };
    default:
        return p;
    }
}
