#include "exportsettings.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFileInfo>

namespace exportsettings {

namespace {

bool positiveFinite(double v)
{
    return std::isfinite(v) && v > 0;
}

kit::Size usableRatio(kit::Size ratio)
{
    if (!positiveFinite(ratio.width) || !positiveFinite(ratio.height))
        return { 1, 1 };
    return ratio;
}

} // namespace

kit::ImageFormat formatForFileType(int position)
{
    switch (position) {
    case 1:
        return kit::ImageFormat::Jpeg;
    case 2:
        return kit::ImageFormat::Tiff;
    case 3:
        return kit::ImageFormat::Bmp;
    default:
        return kit::ImageFormat::Png;
    }
}

QString extensionForFileType(int position)
{
    return kit::formatExtension(formatForFileType(position));
}

int fileTypeOrDefault(std::optional<int> stored)
{
    return stored && *stored >= 0 && *stored < kFileTypeCount ? *stored : 0;
}

int sizeTypeOrDefault(std::optional<int> stored)
{
    return stored && *stored >= 0 && *stored < kSizeTypeCount ? *stored : 0;
}

double widthForTag(int tag)
{
    switch (tag) {
    case kSizeTagBase + Big:
        return 1024;
    case kSizeTagBase + Middle:
        return 640;
    default:
        return 320;
    }
}

kit::Size ratioOutputSize(double width, kit::Size ratio)
{
    const kit::Size r = usableRatio(ratio);
    return { width, width * r.height / r.width };
}

kit::Size serialOutputSize(double width, float ratio, bool limitToMaxSide)
{
    const double r = positiveFinite(ratio) ? double(ratio) : 1.0;
    const double m = kSerialFrameAllowance;
    if (!limitToMaxSide)
        return { width, (width - m) / r + m };

    // At least one unit of content, at most the largest side.
    double w = std::clamp(std::round(width), m + 1, kMaxSide);
    if ((w - m) / r + m > kMaxSide)
        w = std::max(m + 1, std::floor((kMaxSide - m) * r + m));
    const double h = std::min(kMaxSide, std::round((w - m) / r + m));
    return { w, h };
}

double parseDimension(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || std::isnan(v) || v < 0)
        return 0;
    return std::min(kMaxSide, v);
}

QString formatDimension(double value)
{
    return QString::asprintf("%.0f", value);
}

double linkedValueWhileTyping(Field edited, double typed, kit::Size ratio)
{
    const kit::Size r = usableRatio(ratio);
    const double v = std::min(kMaxSide, typed);
    const double other = edited == Field::Width ? r.height * v / r.width : r.width * v / r.height;
    return std::min(kMaxSide, other);
}

kit::Size linkedSizeAtEnd(Field edited, double typed, kit::Size ratio)
{
    const kit::Size r = usableRatio(ratio);
    if (edited == Field::Width) {
        double w = std::min(kMaxSide, typed);
        double h = w * r.height / r.width;
        if (h > kMaxSide) {
            h = kMaxSide;
            w = r.width * kMaxSide / r.height;
        }
        return { w, h };
    }
    double h = std::min(kMaxSide, typed);
    double w = h * r.width / r.height;
    if (w > kMaxSide) {
        w = kMaxSide;
        h = r.height * kMaxSide / r.width;
    }
    return { w, h };
}

QString proposedFileName(int fileType)
{
    return QStringLiteral("Frame.%1").arg(extensionForFileType(fileType));
}

QString fileNameForType(const QString& name, int fileType)
{
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    const QString base = name.mid(slash + 1);
    if (base.isEmpty())
        return name;
    const kit::ImageFormat format = formatForFileType(fileType);
    const QString wanted = extensionForFileType(fileType);
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    // A leading dot starts a hidden file's name, not an extension.
    if (dot <= 0)
        return name + QLatin1Char('.') + wanted;
    if (dot == base.size() - 1)
        return name + wanted;
    const auto current = kit::formatFromExtension(base.mid(dot + 1));
    if (current == format)
        return name;
    if (current)
        return name.left(slash + 1 + dot + 1) + wanted;
    return name + QLatin1Char('.') + wanted;
}

QString startFolder(const std::optional<QString>& stored, const QString& home)
{
    if (stored && !stored->isEmpty() && QFileInfo(*stored).isDir())
        return *stored;
    const QString desktop = QDir(home).filePath(QStringLiteral("Desktop"));
    if (QFileInfo(desktop).isDir())
        return desktop;
    return home;
}

} // namespace exportsettings
