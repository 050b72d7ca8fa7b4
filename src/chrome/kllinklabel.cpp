#include "kllinklabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

KLLinkLabel::KLLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    // The palette's own link colour, so theme changes carry over.
    setForegroundRole(QPalette::Link);
}

void KLLinkLabel::setUnderlined(bool underlined)
{
    QFont f = font();
    if (f.underline() == underlined)
        return;
    f.setUnderline(underlined);
    setFont(f);
}

void KLLinkLabel::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    setUnderlined(true);
    QLabel::enterEvent(event);
}

void KLLinkLabel::leaveEvent(QEvent* event)
{
    m_hovered = false;
    setUnderlined(hasFocus());
    QLabel::leaveEvent(event);
}

void KLLinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    event->accept();
}

void KLLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    // Like a button: releasing away from the label cancels the click.
    const bool click = m_pressed && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void KLLinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void KLLinkLabel::focusInEvent(QFocusEvent* event)
{
    setUnderlined(true);
    QLabel::focusInEvent(event);
}

void KLLinkLabel::focusOutEvent(QFocusEvent* event)
{
    setUnderlined(m_hovered);
    QLabel::focusOutEvent(event);
}
