#include "folders.h"

#include "logging.h"
#include "userfile.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace kit {

namespace {

QString fromEnvironment(const char* name)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString() : QDir::cleanPath(QDir(value).absolutePath());
}

bool nameLess(const QFileInfo& a, const QFileInfo& b)
{
    const int c = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a.fileName() < b.fileName();
}

void walkInto(const QString& root, const QString& relative, QStringList& out)
{
    const QDir dir(relative.isEmpty() ? root : root + u'/' + relative);
    // No QDir::System: sockets, devices and broken links are not library entries.
    QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot);
    std::sort(entries.begin(), entries.end(), nameLess);
    for (const QFileInfo& entry : entries) {
        const QString path =
            relative.isEmpty() ? entry.fileName() : relative + u'/' + entry.fileName();
        out.append(path);
        // Links to folders are listed but not entered, so a link cycle ends.
        if (entry.isDir() && !entry.isSymLink())
            walkInto(root, path, out);
    }
}

bool copyFile(const QString& source, const QString& destination)
{
    QFile in;
    QString reason;
    if (!openUserFile(in, source, kNoSizeLimit, &reason)) {
        qCWarning(lcLibrary).noquote() << QStringLiteral("Cannot read %1: %2").arg(source, reason);
        return false;
    }
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly)) {
        qCWarning(lcLibrary).noquote()
            << QStringLiteral("Cannot write %1: %2").arg(destination, out.errorString());
        return false;
    }
    QByteArray chunk;
    while (!in.atEnd()) {
        chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            break;
        if (out.write(chunk) != chunk.size())
            break;
    }
    if (in.error() != QFileDevice::NoError || out.error() != QFileDevice::NoError) {
        qCWarning(lcLibrary).noquote()
            << QStringLiteral("Cannot copy %1 to %2").arg(source, destination);
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace

QString Folders::folderName(LibraryFolder folder)
{
    switch (folder) {
    case LibraryFolder::Templates:
        return QStringLiteral("Templates");
    case LibraryFolder::Backgrounds:
        return QStringLiteral("Backgrounds");
    case LibraryFolder::Borders:
        return QStringLiteral("Borders");
    case LibraryFolder::Styles:
        return QStringLiteral("Styles");
    }
    return {};
}

QString Folders::resourceFolder()
{
    if (QString env = fromEnvironment("TESSERA_RESOURCES"); !env.isEmpty())
        return env;
    if (QCoreApplication::instance()) {
        const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                                  + QStringLiteral("/../share/tessera/resources"));
        if (QFileInfo(installed).isDir())
            return installed;
    }
#ifdef TESSERA_SOURCE_RESOURCES
    return QDir::cleanPath(QStringLiteral(TESSERA_SOURCE_RESOURCES));
#else
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/resources"));
#endif
}

QString Folders::resourcePath(const QString& relative)
{
    return QDir::cleanPath(resourceFolder() + u'/' + relative);
}

QString Folders::resourceFolder(LibraryFolder folder)
{
    return resourceFolder() + u'/' + folderName(folder);
}

QString Folders::userFolder()
{
    if (QString env = fromEnvironment("TESSERA_DOCUMENTS"); !env.isEmpty())
        return env;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath() + QStringLiteral("/Documents");
    return QDir::cleanPath(documents + QStringLiteral("/Tessera"));
}

QString Folders::userFolder(LibraryFolder folder)
{
    return userFolder() + u'/' + folderName(folder);
}

bool Folders::isShipped(LibraryFolder folder, const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString shipped = QDir::cleanPath(resourceFolder(folder));
    const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (const QString& root : { shipped, QDir::cleanPath(userFolder(folder)) }) {
        if (file.startsWith(root + u'/'))
            return QFileInfo(shipped + file.mid(root.size())).isFile();
    }
    return false;
}

bool Folders::removeFile(const QString& path)
{
    QFile file(path);
    if (file.remove() || !QFileInfo::exists(path))
        return true;
    qCWarning(lcLibrary).noquote()
        << QStringLiteral("Cannot delete %1: %2").arg(path, file.errorString());
    return false;
}

std::optional<QString> Folders::ensureUserFolder(LibraryFolder folder)
{
    const QString path = userFolder(folder);
    if (QFileInfo(path).isDir() || QDir().mkpath(path))
        return path;
    qCWarning(lcLibrary).noquote() << QStringLiteral("Cannot create folder %1").arg(path);
    return std::nullopt;
}

QStringList Folders::walk(const QString& folder)
{
    QStringList out;
    if (QFileInfo(folder).isDir())
        walkInto(QDir::cleanPath(folder), QString(), out);
    return out;
}

QStringList Folders::walkFiles(const QString& folder, const QStringList& upperExtensions)
{
    QStringList out;
    const QString root = QDir::cleanPath(folder);
    for (const QString& relative : walk(folder)) {
        const QFileInfo info(root + u'/' + relative);
        // suffix() is what follows the last '.', as the extension test wants.
        if (info.isFile() && upperExtensions.contains(info.suffix().toUpper()))
            out.append(relative);
    }
    return out;
}

std::optional<QString> Folders::uniqueFilePath(const QString& folder, const QString& fileName,
                                               int maxSuffix)
{
    const QString dir = QDir::cleanPath(folder);
    const QString first = dir + u'/' + fileName;
    if (!exists(first))
        return first;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    // A leading dot (".hidden") starts the name, not an extension.
    const bool hasExtension = dot > 0;
    const QString base = hasExtension ? fileName.left(dot) : fileName;
    const QString extension = hasExtension ? fileName.mid(dot) : QString();
    for (int n = 1; n <= maxSuffix; ++n) {
        // Concatenated, not arg()-formatted: names may contain "%1".
        const QString candidate = dir + u'/' + base + u'-' + QString::number(n) + extension;
        if (!exists(candidate))
            return candidate;
    }
    return std::nullopt;
}

bool Folders::exists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool Folders::copyItem(const QString& source, const QString& destination)
{
    const QFileInfo from(source);
    if (!from.exists()) {
        qCWarning(lcLibrary).noquote() << QStringLiteral("Cannot copy missing %1").arg(source);
        return false;
    }
    if (exists(destination))
        return false;
    const QString parent = QFileInfo(destination).absolutePath();
    if (!QDir().mkpath(parent)) {
        qCWarning(lcLibrary).noquote() << QStringLiteral("Cannot create folder %1").arg(parent);
        return false;
    }
    if (!from.isDir())
        return copyFile(source, destination);

    // A copy into the source itself would walk its own output.
    const QString src = from.canonicalFilePath();
    const QString dst = QFileInfo(parent).canonicalFilePath();
    if (dst == src || dst.startsWith(src + u'/')) {
        qCWarning(lcLibrary).noquote() << QStringLiteral("Cannot copy %1 into itself").arg(source);
        return false;
    }
    const QStringList entries = walk(source);
    if (!QDir().mkpath(destination))
        return false;
    bool ok = true;
    for (const QString& relative : entries) {
        const QString s = source + u'/' + relative;
        const QString d = destination + u'/' + relative;
        if (QFileInfo(s).isDir())
            ok = QDir().mkpath(d) && ok;
        else
            ok = copyFile(s, d) && ok;
    }
    return ok;
}

bool Folders::removeItem(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    if (!exists(path))
        return true;
    return QFile::remove(path);
}

std::optional<QString> Folders::addToUserFolder(LibraryFolder folder, const QString& filePath)
{
    // Only plain files: a folder that happens to be named "x.png" is no picture.
    if (!QFileInfo(filePath).isFile())
        return std::nullopt;
    const std::optional<QString> target = ensureUserFolder(folder);
    if (!target)
        return std::nullopt;
    const std::optional<QString> path = uniqueFilePath(*target, QFileInfo(filePath).fileName());
    if (!path || !copyItem(filePath, *path))
        return std::nullopt;
    return path;
}

} // namespace kit
