#include "ZKStatisticsWindow.h"

#include "history/HistoryStatistics.h"
#include "timing/KPTimeBoxManager.h"
#include "views/KPBarChart.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

using Range = ZKStatisticsWindow::Range;

struct Days
{
    QDate first;
    QDate last;
};

Days daysOf(Range range, QDate today)
{
    switch (range) {
    case Range::today:
        return {today, today};
    case Range::thisWeek: {
        const int intoWeek = (today.dayOfWeek() - QLocale().firstDayOfWeek() + 7) % 7;
        const QDate first = today.addDays(-intoWeek);
        return {first, first.addDays(6)};
    }
    case Range::last30Days:
        return {today.addDays(-29), today};
    }
    return {today, today};
}

// Focused time, or with a daily goal the days' work periods, which it is set in.
QList<KPBarChart::Bar> barsOf(const QList<HistoryStatistics::Bucket>& buckets, Range range,
                              bool workPeriods)
{
    QList<KPBarChart::Bar> bars;
    for (const HistoryStatistics::Bucket& bucket : buckets) {
        const QDate date = bucket.start.date();
        QString label;
        if (range == Range::today)
            label = QString::number(bucket.start.time().hour());
        else if (range == Range::thisWeek)
            label = QLocale().dayName(date.dayOfWeek(), QLocale::ShortFormat);
        else
            label = QString::number(date.day());
        const qint64 seconds = bucket.totals.focusedSeconds;
        const int periods = bucket.totals.workPeriods;
        if (workPeriods)
            bars.append({label, qreal(periods),
                         ZKStatisticsWindow::tr("%n work periods", nullptr, periods)});
        else
            bars.append({label, qreal(seconds), ZKStatisticsWindow::durationText(seconds)});
    }
    return bars;
}

QTableWidgetItem* numberItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void showTasks(QTableWidget* table, const QList<HistoryStatistics::Task>& tasks)
{
    table->setRowCount(int(tasks.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const HistoryStatistics::Task& task = tasks[row];
        table->setItem(row, 0, new QTableWidgetItem(task.task));
        table->setItem(row, 1, numberItem(QString::number(task.workPeriods)));
        table->setItem(row, 2, numberItem(ZKStatisticsWindow::durationText(task.focusedSeconds)));
    }
}

} // namespace

ZKStatisticsWindow::ZKStatisticsWindow(StatusItem* statusItem, RecordsProvider records,
                                       HistoryClearer clear, QTimeZone zone)
    : KPUtilityWindow(statusItem, tr("Statistics"), 440, 480), m_records(std::move(records)),
      m_clear(std::move(clear)), m_zone(std::move(zone))
{
    QWidget* view = utilityView();
    m_rangeBar = new QTabBar(view);
    m_rangeBar->addTab(tr("Today"));
    m_rangeBar->addTab(tr("This Week"));
    m_rangeBar->addTab(tr("Last 30 Days"));
    m_rangeBar->setAccessibleName(tr("Days shown"));
    m_rangeBar->setFocusPolicy(Qt::StrongFocus);
    // Every range's name whole: the window widens for a language's longer ones.
    m_rangeBar->setElideMode(Qt::ElideNone);
    m_rangeBar->setUsesScrollButtons(false);
    m_workPeriodsLabel = new QLabel(view);
    m_focusedTimeLabel = new QLabel(view);
    m_breaksLabel = new QLabel(view);
    m_streakLabel = new QLabel(view);
    m_streakLabel->hide();
    m_chart = new KPBarChart(view);
    m_chart->setBarColor(KPTimeBoxManager::colorFor(KPTimeBoxManager::State::work));
    m_taskTable = new QTableWidget(0, 3, view);
    m_taskTable->setHorizontalHeaderLabels({tr("Task"), tr("Work Periods"), tr("Focused Time")});
    m_taskTable->setAccessibleName(tr("Tasks"));
    m_taskTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_taskTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_taskTable->setTabKeyNavigation(false);
    m_taskTable->verticalHeader()->hide();
    m_taskTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column : {1, 2})
        m_taskTable->horizontalHeader()->setSectionResizeMode(column,
                                                              QHeaderView::ResizeToContents);
    // Long column titles (French, Spanish) widen the window rather than squeeze the task titles.
    constexpr int taskTitleCharacters = 28;
    m_taskTable->setMinimumWidth(
        2 * m_taskTable->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
        m_taskTable->horizontalHeader()->sectionSizeHint(1) +
        m_taskTable->horizontalHeader()->sectionSizeHint(2) +
        taskTitleCharacters * m_taskTable->fontMetrics().averageCharWidth());
    m_clearButton = new QPushButton(tr("Clear History…"), view);
    m_clearButton->setEnabled(bool(m_clear));

    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(m_rangeBar, 0, Qt::AlignHCenter);
    for (QLabel* label : {m_workPeriodsLabel, m_focusedTimeLabel, m_breaksLabel, m_streakLabel})
        layout->addWidget(label);
    layout->addWidget(m_chart, 3);
    layout->addWidget(m_taskTable, 2);
    layout->addWidget(m_clearButton, 0, Qt::AlignRight);
    setTabOrder(m_rangeBar, m_taskTable);
    setTabOrder(m_taskTable, m_clearButton);

    connect(m_rangeBar, &QTabBar::currentChanged, this, &ZKStatisticsWindow::refresh);
    connect(m_clearButton, &QPushButton::clicked, this, &ZKStatisticsWindow::clearHistory);
}

ZKStatisticsWindow::~ZKStatisticsWindow() = default;

ZKStatisticsWindow::Range ZKStatisticsWindow::range() const
{
    return Range(m_rangeBar->currentIndex());
}

void ZKStatisticsWindow::setRange(Range range)
{
    m_rangeBar->setCurrentIndex(int(range));
}

void ZKStatisticsWindow::refresh()
{
    const Range shown = range();
    const auto [first, last] =
        daysOf(shown, QDateTime::currentDateTime().toTimeZone(m_zone).date());
    // From a day early: a period that began before the first day and ran into it counts there too.
    std::optional<QList<HistoryRecord>> records;
    if (m_records)
        records = m_records(HistoryStatistics::startOfDay(first.addDays(-1), m_zone),
                            HistoryStatistics::startOfDay(last.addDays(1), m_zone));
    const bool read = records || !m_records;
    const HistoryStatistics statistics(records.value_or(QList<HistoryRecord>()), m_zone);

    const HistoryStatistics::Totals totals = statistics.totals(first, last);
    // Zeros would pass for an empty history.
    m_workPeriodsLabel->setText(read ? tr("Work periods finished: %1").arg(totals.workPeriods)
                                     : tr("The history could not be read."));
    m_focusedTimeLabel->setText(
        read ? tr("Focused time: %1").arg(durationText(totals.focusedSeconds)) : QString());
    m_breaksLabel->setText(read ? tr("Breaks taken: %1").arg(totals.breaks) : QString());
    const bool hourly = shown == Range::today;
    const bool byGoal = m_dailyGoal > 0 && !hourly;
    m_chart->setBars(
        barsOf(hourly ? statistics.hours(first) : statistics.days(first, last), shown, byGoal));
    m_chart->setGoal(byGoal ? std::optional<qreal>(m_dailyGoal) : std::nullopt,
                     tr("Goal: %1").arg(m_dailyGoal));
    m_chart->setAccessibleName(hourly   ? tr("Focused time per hour")
                               : byGoal ? tr("Work periods per day")
                                        : tr("Focused time per day"));
    showStreaks(read);
    showTasks(m_taskTable, statistics.tasks(first, last));
    fitWidth(utilityView()->layout()->minimumSize().width());
}

void ZKStatisticsWindow::setDailyGoal(int goal)
{
    m_dailyGoal = std::max(goal, 0);
    if (isVisible())
        refresh();
}

void ZKStatisticsWindow::showStreaks(bool read)
{
    m_streakLabel->setVisible(m_dailyGoal > 0 && read);
    if (m_dailyGoal <= 0 || !read || !m_records)
        return;
    // A streak may reach back to the first day kept.
    const QDate today = QDateTime::currentDateTime().toTimeZone(m_zone).date();
    const HistoryStatistics::Streaks streaks =
        HistoryStatistics(
            m_records(QDateTime(), HistoryStatistics::startOfDay(today.addDays(1), m_zone))
                .value_or(QList<HistoryRecord>()),
            m_zone)
            .streaks(m_dailyGoal, today);
    m_streakLabel->setText(tr("Current streak: %n days", nullptr, streaks.current) +
                           QStringLiteral("   ") +
                           tr("Longest streak: %n days", nullptr, streaks.longest));
}

void ZKStatisticsWindow::makeKeyAndOrderFront()
{
    refresh();
    m_rangeBar->setFocus();
    KPUtilityWindow::makeKeyAndOrderFront();
}

void ZKStatisticsWindow::clearHistory()
{
    if (!m_clear)
        return;
    auto* question = new QMessageBox(QMessageBox::Question, tr("Clear History"),
                                     tr("Delete every recorded period? This cannot be undone."),
                                     QMessageBox::Yes | QMessageBox::No, this);
    question->setDefaultButton(QMessageBox::No);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, &QMessageBox::finished, this, [this](int answer) {
        if (answer != QMessageBox::Yes)
            return;
        if (!m_clear()) {
            auto* failure =
                new QMessageBox(QMessageBox::Warning, tr("Clear History"),
                                tr("The history could not be cleared."), QMessageBox::Ok, this);
            failure->setAttribute(Qt::WA_DeleteOnClose);
            failure->open();
        }
        refresh();
    });
    question->open();
}

QString ZKStatisticsWindow::durationText(qint64 seconds)
{
    const qint64 minutes = (seconds + 30) / 60;
    if (minutes < 60)
        return tr("%1 min").arg(minutes);
    return tr("%1 h %2 min").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
