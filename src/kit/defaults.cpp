#include "defaults.h"

#include <cmath>
#include <limits>

#include <QCoreApplication>
#include <QSettings>

namespace kit {

namespace {

bool isScalar(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash:
        return false;
    default:
        return v.isValid();
    }
}

std::optional<double> toFiniteDouble(const QVariant& v)
{
    if (!isScalar(v) || v.typeId() == QMetaType::Bool)
        return std::nullopt;
    bool ok = false;
    // INI values come back as text; "1e3" and " 42 " are numbers, "12abc" is not.
    const double d =
        v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

} // namespace

Defaults& Defaults::standard()
{
    static Defaults defaults;
    return defaults;
}

Defaults::Defaults()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QCoreApplication::organizationName(),
                                             QCoreApplication::applicationName()))
{ }

Defaults::Defaults(const QString& path)
    : m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{ }

Defaults::~Defaults() = default;

bool Defaults::contains(const QString& key) const
{
    return valueForKey(key).has_value();
}

std::optional<QVariant> Defaults::valueForKey(const QString& key) const
{
    if (key.isEmpty())
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    if (!m_settings->contains(key))
        return std::nullopt;
    QVariant v = m_settings->value(key);
    if (!v.isValid())
        return std::nullopt;
    return v;
}

std::optional<bool> Defaults::boolForKey(const QString& key) const
{
    const auto v = valueForKey(key);
    if (!v || !isScalar(*v))
        return std::nullopt;
    if (v->typeId() == QMetaType::Bool)
        return v->toBool();
    if (v->typeId() == QMetaType::QString) {
        const QString s = v->toString().trimmed().toLower();
        if (s == u"true" || s == u"yes")
            return true;
        if (s == u"false" || s == u"no")
            return false;
    }
    if (const auto d = toFiniteDouble(*v))
        return *d != 0;
    return std::nullopt;
}

std::optional<int> Defaults::intForKey(const QString& key) const
{
    const auto v = valueForKey(key);
    if (!v)
        return std::nullopt;
    const auto d = toFiniteDouble(*v);
    if (!d)
        return std::nullopt;
    const double t = std::trunc(*d);
    if (t < std::numeric_limits<int>::min() || t > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(t);
}

std::optional<double> Defaults::doubleForKey(const QString& key) const
{
    const auto v = valueForKey(key);
    if (!v)
        return std::nullopt;
    return toFiniteDouble(*v);
}

std::optional<QString> Defaults::stringForKey(const QString& key) const
{
    const auto v = valueForKey(key);
    if (!v || !isScalar(*v) || !v->canConvert<QString>())
        return std::nullopt;
    return v->toString();
}

std::optional<QByteArray> Defaults::dataForKey(const QString& key) const
{
    const auto v = valueForKey(key);
    if (!v || !isScalar(*v) || !v->canConvert<QByteArray>())
        return std::nullopt;
    return v->toByteArray();
}

void Defaults::set(const QString& key, const QVariant& value)
{
    if (key.isEmpty())
        return;
    if (!value.isValid()) {
        remove(key);
        return;
    }
    std::lock_guard lock(m_mutex);
    m_settings->setValue(key, value);
}

void Defaults::remove(const QString& key)
{
    if (key.isEmpty())
        return;
    std::lock_guard lock(m_mutex);
    m_settings->remove(key);
}

bool Defaults::synchronize()
{
    std::lock_guard lock(m_mutex);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace kit
