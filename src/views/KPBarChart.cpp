#include "KPBarChart.h"

#include "platform/SystemStyle.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

constexpr qreal barShare = 0.7; // of each bar's slot; the rest is the gap
constexpr int labelGap = 6;

} // namespace

KPBarChart::KPBarChart(QWidget* parent) : QWidget(parent), m_barColor(SystemStyle::systemRedColor())
{
    setMinimumSize(120, 80);
}

KPBarChart::~KPBarChart() = default;

void KPBarChart::setBars(QList<Bar> bars)
{
    m_bars = std::move(bars);
    QStringList spoken;
    for (const Bar& bar : std::as_const(m_bars)) {
        if (bar.value > 0)
            spoken << tr("%1: %2").arg(bar.label, bar.valueText);
    }
    setAccessibleDescription(spoken.isEmpty() ? tr("Nothing recorded") : spoken.join(u", "));
    update();
}

void KPBarChart::setBarColor(const QColor& color)
{
    m_barColor = color;
    update();
}

void KPBarChart::setGoal(std::optional<qreal> goal, const QString& text)
{
    m_goal = goal && *goal > 0 ? goal : std::nullopt;
    m_goalText = m_goal ? text : QString();
    update();
}

QRectF KPBarChart::plotArea() const
{
    const int line = fontMetrics().height();
    return QRectF(rect()).adjusted(0, line + 2, 0, -(line + 2));
}

qreal KPBarChart::slotWidth() const
{
    return m_bars.isEmpty() ? 0 : plotArea().width() / m_bars.size();
}

bool KPBarChart::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const qreal slot = slotWidth();
    const qsizetype index = slot > 0 ? qsizetype((help->pos().x() - plotArea().left()) / slot) : -1;
    if (index >= 0 && index < m_bars.size())
        QToolTip::showText(help->globalPos(),
                           tr("%1: %2").arg(m_bars[index].label, m_bars[index].valueText), this);
    else
        QToolTip::hideText();
    return true;
}

void KPBarChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF plot = plotArea();
    const QPalette& colors = palette();
    painter.setPen(SystemStyle::tertiaryLabelColor(colors));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    if (m_bars.isEmpty())
        return;

    const auto tallest = std::max_element(
        m_bars.begin(), m_bars.end(), [](const Bar& a, const Bar& b) { return a.value < b.value; });
    const qreal slot = slotWidth();
    if (slot <= 0)
        return;
    const qreal top = std::max(tallest->value, m_goal.value_or(0));
    if (m_goal) {
        const qreal y = plot.bottom() - plot.height() * *m_goal / top;
        painter.save();
        painter.setPen(QPen(SystemStyle::secondaryLabelColor(colors), 1, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.drawText(QRectF(plot.left(), y - fontMetrics().height() - 1, plot.width(),
                                fontMetrics().height()),
                         Qt::AlignRight | Qt::AlignBottom, m_goalText);
        painter.restore();
    }
    if (tallest->value > 0) {
        // The scale: a faint rule at the tallest bar's height, its value above
        // (the goal's rule stands there when the goal is higher).
        if (tallest->value >= top) {
            painter.drawLine(plot.topLeft(), plot.topRight());
            painter.setPen(SystemStyle::secondaryLabelColor(colors));
            painter.drawText(QRectF(rect().left(), rect().top(), width(), plot.top()),
                             Qt::AlignLeft | Qt::AlignTop, tallest->valueText);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_barColor);
        for (qsizetype i = 0; i < m_bars.size(); ++i) {
            if (m_bars[i].value <= 0)
                continue;
            // A bar too short to see still shows as a sliver.
            const qreal height = std::max(1.0, plot.height() * m_bars[i].value / top);
            const qreal x = plot.left() + slot * i + slot * (1 - barShare) / 2;
            painter.drawRect(QRectF(x, plot.bottom() - height, slot * barShare, height));
        }
    }

    // As many labels as fit side by side, evenly spaced.
    int widest = 0;
    for (const Bar& bar : std::as_const(m_bars))
        widest = std::max(widest, fontMetrics().horizontalAdvance(bar.label));
    const qsizetype every =
        std::max<qsizetype>(1, qsizetype(std::ceil((widest + labelGap) / slot)));
    painter.setPen(SystemStyle::secondaryLabelColor(colors));
    for (qsizetype i = 0; i < m_bars.size(); i += every)
        painter.drawText(QRectF(plot.left() + slot * i - slot, plot.bottom() + 2, slot * 3,
                                height() - plot.bottom() - 2),
                         Qt::AlignHCenter | Qt::AlignTop, m_bars[i].label);
}
