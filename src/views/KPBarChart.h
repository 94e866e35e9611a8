#pragma once

#include <QColor>
#include <QList>
#include <QWidget>
#include <optional>

// A row of vertical bars over labels, scaled to the tallest, painted with the
// palette's text colours and one bar colour. Drawn here rather than with Qt
// Charts, which the app does not otherwise load and which would add megabytes
// to every running copy for one small chart.
class KPBarChart : public QWidget
{
    Q_OBJECT

public:
    struct Bar
    {
        QString label;     // under the bar; left out where labels would crowd
        qreal value = 0;   // the height, against the tallest bar
        QString valueText; // shown on hover and read out by screen readers
    };

    explicit KPBarChart(QWidget* parent = nullptr);
    ~KPBarChart() override;

    const QList<Bar>& bars() const { return m_bars; }
    void setBars(QList<Bar> bars);
    QColor barColor() const { return m_barColor; }
    // A dashed rule across the bars at a value the bars aim for (a daily goal),
    // its text beside it; none draws no rule. The scale reaches it.
    std::optional<qreal> goal() const { return m_goal; }
    void setGoal(std::optional<qreal> goal, const QString& text = QString());
    void setBarColor(const QColor& color);

    QSize sizeHint() const override { return {300, 120}; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plotArea() const;
    qreal slotWidth() const;

    QList<Bar> m_bars;
    QColor m_barColor;
    std::optional<qreal> m_goal;
    QString m_goalText;
};
