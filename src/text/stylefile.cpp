#include "stylefile.h"

#include "propertylist.h"

#include "kit/logging.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

void putFloat(QByteArray& out, float v)
{
    const auto bits = std::bit_cast<quint32>(v);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((bits >> shift) & 0xff));
}

float getFloat(const QByteArray& data, int at)
{
    quint32 bits = 0;
    for (int i = 0; i < 4; ++i)
        bits = (bits << 8) | quint8(data[at + i]);
    return std::bit_cast<float>(bits);
}

// The number of a numeric key, or nothing when absent or of another kind.
std::optional<double> number(const QVariantMap& map, const char* key)
{
    const auto it = map.constFind(QLatin1String(key));
    if (it == map.constEnd())
        return std::nullopt;
    switch (it->typeId()) {
    case QMetaType::Double:
    case QMetaType::LongLong:
        return it->toDouble();
    default:
        return std::nullopt;
    }
}

double numberOr0(const QVariantMap& map, const char* key)
{
    return number(map, key).value_or(0);
}

std::optional<QColor> colour(const QVariantMap& map, const char* key)
{
    const auto it = map.constFind(QLatin1String(key));
    if (it == map.constEnd() || it->typeId() != QMetaType::QByteArray)
        return std::nullopt;
    return unarchiveColor(it->toByteArray());
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QByteArray archiveColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    QByteArray out;
    out.reserve(16);
    putFloat(out, float(rgb.redF()));
    putFloat(out, float(rgb.greenF()));
    putFloat(out, float(rgb.blueF()));
    putFloat(out, float(rgb.alphaF()));
    return out;
}

std::optional<QColor> unarchiveColor(const QByteArray& data)
{
    if (data.size() == 4) {
        return QColor(quint8(data[0]), quint8(data[1]), quint8(data[2]), quint8(data[3]));
    }
    if (data.size() != 16)
        return std::nullopt;
    float c[4];
    for (int i = 0; i < 4; ++i) {
        c[i] = getFloat(data, 4 * i);
        if (!std::isfinite(c[i]))
            return std::nullopt;
        c[i] = std::clamp(c[i], 0.0f, 1.0f);
    }
    return QColor::fromRgbF(c[0], c[1], c[2], c[3]);
}

std::optional<TextStyle> styleFromPropertyList(const QByteArray& bytes, QString* error)
{
    const std::optional<QVariantMap> map = plist::readDictionary(bytes, error);
    if (!map)
        return std::nullopt;
    namespace K = TextStyleKey;
    TextStyle s;
    if (const auto it = map->constFind(QLatin1String(K::String));
        it != map->constEnd() && it->typeId() == QMetaType::QString)
        s.text = it->toString();
    if (const auto it = map->constFind(QLatin1String(K::FontName));
        it != map->constEnd() && it->typeId() == QMetaType::QString)
        s.fontName = it->toString();
    s.height = numberOr0(*map, K::Height);
    s.ratio = numberOr0(*map, K::Ratio);
    s.scaleHeight = numberOr0(*map, K::ScaleHeight);
    s.fontSize = numberOr0(*map, K::FontSize);
    s.strokeWidth = numberOr0(*map, K::StrokeWidth);
    s.shadowOffset = numberOr0(*map, K::ShadowOffset);
    s.shadowBlur = numberOr0(*map, K::ShadowBlur);
    s.shadowDegree = numberOr0(*map, K::ShadowDegree);
    s.opacity = numberOr0(*map, K::Opacity);
    s.fontColor = colour(*map, K::FontColor);
    s.strokeColor = colour(*map, K::StrokeColor);
    s.shadowColor = colour(*map, K::ShadowColor);
    if (const auto it = map->constFind(QLatin1String(K::Shadow)); it != map->constEnd()) {
        if (it->typeId() == QMetaType::Bool)
            s.shadow = it->toBool();
        else if (const std::optional<double> v = number(*map, K::Shadow))
            s.shadow = *v != 0;
    }
    return s;
}

QByteArray propertyListFromStyle(const TextStyle& s)
{
    namespace K = TextStyleKey;
    // Truncated toward zero; a value beyond what an integer holds (or NaN)
    // is stored as 0 rather than as garbage.
    auto integer = [](double v) -> QVariant {
        return std::isfinite(v) && std::abs(v) < 1e15 ? qint64(v) : qint64(0);
    };
    std::vector<std::pair<QString, QVariant>> entries;
    auto add = [&entries](const char* key, QVariant value) {
        entries.emplace_back(QLatin1String(key), std::move(value));
    };
    if (s.text)
        add(K::String, *s.text);
    add(K::Height, s.height);
    add(K::Ratio, s.ratio);
    add(K::ScaleHeight, s.scaleHeight);
    add(K::FontName, s.fontName);
    add(K::FontSize, s.fontSize);
    if (s.fontColor)
        add(K::FontColor, archiveColor(*s.fontColor));
    add(K::StrokeWidth, integer(s.strokeWidth));
    if (s.strokeColor)
        add(K::StrokeColor, archiveColor(*s.strokeColor));
    add(K::Shadow, s.shadow);
    if (s.shadowColor)
        add(K::ShadowColor, archiveColor(*s.shadowColor));
    add(K::ShadowOffset, integer(s.shadowOffset));
    add(K::ShadowBlur, integer(s.shadowBlur));
    add(K::ShadowDegree, integer(s.shadowDegree));
    add(K::Opacity, s.opacity);
    return plist::writeDictionary(entries);
}

std::optional<TextStyle> readStyleFile(const QString& path)
{
    auto refuse = [&path](const QString& reason) {
        kit::log(kit::lcText(),
                 QStringLiteral("Load style file '%1' failed: %2").arg(path, reason));
        return std::nullopt;
    };
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return refuse(QStringLiteral("no such file"));
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    if (file.size() > kMaxStyleFileBytes)
        return refuse(QStringLiteral("larger than %1 bytes").arg(kMaxStyleFileBytes));
    // The size may change under us; never read past the limit.
    const QByteArray bytes = file.read(kMaxStyleFileBytes + 1);
    if (bytes.size() > kMaxStyleFileBytes)
        return refuse(QStringLiteral("larger than %1 bytes").arg(kMaxStyleFileBytes));
    QString reason;
    std::optional<TextStyle> style = styleFromPropertyList(bytes, &reason);
    if (!style)
        return refuse(reason);
    return style;
}

bool writeStyleFile(const QString& path, const TextStyle& style, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    const QByteArray bytes = propertyListFromStyle(style);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

QString stylePreviewPath(const QString& stylePath)
{
    const QFileInfo info(stylePath);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return stylePath + QStringLiteral(".png");
    return stylePath.left(stylePath.size() - suffix.size()) + QStringLiteral("png");
}
