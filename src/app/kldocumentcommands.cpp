#include "kldocumentcommands.h"

#include "dialogs.h"
#include "klcontroller.h"
#include "klmainwindow.h"
#include "klundohistory.h"

#include "document/collagedescription.h"
#include "document/collageeditor.h"
#include "document/collagefill.h"
#include "document/collagerestore.h"
#include "document/documentcopy.h"
#include "document/documentreader.h"
#include "document/documentwriter.h"
#include "document/photoloader.h"
#include "freelayout/klfreelayoutview.h"
#include "kit/defaults.h"
#include "kit/folders.h"
#include "kit/localisation.h"
#include "kit/logging.h"
#include "kit/notificationnames.h"
#include "serial/klcombinview.h"
#include "template/klresourceview.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>

namespace {

const QString kRecentDocumentsKey = QStringLiteral("RecentDocuments");

// The window's canvases, ratios, zooms and mode, as the document functions
// reach them.
class WindowCollage : public CollageEditor
{
public:
    explicit WindowCollage(KLController& controller) : m_c(controller) { }

    KLResourceView& templateCanvas() override { return *m_c.canvas(); }
    KLFreeLayoutView& freeCanvas() override { return *m_c.layoutView(); }
    KLCombinView& serialCanvas() override { return *m_c.combinView(); }
    int ratioIndex(Mode mode) const override { return m_c.modeState(mode).ratioIndex; }
    void setRatioIndex(Mode mode, int index) override { m_c.setModeRatio(mode, index); }
    float zoom(Mode mode) const override { return m_c.modeState(mode).zoom; }
    void setZoom(Mode mode, float zoom) override { m_c.setModeZoom(mode, zoom); }
    Mode shownMode() const override { return m_c.currentMode(); }
    void showMode(Mode mode) override { m_c.layoutChanged(mode); }
    void templateReplaced() override { m_c.templateLoadedFromDocument(); }

private:
    KLController& m_c;
};

QStringList documentFilters()
{
    return { kit::localized("DOCUMENT_FILTER") };
}

QString withExtension(QString path)
{
    const QString suffix = QLatin1Char('.') + QLatin1String(kDocumentExtension);
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return path;
}

} // namespace

KLDocumentCommands::KLDocumentCommands(KLController& controller, KLMainWindow& window,
                                       Dialogs& dialogs)
    : m_controller(controller), m_window(window), m_dialogs(dialogs),
      m_editor(std::make_unique<WindowCollage>(controller)),
      m_history(std::make_unique<KLUndoHistory>(*m_editor))
{
    qApp->installEventFilter(this);
    QUndoStack& stack = m_history->stack();
    connect(&stack, &QUndoStack::indexChanged, this, &KLDocumentCommands::updateEditMenu);
    connect(&stack, &QUndoStack::cleanChanged, this, &KLDocumentCommands::updateEditMenu);
    connect(m_history.get(), &KLUndoHistory::restored, &controller, &KLController::collageRestored);
    connect(&window, &KLMainWindow::undoRequested, this, &KLDocumentCommands::undo);
    connect(&window, &KLMainWindow::redoRequested, this, &KLDocumentCommands::redo);
    updateEditMenu();
}

KLDocumentCommands::~KLDocumentCommands() = default;

void KLDocumentCommands::start()
{
    m_started = true;
    m_saved = describe();
    m_modified = false;
    m_history->reset(m_saved);
    m_window.setRecentDocuments(recentDocuments());
    updateTitle();
}

CollageDocument KLDocumentCommands::describe()
{
    return describeCollage(*m_editor);
}

QString KLDocumentCommands::displayName() const
{
    if (m_path.isEmpty())
        return kit::localized("UNTITLED_DOCUMENT");
    return QFileInfo(m_path).completeBaseName();
}

bool KLDocumentCommands::isModified()
{
    if (m_started)
        m_modified = collageContent(describe()) != collageContent(m_saved);
    return m_modified;
}

void KLDocumentCommands::checkpoint()
{
    m_checkpointPending = false;
    if (!m_started)
        return;
    const CollageDocument now = describe();
    // A gesture still under way, or a dialog whose command has not changed
    // the collage yet, is recorded once it has ended.
    if (QGuiApplication::mouseButtons() != Qt::NoButton || QApplication::activeModalWidget()
        || QApplication::activePopupWidget()) {
        scheduleCheckpoint(kGestureRetryMs);
    } else {
        m_history->record(now, m_burstOnly);
        m_burstOnly = true;
    }
    const bool was = m_modified;
    m_modified = collageContent(now) != collageContent(m_saved);
    if (m_modified != was) {
        updateTitle();
        emit stateChanged();
    }
}

void KLDocumentCommands::scheduleCheckpoint(int delayMs)
{
    if (m_checkpointPending || !m_started)
        return;
    m_checkpointPending = true;
    QTimer::singleShot(delayMs, this, &KLDocumentCommands::checkpoint);
}

bool KLDocumentCommands::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
        // A click, a drag or a drop is a step of its own.
        m_burstOnly = false;
        scheduleCheckpoint();
        break;
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        // Notches and keys that follow each other may merge (KLUndoHistory).
        scheduleCheckpoint();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// -- Undo

void KLDocumentCommands::undo()
{
    // An edit not yet recorded is recorded first, so that it is what goes.
    recordNow();
    m_history->stack().undo();
    checkpoint();
}

void KLDocumentCommands::redo()
{
    recordNow();
    m_history->stack().redo();
    checkpoint();
}

void KLDocumentCommands::recordNow()
{
    if (!m_started)
        return;
    m_history->record(describe(), m_burstOnly);
    m_burstOnly = true;
}

void KLDocumentCommands::updateEditMenu()
{
    const QUndoStack& stack = m_history->stack();
    m_window.setUndoRedo(stack.canUndo() ? std::optional(stack.undoText()) : std::nullopt,
                         stack.canRedo() ? std::optional(stack.redoText()) : std::nullopt);
}

void KLDocumentCommands::updateTitle()
{
    m_window.setWindowTitle(displayName() + QStringLiteral("[*]"));
    m_window.setWindowModified(m_modified);
    m_window.setWindowFilePath(m_path);
}

// -- Questions

bool KLDocumentCommands::maySetAside()
{
    if (!isModified())
        return true;
    switch (m_dialogs.askToSave(&m_window, kit::localized("QUESTION_TITLE"),
                                kit::localized("SAVE_CHANGES_QUESTION").arg(displayName()))) {
    case Dialogs::SaveAnswer::Save:
        return save();
    case Dialogs::SaveAnswer::Discard:
        return true;
    case Dialogs::SaveAnswer::Cancel:
        break;
    }
    return false;
}

// -- New and open

void KLDocumentCommands::newDocument()
{
    if (!maySetAside())
        return;
    for (Mode mode : kModes)
        m_editor->canvas(mode).clear();
    m_path.clear();
    m_saved = describe();
    m_history->reset(m_saved);
    m_modified = false;
    updateTitle();
    emit stateChanged();
}

void KLDocumentCommands::open()
{
    const QStringList files =
        m_dialogs.chooseFiles(&m_window, kit::localized("OPEN_DOCUMENT_TITLE"), documentFilters());
    if (!files.isEmpty())
        openFile(files.front());
}

bool KLDocumentCommands::openFile(const QString& file)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    DocumentReadResult read = readCollageDocumentFile(path);
    if (!read.ok()) {
        kit::log(kit::lcApp(),
                 QStringLiteral("Cannot open collage '%1': %2").arg(path, read.error));
        m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"),
                         kit::localized("DOCUMENT_OPEN_FAILED").arg(QFileInfo(path).fileName())
                             + QLatin1Char('\n') + read.error,
                         kit::localized("BUTTON_OK"));
        if (!QFileInfo::exists(path)) {
            QStringList recent = recentDocuments();
            if (recent.removeAll(path) > 0) {
                kit::Defaults::standard().set(kRecentDocumentsKey, recent);
                m_window.setRecentDocuments(recent);
            }
        }
        return false;
    }
    // Asked only once the document is known to read, so that a refused one
    // sets nothing aside.
    if (!maySetAside())
        return false;
    m_path = path;
    show(*read.document);
    markSaved(path);
    rememberRecent(path);
    return true;
}

void KLDocumentCommands::restore(CollageDocument document, const QString& path)
{
    m_path = path;
    show(document);
    m_history->reset(describe());
    checkpoint();
    updateTitle();
    emit stateChanged();
}

void KLDocumentCommands::show(CollageDocument& document)
{
    const PhotoLoadReport report = loadDocumentPhotos(document, m_editor.get());
    fillCollage(*m_editor, document);
    // Shown as it was saved: nothing selected, no caption's settings open.
    auto& centre = kit::NotificationCenter::defaultCenter();
    centre.post(kit::kLayoutClearResponder, nullptr);
    centre.post(kit::kTextViewUnselected);
    if (report.ok())
        return;
    kit::log(kit::lcApp(),
             QStringLiteral("Collage opened without: %1")
                 .arg(report.problems.join(QStringLiteral("; "))));
    m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"),
                     kit::localized("DOCUMENT_MISSING_FILES").arg(displayName()) + QLatin1Char('\n')
                         + report.problems.join(QLatin1Char('\n')),
                     kit::localized("BUTTON_OK"));
}

// -- Save

bool KLDocumentCommands::save()
{
    if (m_path.isEmpty())
        return saveAs();
    return writeTo(m_path);
}

bool KLDocumentCommands::saveAs()
{
    const QString chosen = m_dialogs.chooseSavePath(
        &m_window, kit::localized("SAVE_DOCUMENT_TITLE"),
        m_path.isEmpty() ? suggestedPath(QLatin1String(kDocumentExtension)) : m_path,
        documentFilters());
    if (chosen.isEmpty())
        return false;
    return writeTo(withExtension(QFileInfo(chosen).absoluteFilePath()));
}

bool KLDocumentCommands::writeTo(const QString& path)
{
    const CollageDocument document = describe();
    QString error;
    if (!saveCollageDocument(document, path, &error)) {
        kit::log(kit::lcApp(), QStringLiteral("Cannot save collage '%1': %2").arg(path, error));
        m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"),
                         kit::localized("DOCUMENT_SAVE_FAILED").arg(path) + QLatin1Char('\n')
                             + error,
                         kit::localized("BUTTON_OK"));
        return false;
    }
    m_saved = document;
    m_path = path;
    m_modified = false;
    m_history->stack().setClean();
    rememberRecent(path);
    updateTitle();
    emit stateChanged();
    return true;
}

void KLDocumentCommands::markSaved(const QString& path)
{
    m_path = path;
    m_saved = describe();
    m_history->reset(m_saved);
    m_modified = false;
    updateTitle();
    emit stateChanged();
}

void KLDocumentCommands::saveCopyWithPhotos()
{
    QString folder = m_dialogs.chooseSavePath(&m_window, kit::localized("SAVE_COPY_TITLE"),
                                              suggestedPath(QString()), {});
    if (folder.isEmpty())
        return;
    folder = QFileInfo(folder).absoluteFilePath();
    const QString suffix = QLatin1Char('.') + QLatin1String(kDocumentExtension);
    if (folder.endsWith(suffix, Qt::CaseInsensitive))
        folder.chop(suffix.size());
    const DocumentCopyResult result = ::saveCopyWithPhotos(describe(), folder);
    if (!result.ok) {
        kit::log(kit::lcApp(),
                 QStringLiteral("Cannot save a copy to '%1': %2").arg(folder, result.error));
        m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"),
                         kit::localized("DOCUMENT_COPY_FAILED").arg(result.error),
                         kit::localized("BUTTON_OK"));
        return;
    }
    if (!result.notCopied.isEmpty())
        m_dialogs.inform(&m_window, kit::localized("WARNING_TITLE"),
                         kit::localized("DOCUMENT_COPY_NOT_COPIED")
                             .arg(result.notCopied.join(QLatin1Char('\n'))),
                         kit::localized("BUTTON_OK"));
}

QString KLDocumentCommands::suggestedPath(const QString& extension) const
{
    const QString folder =
        m_path.isEmpty() ? kit::Folders::userFolder() : QFileInfo(m_path).absolutePath();
    QString name = displayName();
    if (!extension.isEmpty())
        name += QLatin1Char('.') + extension;
    return QDir(folder).filePath(name);
}

// -- Recent documents

QStringList KLDocumentCommands::recentDocuments() const
{
    const std::optional<QVariant> v = kit::Defaults::standard().valueForKey(kRecentDocumentsKey);
    QStringList list = v ? v->toStringList() : QStringList();
    list.removeAll(QString());
    list.removeDuplicates();
    return list.mid(0, kMaxRecentDocuments);
}

void KLDocumentCommands::rememberRecent(const QString& path)
{
    QStringList list = recentDocuments();
    list.removeAll(path);
    list.prepend(path);
    list = list.mid(0, kMaxRecentDocuments);
    kit::Defaults::standard().set(kRecentDocumentsKey, list);
    m_window.setRecentDocuments(list);
}

void KLDocumentCommands::clearRecentDocuments()
{
    kit::Defaults::standard().remove(kRecentDocumentsKey);
    m_window.setRecentDocuments({});
}
