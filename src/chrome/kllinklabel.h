#pragma once

// A label that reads as a hyperlink: link colour, underlined while the
// pointer is over it, pointing-hand cursor. A click (press and release on
// the label) or Space/Enter while focused sends clicked().

#include <QLabel>

class KLLinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit KLLinkLabel(const QString& text = {}, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setUnderlined(bool underlined);

    bool m_pressed = false;
    bool m_hovered = false;
};
