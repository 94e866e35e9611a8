#include "KPTaskCyclesMenu.h"

#include "platform/Frame.h"
#include "tasks/KPTaskCellDelegate.h"

#include <QEvent>
#include <QToolButton>
#include <QWidgetAction>

namespace {
constexpr int buttonSize = 18;
} // namespace

KPTaskCyclesMenu::KPTaskCyclesMenu(QWidget* parent) : QMenu(parent)
{
    m_item = new QWidgetAction(this);
    auto* view = new QWidget(this);
    view->setFixedSize(40, 18);
    m_increaseButton = makeButton(view, 2, tr("Increase Cycle Count"));
    m_decreaseButton = makeButton(view, 20, tr("Decrease Cycle Count"));
    connect(m_increaseButton, &QToolButton::clicked, this, &KPTaskCyclesMenu::increaseCycleCount);
    connect(m_decreaseButton, &QToolButton::clicked, this, &KPTaskCyclesMenu::decreaseCycleCount);
    m_item->setDefaultWidget(view); // the action owns the view from here on
    addAction(m_item);
    updateImages();
}

QToolButton* KPTaskCyclesMenu::makeButton(QWidget* parent, int x, const QString& toolTip)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(buttonSize, buttonSize));
    Frame::set(button, QRect(x, 0, buttonSize, buttonSize));
    return button;
}

void KPTaskCyclesMenu::updateImages()
{
    const QColor color = palette().color(QPalette::Active, QPalette::Text);
    const QSize size(buttonSize, buttonSize);
    const qreal ratio = devicePixelRatioF();
    m_increaseButton->setIcon(
        QIcon(KPTaskCellDelegate::templatePixmap(QStringLiteral("KPAdd"), size, color, ratio)));
    m_decreaseButton->setIcon(
        QIcon(KPTaskCellDelegate::templatePixmap(QStringLiteral("KPRemove"), size, color, ratio)));
}

void KPTaskCyclesMenu::changeEvent(QEvent* event)
{
    QMenu::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateImages();
}

void KPTaskCyclesMenu::setRepresentedRow(int row)
{
    m_item->setData(row);
}

std::optional<int> KPTaskCyclesMenu::representedRow() const
{
    const QVariant data = m_item->data();
    if (data.typeId() != QMetaType::Int)
        return std::nullopt;
    return data.toInt();
}
