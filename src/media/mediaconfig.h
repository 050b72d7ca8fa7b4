#pragma once

// Settings of the media browser shared by its views: whether the source list
// shows group headers (Libraries, Folders, Internet), and whether one view
// type (icons or list) holds for every grid or each kind of grid keeps its
// own. Per-kind preferences are dictionaries stored in the preferences
// database under "MediaBrowser/<kind>". Main thread only.

#include <QString>
#include <QVariantMap>

namespace MediaConfig {

void setShowsGroupNodes(bool on);
bool showsGroupNodes();
void setUseGlobalViewType(bool on);
bool useGlobalViewType();

// The preferences of the grids of `kind` (the grid's class name); empty when
// none are stored.
QVariantMap prefsForClass(const QString& kind);
void setPrefsForClass(const QVariantMap& prefs, const QString& kind);

// Key of the view type in a preferences dictionary: 0 icons, 1 list.
inline constexpr const char* kViewTypeKey = "viewType";

} // namespace MediaConfig
