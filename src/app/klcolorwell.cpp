#include "klcolorwell.h"

#include <QColorDialog>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionButton>

KLColorWell::KLColorWell(QWidget* parent) : QPushButton(parent)
{
    setFixedSize(44, 24);
    connect(this, &QPushButton::clicked, this, &KLColorWell::openDialog);
}

KLColorWell::~KLColorWell()
{
    if (m_dialog)
        m_dialog->deleteLater();
}

void KLColorWell::setColor(const QColor& color)
{
    m_color = color;
    if (m_dialog) {
        const QSignalBlocker quiet(m_dialog);
        m_dialog->setCurrentColor(color);
    }
    update();
}

void KLColorWell::openDialog()
{
    if (!m_dialog) {
        m_dialog = new QColorDialog(m_color, window());
        m_dialog->setOption(QColorDialog::ShowAlphaChannel);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_dialog, &QColorDialog::currentColorChanged, this, [this](const QColor& c) {
            m_color = c;
            update();
            emit colorChanged(c);
        });
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void KLColorWell::changeEvent(QEvent* event)
{
    // A well that is switched off lets go of its dialog.
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_dialog)
        m_dialog->close();
    QPushButton::changeEvent(event);
}

void KLColorWell::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect swatch = rect().adjusted(6, 5, -6, -5);
    // A checkerboard shows through transparent colours.
    p.fillRect(swatch, Qt::white);
    for (int y = 0; y < swatch.height(); y += 4)
        for (int x = (y / 4) % 2 * 4; x < swatch.width(); x += 8)
            p.fillRect(QRect(swatch.x() + x, swatch.y() + y, 4, 4).intersected(swatch),
                       QColor(200, 200, 200));
    QColor shown = m_color;
    if (!isEnabled())
        shown.setAlphaF(shown.alphaF() * 0.4f);
    p.fillRect(swatch, shown);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
}
