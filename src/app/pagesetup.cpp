#include "pagesetup.h"

#include <cmath>

#include <QRegularExpression>

namespace pagesetup {

namespace {

struct NamedPaper
{
    const char* name;
    QPageSize::PageSizeId id;
};

constexpr NamedPaper kPapers[] = {
    { "A3", QPageSize::A3 },       { "A4", QPageSize::A4 },
    { "A5", QPageSize::A5 },       { "A6", QPageSize::A6 },
    { "B5", QPageSize::B5 },       { "Letter", QPageSize::Letter },
    { "Legal", QPageSize::Legal }, { "Tabloid", QPageSize::Tabloid },
};

bool usable(kit::Size s)
{
    return std::isfinite(s.width) && std::isfinite(s.height) && s.width > 0 && s.height > 0;
}

bool fits(kit::Size frame, kit::Size area)
{
    // A hair of tolerance: a frame computed to fill the area exactly may come
    // back a rounding error larger.
    return usable(frame) && frame.width <= area.width + 1e-6 && frame.height <= area.height + 1e-6;
}

} // namespace

std::optional<QPageSize> parsePaper(const QString& text)
{
    const QString name = text.trimmed();
    for (const NamedPaper& paper : kPapers) {
        if (name.compare(QLatin1String(paper.name), Qt::CaseInsensitive) == 0)
            return QPageSize(paper.id);
    }
    static const QRegularExpression custom(
        QStringLiteral(R"(^(\d+(?:\.\d+)?)\s*[xX×]\s*(\d+(?:\.\d+)?)\s*mm$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = custom.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    // Digits and one point only, so the C locale's reading is the one meant.
    const double w = m.captured(1).toDouble();
    const double h = m.captured(2).toDouble();
    auto inRange = [](double v) {
        return v >= kMinPaperMm && v <= kMaxPaperMm;
    };
    if (!inRange(w) || !inRange(h))
        return std::nullopt;
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

QString paperNames()
{
    QString names;
    for (const NamedPaper& paper : kPapers)
        names += QLatin1String(paper.name) + QStringLiteral(", ");
    return names + QStringLiteral("or WxHmm");
}

QPageLayout::Orientation orientationFor(const FrameForWidth& frameForWidth)
{
    const kit::Size s = frameForWidth ? frameForWidth(1000) : kit::Size();
    return usable(s) && s.width > s.height ? QPageLayout::Landscape : QPageLayout::Portrait;
}

kit::Size fitFrame(const FrameForWidth& frameForWidth, kit::Size area)
{
    if (!frameForWidth || !usable(area))
        return {};
    double low = 1;
    double high = std::floor(area.width);
    if (high < 1 || !fits(frameForWidth(low), area))
        return {};
    if (fits(frameForWidth(high), area))
        return frameForWidth(high);
    // The frame grows with its width; find the widest whole width that fits.
    while (high - low > 1) {
        const double mid = std::floor((low + high) / 2);
        (fits(frameForWidth(mid), area) ? low : high) = mid;
    }
    return frameForWidth(low);
}

QRectF centred(kit::Size frame, const QRectF& area)
{
    const double x = std::round(area.x() + (area.width() - frame.width) / 2);
    const double y = std::round(area.y() + (area.height() - frame.height) / 2);
    return { x, y, frame.width, frame.height };
}

} // namespace pagesetup
