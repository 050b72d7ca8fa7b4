#include "mediasources.h"

#include "digikamparser.h"
#include "flickrparser.h"
#include "folderparser.h"
#include "shotwellparser.h"

#include "kit/defaults.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

MediaEnvironment MediaEnvironment::fromSystem()
{
    MediaEnvironment environment;
    const QString home = QDir::homePath();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    // Without a Pictures folder Qt answers the home folder, which is no
    // photo folder.
    if (!pictures.isEmpty() && QDir(pictures) != QDir(home))
        environment.picturesFolder = pictures;
    environment.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    environment.configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QFileInfo(home).fileName();
    if (!user.isEmpty() && !user.contains(QLatin1Char('/')))
        environment.removableRoots = { QStringLiteral("/media/") + user,
                                       QStringLiteral("/run/media/") + user };
    environment.addedFolders = MediaSources::rememberedFolders();
    return environment;
}

namespace MediaSources {

QStringList rememberedFolders()
{
    const auto value = kit::Defaults::standard().valueForKey(QLatin1String(kAddedFoldersKey));
    return value ? value->toStringList() : QStringList();
}

void rememberFolders(const QStringList& folders)
{
    kit::Defaults::standard().set(QLatin1String(kAddedFoldersKey),
                                  folders.isEmpty() ? QVariant() : QVariant(folders));
    kit::Defaults::standard().synchronize();
}

QStringList mountedMedia(const QStringList& roots)
{
    QStringList media;
    for (const QString& root : roots) {
        const QFileInfoList entries =
            QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries)
            media.append(entry.absoluteFilePath());
    }
    return media;
}

std::vector<MediaParserController::Registration> registrations(const MediaEnvironment& environment)
{
    using Parsers = std::vector<std::shared_ptr<MediaParser>>;
    const QString image = QStringLiteral("image");
    std::vector<MediaParserController::Registration> list;
    list.push_back({ QStringLiteral("IMBShotwellParser"), image, [environment] {
                        return Parsers { std::make_shared<ShotwellParser>(
                            ShotwellParser::databasePath(environment.dataHome)) };
                    } });
    list.push_back({ QStringLiteral("IMBDigikamParser"), image, [environment] {
                        return Parsers { std::make_shared<DigikamParser>(
                            environment.configHome + QStringLiteral("/digikamrc")) };
                    } });
    list.push_back({ QStringLiteral("IMBPicturesFolderParser"), image, [environment] {
                        Parsers parsers;
                        if (!environment.picturesFolder.isEmpty())
                            parsers.push_back(std::make_shared<FolderParser>(
                                FolderParser::Kind::Pictures, environment.picturesFolder,
                                QStandardPaths::displayName(QStandardPaths::PicturesLocation)));
                        return parsers;
                    } });
    list.push_back({ QStringLiteral("IMBFolderParser"), image, [environment] {
                        Parsers parsers;
                        for (const QString& folder : environment.addedFolders)
                            parsers.push_back(
                                std::make_shared<FolderParser>(FolderParser::Kind::Added, folder));
                        return parsers;
                    } });
    list.push_back({ QStringLiteral("IMBVolumeParser"), image, [environment] {
                        Parsers parsers;
                        for (const QString& medium : mountedMedia(environment.removableRoots))
                            parsers.push_back(std::make_shared<FolderParser>(
                                FolderParser::Kind::Removable, medium));
                        return parsers;
                    } });
    list.push_back({ QStringLiteral("IMBFlickrParser"), image, [] {
                        return Parsers { std::make_shared<FlickrParser>() };
                    } });
    list.push_back({ QStringLiteral("IMBImageCaptureParser"), image, [] {
                        return Parsers {};
                    } });
    return list;
}

} // namespace MediaSources
