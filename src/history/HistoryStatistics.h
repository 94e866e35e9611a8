#pragma once

#include "history/HistoryRecord.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTimeZone>

// What the history says about local days: work periods finished, focused time
// and breaks taken, per day, per hour of one day and per task.
//
// Rules:
// - Focused time is the counted time of work periods, whatever their outcome
//   (an abandoned period's minutes were still worked). A work period is
//   "finished" only with the outcome "finished"; a break is taken when it ran
//   out ("finished" or "endedAway"), not when skipped or abandoned.
//   Stopwatches and countdowns count nowhere.
// - A period is counted where it ended (the day or hour of its end), except its
//   focused time: that is shared between the days (or hours) its running span
//   touches, in proportion to the wall time it ran in each, pauses left out.
//   So 23:30-00:30 with no pause gives half its counted time to each day.
// - Days and hours are the zone's: a day runs from one local midnight to the
//   next (23 or 25 hours around a change of clocks), and such a day has 23 or
//   25 hours in hours().
class HistoryStatistics
{
public:
    struct Totals
    {
        int workPeriods = 0;
        qint64 focusedSeconds = 0;
        int breaks = 0;
    };
    // One local day or one hour of it.
    struct Bucket
    {
        QDateTime start; // in the zone
        Totals totals;
    };
    struct Task
    {
        QString task; // as it read at its latest record
        QString taskId;
        int workPeriods = 0;
        qint64 focusedSeconds = 0;
    };

    explicit HistoryStatistics(QList<HistoryRecord> records,
                               QTimeZone zone = QTimeZone::systemTimeZone());

    // The instant a local day begins; what to ask the store for from.
    static QDateTime startOfDay(QDate day, const QTimeZone& zone);
    // The local day of the earliest record; invalid when there is none.
    QDate firstDay() const;

    // Every day from first to last, empty ones included.
    QList<Bucket> days(QDate first, QDate last) const;
    // Every hour of the day: 23, 24 or 25 of them.
    QList<Bucket> hours(QDate day) const;
    Totals totals(QDate first, QDate last) const;
    // The work periods finished on one local day: what a daily goal counts.
    int workPeriodsOn(QDate day) const;
    // Runs of days in a row that each finished at least goal work periods, up
    // to today: the one that reaches today (or yesterday: a today not yet met
    // breaks nothing) and the longest since the first record. None without a goal.
    struct Streaks
    {
        int current = 0;
        int longest = 0;
    };
    Streaks streaks(int goal, QDate today) const;
    // Tasks credited with work in those days, most focused time first.
    QList<Task> tasks(QDate first, QDate last) const;

    // One line per day with work, oldest first: "YYYY-MM-DD<TAB>work periods
    // finished<TAB>focused minutes (rounded)". Days without work are left out.
    // Never translated: scripts read it.
    QStringList lines(QDate first, QDate last) const;

private:
    // Totals per span between consecutive boundaries (UTC milliseconds).
    QList<Totals> collect(const QList<qint64>& boundaries) const;
    QList<qint64> dayBoundaries(QDate first, QDate last) const;

    QList<HistoryRecord> m_records;
    QTimeZone m_zone;
};
