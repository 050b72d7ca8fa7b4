#include "klsavestylewindow.h"

#include "kit/localisation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

KLSaveStyleWindow::KLSaveStyleWindow(QWidget* parent) : QDialog(parent), m_name(new QLineEdit(this))
{
    setWindowTitle(kit::localized("SAVE_STYLE_TITLE"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(kit::localized("SAVE_STYLE_NAME"), this));
    m_name->setMinimumWidth(260);
    layout->addWidget(m_name);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save =
        buttons->addButton(kit::localized("BUTTON_SAVE_STYLE"), QDialogButtonBox::AcceptRole);
    buttons->addButton(kit::localized("BUTTON_CANCEL"), QDialogButtonBox::RejectRole);
    save->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &KLSaveStyleWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &KLSaveStyleWindow::reject);
    layout->addWidget(buttons);
}

void KLSaveStyleWindow::placeOver(const QWidget* mainWindow)
{
    if (!mainWindow)
        return;
    adjustSize();
    const QRect main = mainWindow->frameGeometry();
    move(main.x() + (main.width() - width()) / 2, main.y() + (main.height() - height()) / 2 - 100);
}

void KLSaveStyleWindow::accept()
{
    if (m_name->text().isEmpty()) {
        QApplication::beep();
        return;
    }
    QDialog::accept();
}
