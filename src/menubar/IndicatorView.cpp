#include "IndicatorView.h"

#include <QPaintEvent>
#include <QPainter>

KPMenuBarTimeDisplay::IndicatorView::IndicatorView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void KPMenuBarTimeDisplay::IndicatorView::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    update();
}

void KPMenuBarTimeDisplay::IndicatorView::paintEvent(QPaintEvent* event)
{
    if (!m_backgroundColor.isValid())
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillRect(event->rect(), m_backgroundColor);
}
