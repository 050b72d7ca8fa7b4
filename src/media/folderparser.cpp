#include "folderparser.h"

#include "kit/localisation.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Photo formats the editor reads; others (RAW, videos) are not listed.
const QStringList& photoExtensions()
{
    static const QStringList extensions {
        "jpg", "jpeg", "png", "bmp", "tif", "tiff", "webp", "gif"
    };
    return extensions;
}

} // namespace

FolderParser::FolderParser(Kind kind, const QString& path, const QString& displayName)
    : m_kind(kind), m_path(QDir::cleanPath(path)), m_displayName(displayName)
{ }

QString FolderParser::className() const
{
    switch (m_kind) {
    case Kind::Pictures:
        return QStringLiteral("IMBPicturesFolderParser");
    case Kind::Added:
        return QStringLiteral("IMBFolderParser");
    case Kind::Removable:
        return QStringLiteral("IMBVolumeParser");
    }
    return {};
}

QString FolderParser::unusableReason() const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return QStringLiteral("no folder at %1").arg(m_path);
    if (!info.isDir())
        return QStringLiteral("%1 is not a folder").arg(m_path);
    if (!info.isReadable() || !info.isExecutable())
        return QStringLiteral("folder %1 cannot be read").arg(m_path);
    return {};
}

bool FolderParser::canBeUsed() const
{
    return unusableReason().isEmpty();
}

bool FolderParser::isPhotoFile(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && photoExtensions().contains(fileName.mid(dot + 1).toLower());
}

MediaNode FolderParser::topNode() const
{
    const QString name = m_displayName.isEmpty() ? QFileInfo(m_path).fileName() : m_displayName;
    return listFolder(m_path, name.isEmpty() ? m_path : name);
}

MediaNode FolderParser::populate(const MediaNode& node) const
{
    MediaNode filled = listFolder(node.location, node.name);
    return filled;
}

MediaNode FolderParser::listFolder(const QString& path, const QString& name) const
{
    MediaNode node;
    node.identifier = nodeIdentifier(path);
    node.name = name;
    node.parserIdentifier = identifier();
    node.kind = MediaNodeKind::Folder;
    node.location = path;
    node.populated = true;

    QDir dir(path);
    if (!dir.exists() || !QFileInfo(path).isReadable()) {
        node.error = kit::localized("MEDIA_FOLDER_UNREADABLE").arg(path);
        return node;
    }
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                          QDir::Name | QDir::IgnoreCase | QDir::DirsFirst);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            // Links to folders could loop; they are followed only as photos.
            if (entry.isSymLink())
                continue;
            MediaNode sub;
            sub.location = entry.absoluteFilePath();
            sub.identifier = nodeIdentifier(sub.location);
            sub.name = entry.fileName();
            sub.parserIdentifier = identifier();
            sub.kind = MediaNodeKind::Folder;
            node.subnodes.push_back(std::move(sub));
        } else if (isPhotoFile(entry.fileName())) {
            node.objects.push_back({ entry.fileName(), entry.absoluteFilePath(), {}, {} });
        }
    }
    return node;
}
