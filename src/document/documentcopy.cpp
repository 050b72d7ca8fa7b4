#include "documentcopy.h"

#include "documentwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>

namespace {

constexpr qint64 kMaxBorderBytes = 1 << 20;

// A picture that never was a file (a generated one) is stored as PNG.
QByteArray pngOf(const kit::Image& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.fullPixels().save(&buffer, "PNG");
    return bytes;
}

class Copier
{
public:
    Copier(QString staging, QString target)
        : m_staging(std::move(staging)), m_target(std::move(target))
    { }

    bool failed() const { return !m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    const QStringList& notCopied() const { return m_notCopied; }

    // Writes `bytes` once per `key` as SUBFOLDER/NAME and answers the path
    // the file will have in the finished folder.
    QString place(const QString& key, const QString& subfolder, const QString& fileName,
                  const QByteArray& bytes)
    {
        if (auto it = m_placed.find(key); it != m_placed.end())
            return *it;
        const QString name = uniqueName(subfolder, fileName);
        QDir(m_staging).mkpath(subfolder);
        QSaveFile file(m_staging + QLatin1Char('/') + subfolder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
            || !file.commit()) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("%1: %2").arg(name, file.errorString());
            return {};
        }
        const QString finalPath = m_target + QLatin1Char('/') + subfolder + QLatin1Char('/') + name;
        m_placed.insert(key, finalPath);
        return finalPath;
    }

    void photo(PhotoRef& ref)
    {
        // A stand-in for a photo that was missing has nothing to copy.
        if (ref.image.filePath().isEmpty() && !ref.file.isEmpty()) {
            m_notCopied.append(ref.file);
            return;
        }
        QByteArray bytes = ref.image.encodedData();
        if (bytes.isEmpty())
            bytes = pngOf(ref.image);
        const QString key = QStringLiteral("photo:%1").arg(quintptr(ref.image.identity()));
        const QString name = ref.file.isEmpty() ? QStringLiteral("photo.png") : ref.file;
        const QString placed = place(key, QStringLiteral("photos"), name, bytes);
        if (!placed.isEmpty()) {
            ref.file = placed;
            ref.fallback.clear();
        }
    }

    void decorations(Decorations& d)
    {
        if (d.background && d.background->isPicture()) {
            PhotoRef picture = PhotoRef::of(d.background->image);
            picture.file = d.background->path;
            photo(picture);
            d.background->path = picture.file;
        }
        if (d.border) {
            QFile file(*d.border);
            if (QFileInfo(*d.border).isFile() && file.size() <= kMaxBorderBytes
                && file.open(QIODevice::ReadOnly)) {
                const QString placed = place(QStringLiteral("border:") + *d.border,
                                             QStringLiteral("borders"), *d.border, file.readAll());
                if (!placed.isEmpty())
                    d.border = placed;
            } else {
                m_notCopied.append(*d.border);
            }
        }
    }

    void templateFile(TemplateCollage& t)
    {
        if (t.text.isEmpty())
            return;
        const QString name = t.file.isEmpty() ? QStringLiteral("template.fdd") : t.file;
        const QString placed =
            place(QStringLiteral("template"), QStringLiteral("templates"), name, t.text.toUtf8());
        if (!placed.isEmpty())
            t.file = placed;
    }

private:
    QString uniqueName(const QString& subfolder, const QString& source)
    {
        QString name = QFileInfo(source).fileName();
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            name = QStringLiteral("file");
        const QFileInfo info(name);
        const QString base = info.completeBaseName();
        const QString suffix =
            info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
        QSet<QString>& taken = m_taken[subfolder];
        QString candidate = name;
        for (int n = 1; taken.contains(candidate.toLower()); ++n)
            candidate = QStringLiteral("%1-%2%3").arg(base).arg(n).arg(suffix);
        taken.insert(candidate.toLower());
        return candidate;
    }

    QString m_staging;
    QString m_target;
    QString m_error;
    QStringList m_notCopied;
    QHash<QString, QString> m_placed;
    QHash<QString, QSet<QString>> m_taken;
};

} // namespace

DocumentCopyResult saveCopyWithPhotos(const CollageDocument& document, const QString& folder)
{
    DocumentCopyResult result;
    const QFileInfo target(QDir::cleanPath(folder));
    if (target.exists()) {
        result.error = QStringLiteral("%1 already exists").arg(target.filePath());
        return result;
    }
    const QString parent = target.absolutePath();
    if (!QFileInfo(parent).isDir()) {
        result.error = QStringLiteral("%1: no such folder").arg(parent);
        return result;
    }
    QTemporaryDir staging(parent + QStringLiteral("/.") + target.fileName()
                          + QStringLiteral("-XXXXXX"));
    if (!staging.isValid()) {
        result.error = QStringLiteral("%1: %2").arg(parent, staging.errorString());
        return result;
    }

    CollageDocument copy = document;
    Copier copier(staging.path(), target.absoluteFilePath());
    copier.templateFile(copy.templateCollage);
    copier.decorations(copy.templateCollage.decorations);
    for (CellState& cell : copy.templateCollage.cells) {
        if (cell.photo)
            copier.photo(*cell.photo);
    }
    copier.decorations(copy.freeCollage.decorations);
    for (PrintState& print : copy.freeCollage.prints)
        copier.photo(print.photo);
    copier.decorations(copy.serialCollage.decorations);
    for (PhotoRef& photo : copy.serialCollage.photos)
        copier.photo(photo);
    if (copier.failed()) {
        result.error = copier.error();
        return result;
    }

    const QString name = target.fileName() + QLatin1Char('.') + QLatin1String(kDocumentExtension);
    // Written under the final folder's paths: the names relative to it are
    // the ones the finished folder has.
    const QByteArray bytes = writeCollageDocument(copy, target.absoluteFilePath());
    QSaveFile file(staging.path() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = file.errorString();
        return result;
    }
    if (!QDir().rename(staging.path(), target.absoluteFilePath())) {
        result.error = QStringLiteral("%1 could not be created").arg(target.absoluteFilePath());
        return result;
    }
    staging.setAutoRemove(false);
    result.ok = true;
    result.documentPath = target.absoluteFilePath() + QLatin1Char('/') + name;
    result.notCopied = copier.notCopied();
    return result;
}
