#include "klautosave.h"

#include "dialogs.h"
#include "kldocumentcommands.h"

#include "document/documentreader.h"
#include "document/documentwriter.h"
#include "kit/localisation.h"
#include "kit/logging.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Photos that never were files (dropped as pictures) cannot be referred to;
// the rest of the collage is kept without them.
CollageDocument withoutFilelessPhotos(CollageDocument d)
{
    for (CellState& cell : d.templateCollage.cells) {
        if (cell.photo && cell.photo->file.isEmpty())
            cell.photo.reset();
    }
    std::erase_if(d.freeCollage.prints, [](const PrintState& p) { return p.photo.file.isEmpty(); });
    std::erase_if(d.serialCollage.photos, [](const PhotoRef& p) { return p.file.isEmpty(); });
    return d;
}

} // namespace

KLAutosave::KLAutosave(KLDocumentCommands& documents, Dialogs& dialogs, QWidget& window)
    : m_documents(documents), m_dialogs(dialogs), m_window(window)
{
    m_timer.setInterval(interval());
    connect(&m_timer, &QTimer::timeout, this, &KLAutosave::saveNow);
}

int KLAutosave::interval()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("TESSERA_AUTOSAVE_INTERVAL", &ok);
    return ok && ms > 0 ? std::max(ms, 100) : kIntervalMs;
}

QString KLAutosave::autosavePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return QDir(folder).filePath(QStringLiteral("autosave.") + QLatin1String(kDocumentExtension));
}

void KLAutosave::start()
{
    const QString path = autosavePath();
    if (QFileInfo::exists(path)) {
        DocumentReadResult read = readCollageDocumentFile(path);
        if (!read.ok()) {
            kit::log(
                kit::lcApp(),
                QStringLiteral("Autosaved collage '%1' not restored: %2").arg(path, read.error));
        } else if (m_dialogs.ask(&m_window, kit::localized("QUESTION_TITLE"),
                                 kit::localized("RESTORE_AUTOSAVE_QUESTION")
                                     .arg(QFileInfo(path).lastModified().toString(
                                         QStringLiteral("yyyy-MM-dd HH:mm"))),
                                 Dialogs::Answer::Yes)
                   == Dialogs::Answer::Yes) {
            // A later Save writes to the document the copy stands for, with
            // no question: only to a collage document, whatever the copy says.
            const QString suffix = QLatin1Char('.') + QLatin1String(kDocumentExtension);
            const QString documentPath =
                read.autosaveOf.endsWith(suffix, Qt::CaseInsensitive) ? read.autosaveOf : QString();
            m_documents.restore(std::move(*read.document), documentPath);
            // Kept until the restored collage is saved or written again.
            m_written.clear();
            m_timer.start();
            return;
        }
        QFile::remove(path);
    }
    m_timer.start();
}

void KLAutosave::saveNow()
{
    const QString path = autosavePath();
    if (!m_documents.isModified()) {
        if (!m_written.isEmpty() || QFileInfo::exists(path))
            QFile::remove(path);
        m_written.clear();
        return;
    }
    const QFileInfo info(path);
    const CollageDocument document = withoutFilelessPhotos(m_documents.describe());
    const QByteArray bytes =
        writeCollageDocument(document, info.absolutePath(), m_documents.path());
    if (bytes == m_written)
        return;
    QString error;
    QDir().mkpath(info.absolutePath());
    if (!saveCollageDocument(document, path, &error, m_documents.path())) {
        kit::log(kit::lcApp(), QStringLiteral("Cannot autosave to '%1': %2").arg(path, error));
        return;
    }
    m_written = bytes;
}

void KLAutosave::discard()
{
    m_timer.stop();
    QFile::remove(autosavePath());
    m_written.clear();
}
