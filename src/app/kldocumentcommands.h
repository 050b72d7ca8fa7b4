#pragma once

// The collage as a document: File ▸ New, Open…, Open Recent, Save, Save As…
// and Save a Copy With Photos…, the window title with the document's name
// and its unsaved mark, and the question before unsaved changes are set
// aside.
//
// A collage counts as changed when its description (collagedocument.h)
// differs from the one last saved or opened; the zoom and the mode shown
// are kept in a document but are no changes. The description is compared
// again after each of the person's actions (a mouse button released, a key,
// a scroll, a drop) and before every question; a difference from the
// collage compared before becomes a step of the undo history (KLUndoHistory),
// which New and Open empty.

#include "document/collagedocument.h"

#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>

class CollageEditor;
class Dialogs;
class KLController;
class KLMainWindow;
class KLUndoHistory;

class KLDocumentCommands : public QObject
{
    Q_OBJECT

public:
    KLDocumentCommands(KLController& controller, KLMainWindow& window, Dialogs& dialogs);
    ~KLDocumentCommands() override;

    // The three canvases of the window as the document functions edit them.
    CollageEditor& editor() { return *m_editor; }

    // Takes the collage as it is now as the unchanged, untitled one; run once
    // the window has finished launching.
    void start();

    // The document's file; empty while it has never been saved.
    const QString& path() const { return m_path; }
    // The name the title shows: the file's name without its extension, or
    // "Untitled".
    QString displayName() const;
    // Compares the collage with the one saved (see above).
    bool isModified();
    // Compares again, records a change as a step of the undo history and
    // updates the title.
    void checkpoint();

    // -- Edit menu: the last step undone or redone (nothing when there is
    // none), showing the mode it was made in.
    KLUndoHistory& history() const { return *m_history; }
    void undo();
    void redo();

    // -- File menu
    void newDocument();
    void open();
    // Opens `path` after the question about unsaved changes. A document that
    // cannot be read is reported and changes nothing; photos that cannot be
    // read are reported and keep their places as grey stand-ins.
    bool openFile(const QString& path);
    // Gives the canvases a collage restored from an autosaved copy of the
    // document at `path` (empty for an untitled one); it stays unsaved.
    // Photos that cannot be read are reported as when opening.
    void restore(CollageDocument document, const QString& path);
    // False when cancelled or failed (reported).
    bool save();
    bool saveAs();
    void saveCopyWithPhotos();

    // Most recent first, at most kMaxRecentDocuments.
    QStringList recentDocuments() const;
    void clearRecentDocuments();
    static constexpr int kMaxRecentDocuments = 10;

    // Whether the collage may be set aside (quit, New, Open): true when it
    // has no unsaved changes, or when the person chose to save them (and
    // they were saved) or to discard them.
    bool maySetAside();

    // The collage as the document functions describe it, and the description
    // it was last saved or opened with.
    CollageDocument describe();
    const CollageDocument& saved() const { return m_saved; }

signals:
    // The document's file or its unsaved state changed.
    void stateChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Loads the photos and fills the canvases; tells which files are missing.
    void show(CollageDocument& document);
    bool writeTo(const QString& path);
    void markSaved(const QString& path);
    void rememberRecent(const QString& path);
    void updateTitle();
    QString suggestedPath(const QString& extension) const;
    void scheduleCheckpoint(int delayMs = 0);
    void updateEditMenu();
    // Records a change at once, even in the middle of a gesture.
    void recordNow();
    // How long a checkpoint waits while a button is held or a dialog is open.
    static constexpr int kGestureRetryMs = 100;

    KLController& m_controller;
    KLMainWindow& m_window;
    Dialogs& m_dialogs;
    std::unique_ptr<CollageEditor> m_editor;
    std::unique_ptr<KLUndoHistory> m_history;
    QString m_path;
    CollageDocument m_saved;
    bool m_started = false;
    bool m_modified = false;
    bool m_checkpointPending = false;
    // No click, drag or drop since the last recorded step: only wheel
    // notches and keys, whose steps may merge.
    bool m_burstOnly = true;
};
