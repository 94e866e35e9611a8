#include "StatusItemButton.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

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

void StatusItemButton::mousePressEvent(QMouseEvent* event)
{
    if (!forwardToView(event))
        QWidget::mousePressEvent(event);
}

void StatusItemButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!forwardToView(event))
        QWidget::mouseReleaseEvent(event);
}

bool StatusItemButton::forwardToView(QMouseEvent* event)
{
    QWidget* view = nullptr;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && widget->isVisibleTo(this)) {
            view = widget;
            break;
        }
    }
    const QPoint at = event->position().toPoint();
    // What the view let pass comes back here from inside it: not sent again.
    if (!view || view->width() < 1 || view->height() < 1 || view->geometry().contains(at))
        return false;
    QPoint inView = view->mapFromParent(at);
    // A release dragged off the button stays off the view too.
    if (rect().contains(at))
        inView = QPoint(std::clamp(inView.x(), 0, view->width() - 1),
                        std::clamp(inView.y(), 0, view->height() - 1));
    QWidget* target = view->childAt(inView);
    if (!target)
        target = view;
    QMouseEvent forwarded(event->type(), target->mapFrom(view, inView), event->scenePosition(),
                          event->globalPosition(), event->button(), event->buttons(),
                          event->modifiers(), event->pointingDevice());
    QCoreApplication::sendEvent(target, &forwarded);
    event->setAccepted(forwarded.isAccepted());
    return true;
}
