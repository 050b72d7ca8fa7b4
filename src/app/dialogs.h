#pragma once

// Everything the controller asks the person through a modal dialog or a
// pop-up menu, and the URLs it hands to the desktop. The controller reaches
// them only through this interface so that tests can answer in place of a
// person; QtDialogs is the real one.

#include "klexportpanel.h"
#include "klpdfpanel.h"

#include "kit/geometry.h"

#include <functional>
#include <optional>

#include <QPoint>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QPrinter;
class QUrl;
class QWidget;

class Dialogs
{
public:
    enum class Answer { Yes, No };
    // The question asked before unsaved changes would be lost.
    enum class SaveAnswer { Save, Discard, Cancel };

    virtual ~Dialogs() = default;

    // A question with the buttons "BUTTON_YES" and "BUTTON_NO"; Return
    // presses the `preferred` one. Escape and closing the dialog answer No,
    // whichever button is preferred: nothing happens unless asked for.
    virtual Answer ask(QWidget* parent, const QString& title, const QString& message,
                       Answer preferred) = 0;
    // Whether to save the changes of a collage first: the buttons
    // "BUTTON_SAVE" (the default), "BUTTON_DONT_SAVE" and "BUTTON_CANCEL";
    // Escape and closing the dialog cancel.
    virtual SaveAnswer askToSave(QWidget* parent, const QString& title, const QString& message) = 0;
    // A file name chosen in a save dialog that starts at `suggested` (a full
    // path); empty when cancelled. The dialog asks before replacing a file.
    virtual QString chooseSavePath(QWidget* parent, const QString& caption,
                                   const QString& suggested, const QStringList& nameFilters) = 0;
    // A message with a single button.
    virtual void inform(QWidget* parent, const QString& title, const QString& message,
                        const QString& button) = 0;
    // Existing files chosen in an open dialog that allows several; empty
    // when cancelled. `nameFilters` as QFileDialog takes them.
    virtual QStringList chooseFiles(QWidget* parent, const QString& caption,
                                    const QStringList& nameFilters) = 0;
    // Pops `menu` up at a global position; the chosen action or nullptr.
    virtual QAction* popUpMenu(QMenu& menu, QPoint globalPosition) = 0;
    // Opens a web page or a new mail message; false when nothing handles it.
    virtual bool openUrl(const QUrl& url) = 0;
    // The save panel of an export at ratio (rw, rh); nothing when cancelled.
    virtual std::optional<ExportChoice> runExportPanel(QWidget* parent, kit::Size ratio) = 0;
    // Shows a written file in the file manager; says so when nothing can.
    virtual void revealFile(const QString& path) = 0;
    // The name for a text style about to be saved, asked in a window whose
    // field starts with `lastName`; never empty; nothing when cancelled.
    virtual std::optional<QString> askStyleName(QWidget* parent, const QString& lastName) = 0;
    // The print dialog (printer, paper, orientation, margins) for `printer`;
    // false when cancelled.
    virtual bool runPrintDialog(QWidget* parent, QPrinter& printer) = 0;
    // The print preview of `printer`'s page, which `paint` draws (again
    // whenever the person changes the page set-up); it prints from there
    // when asked to.
    virtual void runPrintPreview(QWidget* parent, QPrinter& printer,
                                 const std::function<void(QPrinter&)>& paint) = 0;
    // The save panel of a PDF export; nothing when cancelled.
    virtual std::optional<PdfChoice> runPdfPanel(QWidget* parent) = 0;
};

class QtDialogs : public Dialogs
{
public:
    Answer ask(QWidget* parent, const QString& title, const QString& message,
               Answer preferred) override;
    SaveAnswer askToSave(QWidget* parent, const QString& title, const QString& message) override;
    QString chooseSavePath(QWidget* parent, const QString& caption, const QString& suggested,
                           const QStringList& nameFilters) override;
    void inform(QWidget* parent, const QString& title, const QString& message,
                const QString& button) override;
    QStringList chooseFiles(QWidget* parent, const QString& caption,
                            const QStringList& nameFilters) override;
    QAction* popUpMenu(QMenu& menu, QPoint globalPosition) override;
    bool openUrl(const QUrl& url) override;
    std::optional<ExportChoice> runExportPanel(QWidget* parent, kit::Size ratio) override;
    void revealFile(const QString& path) override;
    std::optional<QString> askStyleName(QWidget* parent, const QString& lastName) override;
    bool runPrintDialog(QWidget* parent, QPrinter& printer) override;
    void runPrintPreview(QWidget* parent, QPrinter& printer,
                         const std::function<void(QPrinter&)>& paint) override;
    std::optional<PdfChoice> runPdfPanel(QWidget* parent) override;
};
