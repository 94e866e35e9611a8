#include "DailyProgress.h"

#include "history/HistoryStatistics.h"
#include "history/HistoryStore.h"
#include "platform/RunLoop.h"

#include <algorithm>

DailyProgress::DailyProgress(HistoryStore& store, QTimeZone zone, Clock clock, QObject* parent)
    : QObject(parent), m_store(store), m_zone(zone.isValid() ? zone : QTimeZone::systemTimeZone()),
      m_clock(std::move(clock))
{}

DailyProgress::~DailyProgress() = default;

void DailyProgress::setGoal(int goal)
{
    m_goal = std::max(goal, 0);
    recount();
}

QString DailyProgress::text() const
{
    return m_goal > 0 ? tr("%1 of %n today", nullptr, m_goal).arg(m_today) : QString();
}

void DailyProgress::recount()
{
    m_today = 0;
    if (m_goal > 0) {
        const QDate day = m_clock().toTimeZone(m_zone).date();
        // From the day before: a period that ran over midnight is today's if it ended today.
        const QList<HistoryRecord> records =
            m_store.records(HistoryStatistics::startOfDay(day.addDays(-1), m_zone),
                            HistoryStatistics::startOfDay(day.addDays(1), m_zone));
        m_today = HistoryStatistics(records, m_zone).workPeriodsOn(day);
        waitForMidnight();
    }
    Q_EMIT changed();
}

void DailyProgress::waitForMidnight()
{
    if (m_waiting)
        return;
    m_waiting = true;
    const QDateTime now = m_clock();
    const QDate day = now.toTimeZone(m_zone).date();
    const qint64 untilMidnight = now.msecsTo(HistoryStatistics::startOfDay(day.addDays(1), m_zone));
    // A second late, so that the count is surely of the new day; at most an
    // hour, as the wall clock may be set or the machine sleep meanwhile.
    const auto delay =
        std::chrono::milliseconds(std::clamp<qint64>(untilMidnight + 1000, 1000, 3600 * 1000));
    RunLoop::main().postAfter(delay, this, [this] {
        m_waiting = false;
        if (m_goal > 0)
            recount();
    });
}
