#include "ControlAdaptor.h"

#include "history/DailyProgress.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"

namespace {

constexpr std::chrono::milliseconds tickJitter{20};

const BusService::Error noTimer{QStringLiteral("org.zembrak.Zembrak.Error.NoTimer"),
                                QStringLiteral("Zembrak has no timer yet.")};

} // namespace

ControlAdaptor::ControlAdaptor(BusService& service, KPTimeBoxManager& manager, QObject* parent)
    : QObject(parent), m_service(service), m_manager(&manager)
{
    m_announced = values();
    connect(&manager, &KPTimeBoxManager::periodDidEnd, this, &ControlAdaptor::valuesMayHaveChanged);
    if (KPTimer* t = timer()) {
        connect(t, &KPTimer::stateChanged, this, &ControlAdaptor::valuesMayHaveChanged);
        connect(t, &KPTimer::currentTimeChanged, this, &ControlAdaptor::valuesMayHaveChanged);
    }
    // Drives the timer, or answers that there is none yet.
    const auto onTimer = [this](Outcome (*act)(KPTimer&)) {
        return [this, act](const QVariantList&) {
            KPTimer* t = timer();
            return t ? act(*t) : noTimer;
        };
    };
    service.addInterface(
        interfaceName,
        {{"StartPause", {}, onTimer([](KPTimer& t) -> Outcome {
              t.toggle();
              return {};
          })},
         {"Reset", {}, onTimer([](KPTimer& t) -> Outcome {
              t.reset();
              return {};
          })},
         {"Skip", {}, onTimer(&skip)},
         {"SetTime", "x",
          [this](const QVariantList& seconds) { return setTime(seconds.value(0).toLongLong()); }},
         {"Extend", "x",
          [this](const QVariantList& seconds) { return extend(seconds.value(0).toLongLong()); }}},
        {{"State", "s", [this] { return QVariant(state()); }},
         {"Period", "s", [this] { return QVariant(period()); }},
         {"Remaining", "x", [this] { return QVariant(remaining()); }},
         {"CyclesSinceLaunch", "x", [this] { return QVariant(cyclesSinceLaunch()); }},
         {"Length", "x", [this] { return QVariant(length()); }},
         {"TodayWorkPeriods", "x", [this] { return QVariant(todayWorkPeriods()); }},
         {"DailyGoal", "x", [this] { return QVariant(dailyGoal()); }}},
        {{"PeriodEnded", "ssxx"}});
}

KPTimer* ControlAdaptor::timer() const
{
    return m_manager && m_manager->menuBarTimeDisplay() ? m_manager->menuBarTimeDisplay()->timer()
                                                        : nullptr;
}

QString ControlAdaptor::state() const
{
    const KPTimer* t = timer();
    return t && t->state() == KPTimer::State::active ? QStringLiteral("active")
                                                     : QStringLiteral("inactive");
}

QString ControlAdaptor::period() const
{
    return KPTimeBoxManager::rawValue(m_manager ? m_manager->state()
                                                : KPTimeBoxManager::State::work);
}

qlonglong ControlAdaptor::remaining() const
{
    const KPTimer* t = timer();
    return t ? t->currentTime().totalSeconds() : 0;
}

qlonglong ControlAdaptor::cyclesSinceLaunch() const
{
    return KPTimeBoxManager::cyclesSinceLaunch();
}

qlonglong ControlAdaptor::length() const
{
    const KPTimer* t = timer();
    return t && t->countType() == KPTimer::CountType::down ? t->time().totalSeconds() : 0;
}

void ControlAdaptor::setDailyProgress(DailyProgress* progress)
{
    m_progress = progress;
    if (progress)
        connect(progress, &DailyProgress::changed, this, &ControlAdaptor::valuesMayHaveChanged);
    valuesMayHaveChanged();
}

qlonglong ControlAdaptor::todayWorkPeriods() const
{
    return m_progress && m_progress->goal() > 0 ? m_progress->today() : 0;
}

qlonglong ControlAdaptor::dailyGoal() const
{
    return m_progress ? m_progress->goal() : 0;
}

void ControlAdaptor::periodEnded(const HistoryRecord& record)
{
    m_service.send(interfaceName, "PeriodEnded",
                   {record.kind, record.outcome, record.plannedSeconds, record.countedSeconds});
}

ControlAdaptor::Outcome ControlAdaptor::skip(KPTimer& timer)
{
    if (!timer.finish())
        return BusService::Error{QStringLiteral("org.zembrak.Zembrak.Error.CountingUp"),
                                 QStringLiteral("The stopwatch has no period to end.")};
    return {};
}

ControlAdaptor::Outcome ControlAdaptor::setTime(qlonglong seconds)
{
    // Zero would end the period at the first tick, crediting a task: that is Skip.
    if (seconds < 1 || seconds > KPTime::maximumTotalSeconds)
        return BusService::Error{
            QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"),
            QStringLiteral("SetTime needs a number of seconds from 1 to %1 (9999:59:59).")
                .arg(KPTime::maximumTotalSeconds)};
    KPTimer* t = timer();
    if (!t)
        return noTimer;
    t->setTime(KPTime::fromTotalSeconds(seconds), KPTimer::CountType::down);
    return {};
}

ControlAdaptor::Outcome ControlAdaptor::extend(qlonglong seconds)
{
    KPTimer* t = timer();
    if (!t)
        return noTimer;
    if (t->countType() != KPTimer::CountType::down)
        return BusService::Error{QStringLiteral("org.zembrak.Zembrak.Error.CountingUp"),
                                 QStringLiteral("The stopwatch has no period to extend.")};
    if (!t->extend(seconds))
        return BusService::Error{
            QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"),
            QStringLiteral("Extend needs at least 1 second, and a period of at most %1 seconds "
                           "(9999:59:59) after it.")
                .arg(KPTime::maximumTotalSeconds)};
    return {};
}

ControlAdaptor::Values ControlAdaptor::values() const
{
    return {state(),  period(),           remaining(), cyclesSinceLaunch(),
            length(), todayWorkPeriods(), dailyGoal()};
}

void ControlAdaptor::valuesMayHaveChanged()
{
    if (m_announcementDue)
        return;
    m_announcementDue = true;
    const RunLoop::Instant now = RunLoop::main().now();
    const RunLoop::Instant due =
        m_lastAnnouncement ? *m_lastAnnouncement + announcementInterval : now;
    // Whatever else changes in the same event goes into the same announcement.
    // A tick comes a hair early now and then: what it changes just short of
    // the interval is said with it, not by a timer waking the process a
    // millisecond later.
    const auto delay = due - now <= tickJitter
                           ? std::chrono::milliseconds{0}
                           : std::chrono::ceil<std::chrono::milliseconds>(due - now);
    RunLoop::main().postAfter(delay, this, [this] { announce(); });
}

void ControlAdaptor::announce()
{
    m_announcementDue = false;
    const Values now = values();
    QStringList changed;
    if (now.state != m_announced.state)
        changed << QStringLiteral("State");
    if (now.period != m_announced.period)
        changed << QStringLiteral("Period");
    if (now.remaining != m_announced.remaining)
        changed << QStringLiteral("Remaining");
    if (now.cyclesSinceLaunch != m_announced.cyclesSinceLaunch)
        changed << QStringLiteral("CyclesSinceLaunch");
    if (now.length != m_announced.length)
        changed << QStringLiteral("Length");
    if (now.today != m_announced.today)
        changed << QStringLiteral("TodayWorkPeriods");
    if (now.goal != m_announced.goal)
        changed << QStringLiteral("DailyGoal");
    m_announced = now;
    if (changed.isEmpty())
        return;
    m_lastAnnouncement = RunLoop::main().now();
    m_service.announce(interfaceName, changed);
}
