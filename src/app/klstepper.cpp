#include "klstepper.h"

#include <algorithm>
#include <cmath>

#include <QToolButton>
#include <QVBoxLayout>

KLStepper::KLStepper(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : { m_up, m_down }) {
        b->setFixedSize(18, 11);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, &KLStepper::stepUp);
    connect(m_down, &QToolButton::clicked, this, &KLStepper::stepDown);
}

void KLStepper::setValue(double value)
{
    const double v = std::isfinite(value) ? std::round(value) : 0;
    m_value = int(std::clamp<double>(v, m_minimum, m_maximum));
}

void KLStepper::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setValue(m_value);
}

void KLStepper::stepUp()
{
    step(1);
}

void KLStepper::stepDown()
{
    step(-1);
}

void KLStepper::step(int by)
{
    const int next = std::clamp(m_value + by, m_minimum, m_maximum);
    if (next == m_value)
        return;
    m_value = next;
    emit clicked(m_value);
}
