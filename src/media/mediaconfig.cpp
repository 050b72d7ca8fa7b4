#include "mediaconfig.h"

#include "kit/defaults.h"

namespace MediaConfig {

namespace {

bool g_showsGroupNodes = true;
bool g_useGlobalViewType = false;

QString prefsKey(const QString& kind)
{
    return QStringLiteral("MediaBrowser/") + kind;
}

} // namespace

void setShowsGroupNodes(bool on)
{
    g_showsGroupNodes = on;
}

bool showsGroupNodes()
{
    return g_showsGroupNodes;
}

void setUseGlobalViewType(bool on)
{
    g_useGlobalViewType = on;
}

bool useGlobalViewType()
{
    return g_useGlobalViewType;
}

QVariantMap prefsForClass(const QString& kind)
{
    const auto value = kit::Defaults::standard().valueForKey(prefsKey(kind));
    return value ? value->toMap() : QVariantMap();
}

void setPrefsForClass(const QVariantMap& prefs, const QString& kind)
{
    kit::Defaults::standard().set(prefsKey(kind), prefs);
}

} // namespace MediaConfig
