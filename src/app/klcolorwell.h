#pragma once

// A colour well: a button that shows a colour and, when clicked, opens a
// colour dialog (with alpha) whose every change it takes at once, as the
// person picks. It sends colorChanged() for changes the person makes, never
// for setColor().

#include <QColor>
#include <QColorDialog>
#include <QPointer>
#include <QPushButton>

class KLColorWell : public QPushButton
{
    Q_OBJECT

public:
    explicit KLColorWell(QWidget* parent = nullptr);
    ~KLColorWell() override;

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    // The open dialog, or null.
    QColorDialog* dialog() const { return m_dialog; }

signals:
    void colorChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void openDialog();

    QColor m_color = Qt::black;
    QPointer<QColorDialog> m_dialog;
};
