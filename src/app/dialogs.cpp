#include "dialogs.h"

#include "klsavestylewindow.h"
#include "reveal.h"

#include "kit/defaults.h"
#include "kit/localisation.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

Dialogs::Answer QtDialogs::ask(QWidget* parent, const QString& title, const QString& message,
                               Answer preferred)
{
    QMessageBox box(QMessageBox::Question, title, message, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::WindowModal);
    QPushButton* yes = box.addButton(kit::localized("BUTTON_YES"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(kit::localized("BUTTON_NO"), QMessageBox::NoRole);
    box.setDefaultButton(preferred == Answer::Yes ? yes : no);
    // Closing the dialog presses the escape button too.
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

Dialogs::SaveAnswer QtDialogs::askToSave(QWidget* parent, const QString& title,
                                         const QString& message)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::WindowModal);
    QPushButton* save = box.addButton(kit::localized("BUTTON_SAVE"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(kit::localized("BUTTON_DONT_SAVE"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(kit::localized("BUTTON_CANCEL"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    return box.clickedButton() == discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

QString QtDialogs::chooseSavePath(QWidget* parent, const QString& caption, const QString& suggested,
                                  const QStringList& nameFilters)
{
    QFileDialog dialog(parent, caption);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(nameFilters);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

void QtDialogs::inform(QWidget* parent, const QString& title, const QString& message,
                       const QString& button)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::WindowModal);
    QPushButton* ok = box.addButton(button, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

QStringList QtDialogs::chooseFiles(QWidget* parent, const QString& caption,
                                   const QStringList& nameFilters)
{
    QFileDialog dialog(parent, caption, QDir::homePath());
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QAction* QtDialogs::popUpMenu(QMenu& menu, QPoint globalPosition)
{
    return menu.exec(globalPosition);
}

bool QtDialogs::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

std::optional<ExportChoice> QtDialogs::runExportPanel(QWidget* parent, kit::Size ratio)
{
    KLExportPanel panel(parent, kit::Defaults::standard(), ratio);
    return panel.run();
}

void QtDialogs::revealFile(const QString& path)
{
    // The answer comes after the export has finished: a message that does
    // not hold up the window, over whichever window is active then.
    revealInFileManager(path, [](const QString& folder) {
        auto* box =
            new QMessageBox(QMessageBox::Warning, kit::localized("WARNING_TITLE"),
                            kit::localized("REVEAL_FAILED").arg(QDir::toNativeSeparators(folder)),
                            QMessageBox::NoButton, QApplication::activeWindow());
        box->setDefaultButton(box->addButton(kit::localized("BUTTON_OK"), QMessageBox::AcceptRole));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

std::optional<QString> QtDialogs::askStyleName(QWidget* parent, const QString& lastName)
{
    KLSaveStyleWindow window(parent);
    window.nameField()->setText(lastName);
    window.nameField()->selectAll();
    window.placeOver(parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.nameField()->text();
}

bool QtDialogs::runPrintDialog(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::runPrintPreview(QWidget* parent, QPrinter& printer,
                                const std::function<void(QPrinter&)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* p) { paint(*p); });
    dialog.exec();
}

std::optional<PdfChoice> QtDialogs::runPdfPanel(QWidget* parent)
{
    KLPdfPanel panel(parent, kit::Defaults::standard());
    return panel.run();
}
