#include "digikamparser.h"

#include "readonlydatabase.h"

#include "kit/localisation.h"

#include <map>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QStringList kRootColumns { "id", "label", "identifier", "specificPath" };
const QStringList kAlbumColumns { "id", "albumRoot", "relativePath" };
const QStringList kImageColumns { "id", "album", "name", "status", "category" };

constexpr int kMaxPathLength = 4096;

// The folder of a collection, from its identifier and specific path; empty
// for collections on volumes named by UUID, which need the mount table.
QString collectionFolder(const QString& identifier, const QString& specificPath)
{
    const QUrl url(identifier);
    if (url.scheme() != QLatin1String("volumeid"))
        return {};
    const QString base = QUrlQuery(url).queryItemValue(QStringLiteral("path"), QUrl::FullyDecoded);
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        return {};
    if (specificPath.isEmpty() || specificPath == QLatin1String("/"))
        return QDir::cleanPath(base);
    return QDir::cleanPath(base + QLatin1Char('/') + specificPath);
}

} // namespace

DigikamParser::DigikamParser(const QString& configFile) : m_configFile(configFile) { }

QString DigikamParser::databasePath() const
{
    if (!QFileInfo(m_configFile).isFile())
        return {};
    QSettings settings(m_configFile, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Database Settings"));
    const QString type = settings.value(QStringLiteral("Database Type")).toString();
    const QString folder = settings.value(QStringLiteral("Database Name")).toString();
    if ((!type.isEmpty() && type != QLatin1String("QSQLITE")) || folder.isEmpty())
        return {};
    return QDir::cleanPath(folder) + QStringLiteral("/digikam4.db");
}

QString DigikamParser::unusableReason() const
{
    const QString path = databasePath();
    if (path.isEmpty())
        return QStringLiteral("%1 names no SQLite database").arg(m_configFile);
    ReadOnlyDatabase db(path);
    if (!db.isOpen())
        return db.error();
    if (!db.hasColumns(QStringLiteral("AlbumRoots"), kRootColumns)
        || !db.hasColumns(QStringLiteral("Albums"), kAlbumColumns)
        || !db.hasColumns(QStringLiteral("Images"), kImageColumns))
        return QStringLiteral("database %1 has a layout this version does not know").arg(path);
    return {};
}

MediaNode DigikamParser::topNode() const
{
    MediaNode top;
    top.identifier = nodeIdentifier(QString());
    top.name = QStringLiteral("digiKam");
    top.parserIdentifier = identifier();
    top.kind = MediaNodeKind::Library;
    top.populated = true;

    ReadOnlyDatabase db(databasePath());
    if (!db.isOpen()) {
        top.error = kit::localized("MEDIA_LIBRARY_UNREADABLE").arg(top.name);
        return top;
    }

    std::map<qint64, std::pair<QString, QString>> roots; // id -> (folder, label)
    QSqlQuery rootQuery(db.database());
    if (rootQuery.exec(
            QStringLiteral("SELECT id, label, identifier, specificPath FROM AlbumRoots"))) {
        while (rootQuery.next()) {
            const QString folder =
                collectionFolder(rootQuery.value(2).toString().left(kMaxPathLength),
                                 rootQuery.value(3).toString().left(kMaxPathLength));
            if (!folder.isEmpty())
                roots[rootQuery.value(0).toLongLong()] = {
                    folder, rootQuery.value(1).toString().left(200)
                };
        }
    }

    struct Album
    {
        QString folder;
        MediaNode node;
    };
    std::map<qint64, Album> albums;
    QSqlQuery albumQuery(db.database());
    if (albumQuery.exec(QStringLiteral("SELECT id, albumRoot, relativePath FROM Albums "
                                       "ORDER BY albumRoot, relativePath"))) {
        while (albumQuery.next()) {
            const auto root = roots.find(albumQuery.value(1).toLongLong());
            const QString relative = albumQuery.value(2).toString();
            if (root == roots.end() || relative.size() > kMaxPathLength)
                continue;
            const qint64 id = albumQuery.value(0).toLongLong();
            Album album;
            album.folder = QDir::cleanPath(root->second.first + QLatin1Char('/') + relative);
            // An album outside its collection ("/../..") is a damaged row.
            if (!album.folder.startsWith(root->second.first))
                continue;
            album.node.identifier = nodeIdentifier(QString::number(id));
            album.node.location = QString::number(id);
            album.node.parserIdentifier = identifier();
            album.node.kind = MediaNodeKind::Album;
            album.node.populated = true;
            const QString trimmed = relative.mid(relative.startsWith(QLatin1Char('/')) ? 1 : 0);
            album.node.name = trimmed.isEmpty() ? root->second.second : trimmed;
            if (album.node.name.isEmpty())
                album.node.name = QFileInfo(album.folder).fileName();
            albums[id] = std::move(album);
        }
    }

    QSqlQuery imageQuery(db.database());
    imageQuery.setForwardOnly(true);
    imageQuery.prepare(
        QStringLiteral("SELECT album, name FROM Images WHERE status = ? AND category = ? "
                       "ORDER BY album, name"));
    imageQuery.addBindValue(kVisibleStatus);
    imageQuery.addBindValue(kImageCategory);
    if (imageQuery.exec()) {
        while (imageQuery.next()) {
            const auto album = albums.find(imageQuery.value(0).toLongLong());
            const QString name = imageQuery.value(1).toString();
            if (album == albums.end() || name.isEmpty() || name.size() > 255
                || name.contains(QLatin1Char('/')))
                continue;
            const QString path = album->second.folder + QLatin1Char('/') + name;
            if (!QFileInfo(path).isFile())
                continue;
            album->second.node.objects.push_back({ name, path, {}, {} });
        }
    } else {
        top.error = kit::localized("MEDIA_LIBRARY_UNREADABLE").arg(top.name);
    }

    for (auto& [id, album] : albums) {
        if (!album.node.objects.empty())
            top.subnodes.push_back(std::move(album.node));
    }
    return top;
}
