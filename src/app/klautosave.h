#pragma once

// Autosave: every 30 seconds a collage with unsaved changes is written to
// one file in the application's data folder (with the document it stands
// for), unless it is the same as when last written. A collage without
// unsaved changes has nothing to lose and removes the file, and so does a
// normal quit; a file still there at the next start means the program did
// not end normally, and the start offers to restore the collage from it.

#include <QObject>
#include <QTimer>

class Dialogs;
class KLDocumentCommands;
class QWidget;

class KLAutosave : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 30 * 1000;
    // The interval in force: kIntervalMs, or the milliseconds that the
    // environment variable TESSERA_AUTOSAVE_INTERVAL names (at least 100), so
    // that a test of a whole session need not wait half a minute.
    static int interval();

    KLAutosave(KLDocumentCommands& documents, Dialogs& dialogs, QWidget& window);

    // <application data folder>/autosave.tessera.
    static QString autosavePath();

    // Starts the timer; run once the window has finished launching. A file
    // left by a session that did not end normally is offered first: taken,
    // the collage is restored (and unsaved); refused, the file is removed.
    void start();
    // Writes the collage now when it has unsaved changes that differ from
    // the last autosave; removes the file when it has none.
    void saveNow();
    // A normal quit: nothing is left to restore.
    void discard();

private:
    KLDocumentCommands& m_documents;
    Dialogs& m_dialogs;
    QWidget& m_window;
    QTimer m_timer;
    QByteArray m_written;
};
