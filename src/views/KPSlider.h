#pragma once

#include <QWidget>

class QLabel;
class QSlider;

// A whole-number slider with its value written to the right of the knob.
class KPSlider : public QWidget
{
    Q_OBJECT

public:
    KPSlider(int width, double minValue, double maxValue, QWidget* parent = nullptr);

    QSlider* slider() const { return m_slider; }
    QLabel* label() const { return m_label; }

    qint64 value() const { return m_value; }
    // The value, the knob (as near as its range allows) and the label at once;
    // a value outside the range is kept until the knob is moved.
    void setValue(qint64 value);
    void updateLabel();

private:
    void changeValue();

    QSlider* m_slider = nullptr;
    QLabel* m_label = nullptr;
    qint64 m_value = 0;
};
