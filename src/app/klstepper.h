#pragma once

// A stepper: two small arrow buttons that raise or lower a whole number
// within a range. It sends clicked() after each click has changed value().

#include <QWidget>

class QToolButton;

class KLStepper : public QWidget
{
    Q_OBJECT

public:
    explicit KLStepper(QWidget* parent = nullptr);

    int value() const { return m_value; }
    // Clamped to the range; sends nothing.
    void setValue(double value);
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    void stepUp();
    void stepDown();

signals:
    void clicked(int value);

private:
    void step(int by);

    QToolButton* m_up;
    QToolButton* m_down;
    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 100;
};
