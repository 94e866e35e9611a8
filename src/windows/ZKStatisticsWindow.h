#pragma once

#include "history/HistoryRecord.h"
#include "views/KPUtilityWindow.h"

#include <QTimeZone>
#include <functional>
#include <optional>

class KPBarChart;
class QLabel;
class QPushButton;
class QTabBar;
class QTableWidget;

// "Statistics": work periods finished, focused time and breaks taken today,
// this week or in the last 30 days, a bar of focused time per hour (today) or
// per day, and the tasks worked on. Reads the history afresh at every showing
// and change of range, through the owner's providers.
class ZKStatisticsWindow : public KPUtilityWindow
{
    Q_OBJECT

public:
    // The records of the periods between two instants; none when the history
    // cannot be read.
    using RecordsProvider = std::function<std::optional<QList<HistoryRecord>>(
        const QDateTime& since, const QDateTime& until)>;
    // Deletes the whole history; says whether it did. None: nothing to clear.
    using HistoryClearer = std::function<bool()>;
    // In the order of the range bar's tabs.
    enum class Range
    {
        today,
        thisWeek,
        last30Days
    };

    ZKStatisticsWindow(StatusItem* statusItem, RecordsProvider records, HistoryClearer clear,
                       QTimeZone zone = QTimeZone::systemTimeZone());
    ~ZKStatisticsWindow() override;

    QTabBar* rangeBar() const { return m_rangeBar; }
    QLabel* workPeriodsLabel() const { return m_workPeriodsLabel; }
    QLabel* focusedTimeLabel() const { return m_focusedTimeLabel; }
    QLabel* breaksLabel() const { return m_breaksLabel; }
    // Days in a row that met the daily goal: the current run and the longest.
    QLabel* streakLabel() const { return m_streakLabel; }
    KPBarChart* chart() const { return m_chart; }
    QTableWidget* taskTable() const { return m_taskTable; }
    QPushButton* clearButton() const { return m_clearButton; }

    Range range() const;
    void setRange(Range range);
    // Reads the history for the chosen range and shows it.
    void refresh();
    void makeKeyAndOrderFront() override;
    // Work periods a day; with one the days' bars count work periods against
    // it and the streaks show. 0: none.
    void setDailyGoal(int goal);
    // Asks first; deletes only when the user agrees.
    void clearHistory();

    // "1 h 05 min", "25 min": to the nearest minute.
    static QString durationText(qint64 seconds);

private:
    void showStreaks(bool read);

    RecordsProvider m_records;
    HistoryClearer m_clear;
    QTimeZone m_zone;
    QTabBar* m_rangeBar = nullptr;
    QLabel* m_workPeriodsLabel = nullptr;
    QLabel* m_focusedTimeLabel = nullptr;
    QLabel* m_breaksLabel = nullptr;
    QLabel* m_streakLabel = nullptr;
    int m_dailyGoal = 0;
    KPBarChart* m_chart = nullptr;
    QTableWidget* m_taskTable = nullptr;
    QPushButton* m_clearButton = nullptr;
};
