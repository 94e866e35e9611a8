#include "StatusItemButton.h"

#include <QChildEvent>
#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPointer>

StatusItemButton::StatusItemButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void StatusItemButton::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    update();
}

void StatusItemButton::setAlpha(qreal alpha)
{
    if (qFuzzyCompare(m_alpha, alpha))
        return;
    m_alpha = alpha;
    // The effect costs a render pass: keep it only while the item is faded.
    if (qFuzzyCompare(alpha, 1.0)) {
        setGraphicsEffect(nullptr);
    } else {
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
        if (!effect) {
            effect = new QGraphicsOpacityEffect(this);
            setGraphicsEffect(effect); // the widget takes ownership
        }
        effect->setOpacity(alpha);
    }
}

void StatusItemButton::paintEvent(QPaintEvent*)
{
    if (!m_highlighted)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Highlight));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

void StatusItemButton::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    if (event->type() != QEvent::ChildAdded || !event->child()->isWidgetType())
        return;
    // Reparenting is still under way here: show once it is done.
    QPointer<QWidget> child = static_cast<QWidget*>(event->child());
    QMetaObject::invokeMethod(
        this,
        [this, child] {
            if (child && child->parentWidget() == this && isVisible() &&
                !child->testAttribute(Qt::WA_WState_ExplicitShowHide))
                child->show();
        },
        Qt::QueuedConnection);
}
