#include "namedimage.h"

#include "kit/folders.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcChrome, "tessera.chrome")

namespace chrome {
namespace {

bool isSafeName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/')
        && !name.contains(u'\\') && !name.contains(QChar(0));
}

} // namespace

QString namedImagePath(const QString& name)
{
    if (!isSafeName(name))
        return {};
    const QString suffix = QFileInfo(name).suffix().toLower();
    const bool hasExtension = suffix == u"svg" || suffix == u"png";
    const QDir images(kit::Folders::resourcePath(QStringLiteral("images")));
    if (hasExtension)
        return QFileInfo::exists(images.filePath(name)) ? images.filePath(name) : QString();
    for (const char* ext : { ".svg", ".png" }) {
        const QString path = images.filePath(name + QLatin1String(ext));
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QIcon namedImage(const QString& name)
{
    static QHash<QString, QIcon> cache;
    if (const auto it = cache.constFind(name); it != cache.constEnd())
        return *it;

    const QString path = namedImagePath(name);
    if (path.isEmpty()) {
        qCWarning(lcChrome, "Named image '%s' not found.", qUtf8Printable(name));
        return {};
    }
    QIcon icon(path);
    // QIcon accepts any path; an unreadable file only shows when it is drawn.
    if (icon.availableSizes().isEmpty() && icon.pixmap(QSize(16, 16)).isNull()) {
        qCWarning(lcChrome, "Named image '%s' could not be read.", qUtf8Printable(path));
        return {};
    }
    cache.insert(name, icon);
    return icon;
}

} // namespace chrome
