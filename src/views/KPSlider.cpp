#include "KPSlider.h"

#include "platform/Frame.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

KPSlider::KPSlider(int width, double minValue, double maxValue, QWidget* parent) : QWidget(parent)
{
    // The label keeps the width of the widest text it is made for ("12.0").
    m_label = new QLabel(QString::number(maxValue, 'f', 1), this);
    m_label->adjustSize();
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(int(minValue), int(maxValue));
    const int sliderHeight = m_slider->sizeHint().height();
    setGeometry(0, 0, width, std::max(sliderHeight, m_label->height() + 2));
    Frame::set(m_slider, QRect(0, 0, width - m_label->width(), sliderHeight));
    Frame::setOrigin(m_label, width - m_label->width(), 2);
    connect(m_slider, &QSlider::valueChanged, this, &KPSlider::changeValue);
    setValue(qint64(minValue));
}

void KPSlider::setValue(qint64 value)
{
    m_value = value;
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(int(std::clamp<qint64>(value, m_slider->minimum(), m_slider->maximum())));
    updateLabel();
}

void KPSlider::changeValue()
{
    // The slider moves in whole steps: the knob already sits on the value.
    m_value = m_slider->value();
    updateLabel();
}

void KPSlider::updateLabel()
{
    m_label->setText(QString::number(m_value));
}
