#pragma once

#include "menubar/KPMenuBarTimeDisplay.h"

#include <QColor>
#include <QWidget>

// The 2-point bar along the item's top edge, in the colour of the period.
// Without a colour it draws nothing.
class KPMenuBarTimeDisplay::IndicatorView : public QWidget
{
public:
    explicit IndicatorView(QWidget* parent = nullptr);

    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backgroundColor;
};
