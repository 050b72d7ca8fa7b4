#pragma once

// Where a Linux user keeps photos, and the kinds of sources the browser
// knows: the Pictures folder, folders the person added, removable media,
// the Shotwell and digiKam libraries, Flickr, and cameras (never loaded by
// the editor; nothing on this platform lists them).

#include "mediaparsercontroller.h"

#include <QStringList>

class FlickrParser;

struct MediaEnvironment
{
    QString picturesFolder; // XDG_PICTURES_DIR; empty when there is none
    QString dataHome; // XDG_DATA_HOME
    QString configHome; // XDG_CONFIG_HOME
    // Folders whose subfolders are mounted removable media.
    QStringList removableRoots;
    QStringList addedFolders;

    // The running session's folders, and the added folders remembered in the
    // preferences.
    static MediaEnvironment fromSystem();
};

namespace MediaSources {

// Preferences key of the remembered added folders (a list of paths).
inline constexpr const char* kAddedFoldersKey = "MediaFolders";
QStringList rememberedFolders();
void rememberFolders(const QStringList& folders);

// Mounted media under `roots` (their subfolders that are folders).
QStringList mountedMedia(const QStringList& roots);

// The kinds of sources in the order the source list shows them.
std::vector<MediaParserController::Registration> registrations(const MediaEnvironment& environment);

} // namespace MediaSources
