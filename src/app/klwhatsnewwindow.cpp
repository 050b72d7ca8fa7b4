#include "klwhatsnewwindow.h"

#include "kit/folders.h"
#include "kit/localisation.h"
#include "kit/logging.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

KLWhatsNewWindow::KLWhatsNewWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(kit::localized("WHATS_NEW_TITLE").arg(kit::localized("CFBundleDisplayName")));
    m_text = new QTextBrowser(this);
    m_text->setReadOnly(true);
    m_text->setOpenExternalLinks(true);
    m_displayWhenStartup = new QCheckBox(kit::localized("WHATS_NEW_SHOW_AT_STARTUP"), this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(kit::localized("BUTTON_CLOSE"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_text, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(m_displayWhenStartup);
    row->addStretch(1);
    row->addWidget(buttons);
    column->addLayout(row);
    resize(520, 440);
}

bool KLWhatsNewWindow::loadDocument()
{
    // The document in the shown language, else the English one.
    QString path = kit::Folders::resourcePath(kit::localized("WHATS_NEW_DOCUMENT"));
    if (!QFileInfo(path).isFile())
        path = kit::Folders::resourcePath(QStringLiteral("WhatsNew.md"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        kit::log(kit::lcApp(),
                 QStringLiteral("Cannot read '%1': %2").arg(path, file.errorString()));
        m_text->setPlainText(kit::localized("WHATS_NEW_MISSING"));
        return false;
    }
    m_text->setMarkdown(QString::fromUtf8(file.readAll()));
    return true;
}
