#pragma once

// Showing a written file to the person in the desktop's file manager.

#include <functional>

#include <QDBusConnection>
#include <QString>

class QUrl;

// Opens a URL with the desktop's default handler; false when nothing took it.
using UrlOpener = std::function<bool(const QUrl&)>;
// Told the file's folder when nothing could show the file, so that the
// person hears of it instead of waiting for a window that never comes.
using RevealFailed = std::function<void(const QString& folder)>;

// Asks the file manager to show `path` selected, through the freedesktop
// org.freedesktop.FileManager1 ShowItems call on the session bus. When there is
// no session bus, no file manager answers or the call fails, the file's folder
// is opened instead (QDesktopServices::openUrl). Returns at once: the call's
// answer, and so the fallback, arrive later in the event loop. When the
// folder cannot be opened either, `failed` is called (later, too). Needs a
// QCoreApplication; never blocks on or fails for want of a bus.
void revealInFileManager(const QString& path, const RevealFailed& failed = {});

// The same on a given bus connection, with a given fallback (tests, other
// sessions).
void revealInFileManager(const QString& path, const QDBusConnection& bus,
                         const UrlOpener& openFolder, const RevealFailed& failed = {});
