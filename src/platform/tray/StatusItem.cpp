#include "StatusItem.h"

#include "StatusItemButton.h"

#include <QVariantAnimation>
#include <cmath>

StatusItem::StatusItem() : m_button(std::make_unique<StatusItemButton>())
{
    m_button->resize(0, 21);
}

StatusItem::~StatusItem() = default;

void StatusItem::setLength(double length)
{
    if (m_length == length)
        return;
    m_length = length;
    applyLength();
    Q_EMIT lengthChanged(length);
}

void StatusItem::applyLength()
{
    m_button->resize(int(std::ceil(m_length)), m_button->height());
}

void StatusItem::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    static_cast<StatusItemButton*>(m_button.get())->setHighlighted(highlighted);
    Q_EMIT appearanceChanged();
}

void StatusItem::setAlphaValue(qreal alpha)
{
    if (m_alphaAnimation)
        m_alphaAnimation->stop();
    m_alpha = alpha;
    static_cast<StatusItemButton*>(m_button.get())->setAlpha(alpha);
    Q_EMIT appearanceChanged();
}

void StatusItem::animateAlphaValue(qreal alpha)
{
    if (!m_alphaAnimation) {
        m_alphaAnimation = std::make_unique<QVariantAnimation>();
        m_alphaAnimation->setDuration(250);
        connect(m_alphaAnimation.get(), &QVariantAnimation::valueChanged, this,
                [this](const QVariant& value) {
                    static_cast<StatusItemButton*>(m_button.get())->setAlpha(value.toReal());
                    Q_EMIT appearanceChanged();
                });
    }
    m_alphaAnimation->stop();
    m_alphaAnimation->setStartValue(m_alpha);
    m_alphaAnimation->setEndValue(alpha);
    m_alpha = alpha; // the value reads as the target at once, as an animator's does
    m_alphaAnimation->start();
}

void StatusItem::setLabelText(const QString& text)
{
    if (m_labelText == text)
        return;
    m_labelText = text;
    Q_EMIT labelTextChanged(text);
}

void StatusItem::setSquareText(const QString& text)
{
    if (m_squareText == text)
        return;
    m_squareText = text;
    Q_EMIT appearanceChanged();
}

void StatusItem::setAccentColor(const QColor& color)
{
    if (m_accentColor == color)
        return;
    m_accentColor = color;
    Q_EMIT appearanceChanged();
}

void StatusItem::setToolTipTitle(const QString& title)
{
    if (m_toolTipTitle == title)
        return;
    m_toolTipTitle = title;
    Q_EMIT toolTipChanged();
}

void StatusItem::setToolTipText(const QString& text)
{
    if (m_toolTipText == text)
        return;
    m_toolTipText = text;
    Q_EMIT toolTipChanged();
}

void StatusItem::setMenu(Menu menu)
{
    m_menu = std::move(menu);
    Q_EMIT menuChanged();
}

void StatusItem::setSlotSize(QSize size)
{
    if (m_slotSize == size)
        return;
    m_slotSize = size;
    Q_EMIT slotSizeChanged(size);
}

QRect StatusItem::buttonGeometry() const
{
    return QRect(m_button->mapToGlobal(QPoint(0, 0)), m_button->size());
}
