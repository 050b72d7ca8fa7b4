#include "reveal.h"

#include "kit/logging.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int kCallTimeoutMs = 5000;

} // namespace

void revealInFileManager(const QString& path, const RevealFailed& failed)
{
    revealInFileManager(
        path, QDBusConnection::sessionBus(),
        [](const QUrl& url) { return QDesktopServices::openUrl(url); }, failed);
}

void revealInFileManager(const QString& path, const QDBusConnection& bus,
                         const UrlOpener& openFolder, const RevealFailed& failed)
{
    const QFileInfo file(path);
    const QUrl folder = QUrl::fromLocalFile(file.absolutePath());
    auto fallBack = [openFolder, folder, failed](const QString& why) {
        kit::log(kit::lcApp(),
                 QStringLiteral("The file manager could not show the file (%1); opening %2")
                     .arg(why, folder.toLocalFile()));
        if (openFolder && !openFolder(folder)) {
            kit::log(kit::lcApp(),
                     QStringLiteral("No application opens %1").arg(folder.toString()));
            if (failed)
                failed(folder.toLocalFile());
        }
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (!bus.isConnected() || !app) {
        fallBack(QStringLiteral("no session bus"));
        return;
    }

    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    // URIs travel percent-encoded: a file manager may refuse "file:///a b".
    call << QStringList {
        QString::fromLatin1(QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded())
    } << QString();
    // Owned by the application until its answer arrives.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs), app);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, app,
                     [watcher, fallBack](QDBusPendingCallWatcher*) {
                         const QDBusPendingReply<> reply = *watcher;
                         if (reply.isError())
                             fallBack(reply.error().message());
                         watcher->deleteLater();
                     });
}
