#include "HistoryStatistics.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

constexpr qint64 msPerHour = 3600 * 1000;

bool isBreak(const HistoryRecord& record)
{
    return record.kind == QLatin1String("shortBreak") || record.kind == QLatin1String("longBreak");
}

bool isWork(const HistoryRecord& record)
{
    return record.kind == QLatin1String("work");
}

// The span whose end is the record's end: a period ending on the stroke of
// midnight belongs to the day it ran in. -1 or the span count when outside.
qsizetype spanOfEnd(const HistoryRecord& record, const QList<qint64>& bounds)
{
    const qint64 end = record.end.toMSecsSinceEpoch();
    return std::lower_bound(bounds.begin(), bounds.end(), end) - bounds.begin() - 1;
}

// The running stretches of a period: its start to its end without its pauses.
QList<std::pair<qint64, qint64>> runningSpans(const HistoryRecord& record)
{
    const qint64 start = record.start.toMSecsSinceEpoch();
    const qint64 end = record.end.toMSecsSinceEpoch();
    QList<std::pair<qint64, qint64>> pauses;
    for (const HistoryRecord::Pause& pause : record.pauses) {
        if (!pause.start.isValid() || pause.seconds <= 0)
            continue;
        const qint64 from = pause.start.toMSecsSinceEpoch();
        pauses.append({from, from + pause.seconds * 1000});
    }
    std::sort(pauses.begin(), pauses.end());
    QList<std::pair<qint64, qint64>> spans;
    qint64 at = start;
    for (const auto& [from, to] : pauses) {
        if (std::min(from, end) > at)
            spans.append({at, std::min(from, end)});
        at = std::max(at, to);
    }
    if (end > at)
        spans.append({at, end});
    return spans;
}

// Shares the record's counted seconds out over the spans between the bounds,
// in proportion to the running time in each; shares are rounded so they add
// up to the counted time exactly. Time outside the bounds is dropped.
template <typename Add>
void shareFocusedTime(const HistoryRecord& record, const QList<qint64>& bounds, Add add)
{
    const qint64 counted = std::max<qint64>(record.countedSeconds, 0);
    if (counted == 0)
        return;
    const qsizetype count = bounds.size() - 1;
    const QList<std::pair<qint64, qint64>> spans =
        record.start.isValid() ? runningSpans(record) : QList<std::pair<qint64, qint64>>();
    qint64 total = 0;
    for (const auto& [from, to] : spans)
        total += to - from;
    if (total == 0) {
        // Nothing to measure the share by: all of it where the period ended.
        const qsizetype span = spanOfEnd(record, bounds);
        if (span >= 0 && span < count)
            add(span, counted);
        return;
    }
    qint64 running = 0;
    qint64 given = 0;
    for (const auto& [from, to] : spans) {
        for (qint64 at = from; at < to;) {
            const auto next = std::upper_bound(bounds.begin(), bounds.end(), at);
            const qint64 stop = next == bounds.end() ? to : std::min(to, *next);
            running += stop - at;
            const qint64 share =
                std::llround(double(counted) * double(running) / double(total)) - given;
            given += share;
            const qsizetype span = next - bounds.begin() - 1;
            if (span >= 0 && span < count)
                add(span, share);
            at = stop;
        }
    }
}

} // namespace

HistoryStatistics::HistoryStatistics(QList<HistoryRecord> records, QTimeZone zone)
    : m_zone(zone.isValid() ? zone : QTimeZone::systemTimeZone())
{
    for (HistoryRecord& record : records) {
        if (record.end.isValid())
            m_records.append(std::move(record));
    }
}

QDateTime HistoryStatistics::startOfDay(QDate day, const QTimeZone& zone)
{
    return day.startOfDay(zone);
}

QDate HistoryStatistics::firstDay() const
{
    QDateTime first;
    for (const HistoryRecord& record : m_records) {
        const QDateTime start = record.start.isValid() ? record.start : record.end;
        if (!first.isValid() || start < first)
            first = start;
    }
    return first.isValid() ? first.toTimeZone(m_zone).date() : QDate();
}

QList<qint64> HistoryStatistics::dayBoundaries(QDate first, QDate last) const
{
    QList<qint64> bounds;
    for (QDate day = first; day.isValid() && day <= last.addDays(1); day = day.addDays(1))
        bounds.append(startOfDay(day, m_zone).toMSecsSinceEpoch());
    return bounds;
}

QList<HistoryStatistics::Totals> HistoryStatistics::collect(const QList<qint64>& bounds) const
{
    QList<Totals> spans(std::max<qsizetype>(bounds.size() - 1, 0));
    if (spans.isEmpty())
        return spans;
    for (const HistoryRecord& record : m_records) {
        const qsizetype end = spanOfEnd(record, bounds);
        const bool endsInside = end >= 0 && end < spans.size();
        if (isWork(record)) {
            if (endsInside && record.outcome == QLatin1String("finished"))
                ++spans[end].workPeriods;
            shareFocusedTime(record, bounds, [&spans](qsizetype span, qint64 seconds) {
                spans[span].focusedSeconds += seconds;
            });
        } else if (isBreak(record) && endsInside &&
                   (record.outcome == QLatin1String("finished") ||
                    record.outcome == QLatin1String("endedAway"))) {
            ++spans[end].breaks;
        }
    }
    return spans;
}

QList<HistoryStatistics::Bucket> HistoryStatistics::days(QDate first, QDate last) const
{
    const QList<qint64> bounds = dayBoundaries(first, last);
    const QList<Totals> totals = collect(bounds);
    QList<Bucket> days;
    for (qsizetype i = 0; i < totals.size(); ++i)
        days.append({startOfDay(first.addDays(i), m_zone), totals[i]});
    return days;
}

QList<HistoryStatistics::Bucket> HistoryStatistics::hours(QDate day) const
{
    const qint64 start = startOfDay(day, m_zone).toMSecsSinceEpoch();
    const qint64 end = startOfDay(day.addDays(1), m_zone).toMSecsSinceEpoch();
    QList<qint64> bounds;
    for (qint64 at = start; at < end; at += msPerHour)
        bounds.append(at);
    bounds.append(end);
    const QList<Totals> totals = collect(bounds);
    QList<Bucket> hours;
    for (qsizetype i = 0; i < totals.size(); ++i)
        hours.append({QDateTime::fromMSecsSinceEpoch(bounds[i], m_zone), totals[i]});
    return hours;
}

HistoryStatistics::Totals HistoryStatistics::totals(QDate first, QDate last) const
{
    const QList<qint64> days = dayBoundaries(first, last);
    if (days.size() < 2)
        return {};
    return collect({days.first(), days.last()}).first();
}

int HistoryStatistics::workPeriodsOn(QDate day) const
{
    return totals(day, day).workPeriods;
}

HistoryStatistics::Streaks HistoryStatistics::streaks(int goal, QDate today) const
{
    const QDate first = firstDay();
    if (goal <= 0 || !first.isValid() || first > today)
        return {};
    Streaks streaks;
    int run = 0;
    int beforeToday = 0;
    for (const Bucket& day : days(first, today)) {
        beforeToday = run;
        run = day.totals.workPeriods >= goal ? run + 1 : 0;
        streaks.longest = std::max(streaks.longest, run);
    }
    // The run as it stood last night still holds while today is under way.
    streaks.current = run > 0 ? run : beforeToday;
    return streaks;
}

QList<HistoryStatistics::Task> HistoryStatistics::tasks(QDate first, QDate last) const
{
    const QList<qint64> days = dayBoundaries(first, last);
    if (days.size() < 2)
        return {};
    const QList<qint64> bounds{days.first(), days.last()};
    // By id, or by text for a task recorded without one; the latest text names it.
    std::map<QString, std::pair<Task, QDateTime>> byKey;
    for (const HistoryRecord& record : m_records) {
        if (!isWork(record) || (record.taskId.isEmpty() && record.task.isEmpty()))
            continue;
        const QString key = record.taskId.isEmpty() ? QLatin1String("text:") + record.task
                                                    : QLatin1String("id:") + record.taskId;
        auto& [task, latest] = byKey[key];
        if (spanOfEnd(record, bounds) == 0 && record.outcome == QLatin1String("finished"))
            ++task.workPeriods;
        shareFocusedTime(record, bounds,
                         [&task](qsizetype, qint64 seconds) { task.focusedSeconds += seconds; });
        if (!latest.isValid() || record.end > latest) {
            latest = record.end;
            task.task = record.task;
            task.taskId = record.taskId;
        }
    }
    QList<Task> tasks;
    for (const auto& [key, entry] : byKey) {
        if (entry.first.workPeriods > 0 || entry.first.focusedSeconds > 0)
            tasks.append(entry.first);
    }
    std::stable_sort(tasks.begin(), tasks.end(), [](const Task& a, const Task& b) {
        return std::tie(b.focusedSeconds, b.workPeriods) <
               std::tie(a.focusedSeconds, a.workPeriods);
    });
    return tasks;
}

QStringList HistoryStatistics::lines(QDate first, QDate last) const
{
    QStringList lines;
    for (const Bucket& day : days(first, last)) {
        const Totals& totals = day.totals;
        if (totals.workPeriods == 0 && totals.focusedSeconds == 0)
            continue;
        lines.append(day.start.date().toString(Qt::ISODate) + QLatin1Char('\t') +
                     QString::number(totals.workPeriods) + QLatin1Char('\t') +
                     QString::number((totals.focusedSeconds + 30) / 60));
    }
    return lines;
}
