#include "klaboutwindow.h"

#include "chrome/kllinklabel.h"
#include "chrome/namedimage.h"
#include "kit/localisation.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

KLAboutWindow::KLAboutWindow(QWidget* parent) : QDialog(parent)
{
    auto* icon = new QLabel(this);
    icon->setPixmap(chrome::namedImage(QStringLiteral("tessera")).pixmap(96, 96));
    icon->setAlignment(Qt::AlignCenter);

    m_productName = new QLabel(this);
    QFont big = m_productName->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_productName->setFont(big);
    m_productName->setAlignment(Qt::AlignCenter);

    m_version = new QLabel(this);
    m_version->setAlignment(Qt::AlignCenter);
    m_version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* blurb = new QLabel(kit::localized("ABOUT_BLURB"), this);
    blurb->setAlignment(Qt::AlignCenter);
    blurb->setWordWrap(true);

    m_feedback = new KLLinkLabel(QString(), this);
    m_feedback->setAlignment(Qt::AlignCenter);
    connect(m_feedback, &KLLinkLabel::clicked, this, &KLAboutWindow::feedbackClicked);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(kit::localized("BUTTON_CLOSE"), QDialogButtonBox::RejectRole)
        ->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->setSpacing(8);
    column->setContentsMargins(28, 24, 28, 16);
    column->addWidget(icon);
    column->addWidget(m_productName);
    column->addWidget(m_version);
    column->addWidget(blurb);
    column->addWidget(m_feedback);
    column->addSpacing(8);
    column->addWidget(buttons, 0, Qt::AlignCenter);
    setFixedWidth(340);
}
