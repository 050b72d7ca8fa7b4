#include "dialogs.h"

#include "reveal.h"

#include "kit/defaults.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

Dialogs::Choice QtDialogs::ask(QWidget* parent, const QString& title, const QString& message,
                               const QString& defaultButton, const QString& alternateButton)
{
    QMessageBox box(QMessageBox::Question, title, message, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::WindowModal);
    QPushButton* preferred = box.addButton(defaultButton, QMessageBox::AcceptRole);
    QPushButton* other = box.addButton(alternateButton, QMessageBox::RejectRole);
    box.setDefaultButton(preferred);
    box.setEscapeButton(other);
    box.exec();
    return box.clickedButton() == preferred ? Choice::Default : Choice::Alternate;
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
    revealInFileManager(path);
}
