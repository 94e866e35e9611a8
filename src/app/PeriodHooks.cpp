#include "PeriodHooks.h"

#include "app/HookRunner.h"
#include "history/PeriodRecorder.h"
#include "tasks/KPTaskManager.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"

#include <algorithm>

PeriodHooks::PeriodHooks(PeriodRecorder& recorder, const KPTimeBoxManager& manager,
                         HookRunner& runner, const KPTaskManager* tasks, QObject* parent)
    : QObject(parent), m_manager(manager), m_runner(runner), m_tasks(tasks)
{
    connect(&recorder, &PeriodRecorder::periodStarted, this, &PeriodHooks::started);
    connect(&recorder, &PeriodRecorder::pauseChanged, this, &PeriodHooks::pauseChanged);
    connect(&recorder, &PeriodRecorder::periodEnded, this, &PeriodHooks::ended);
}

QString PeriodHooks::phaseOf(const QString& kind)
{
    const auto state = KPTimeBoxManager::fromRawValue(kind);
    if (!state)
        return {};
    return *state == KPTimeBoxManager::State::work ? QStringLiteral("work")
                                                   : QStringLiteral("break");
}

qint64 PeriodHooks::shownSeconds() const
{
    const KPTimer* timer =
        m_manager.menuBarTimeDisplay() ? m_manager.menuBarTimeDisplay()->timer() : nullptr;
    return timer ? timer->currentTime().totalSeconds() : 0;
}

QString PeriodHooks::openTask() const
{
    const std::optional<KPTask> task = m_tasks ? m_tasks->firstOpenTask() : std::nullopt;
    return task ? task->string : QString();
}

void PeriodHooks::started(const QString& kind, qint64 plannedSeconds)
{
    const QString phase = phaseOf(kind);
    if (!phase.isEmpty())
        tell(phase + QStringLiteral("Started"),
             {kind, QString(), plannedSeconds, plannedSeconds, openTask()});
}

void PeriodHooks::pauseChanged(bool paused, const QString& kind, qint64 plannedSeconds)
{
    tell(paused ? QStringLiteral("paused") : QStringLiteral("resumed"),
         {kind, QString(), plannedSeconds, shownSeconds(), openTask()});
}

void PeriodHooks::ended(const HistoryRecord& record)
{
    // The timer holds the next period by now: what was left is the record's.
    const bool ranOut =
        record.outcome == QLatin1String("finished") || record.outcome == QLatin1String("endedAway");
    const qint64 left = ranOut ? 0
                        : record.plannedSeconds > 0
                            ? std::max<qint64>(0, record.plannedSeconds - record.countedSeconds)
                            : record.countedSeconds;
    const Facts facts{record.kind, record.outcome, record.plannedSeconds, left, record.task};
    if (record.outcome == QLatin1String("skipped"))
        tell(QStringLiteral("skipped"), facts);
    const QString phase = phaseOf(record.kind);
    if (!phase.isEmpty())
        tell(phase + QStringLiteral("Ended"), facts);
}

void PeriodHooks::tell(const QString& event, const Facts& facts)
{
    if (!m_runner.hasHook(event))
        return;
    m_runner.run(event, {{QStringLiteral("ZEMBRAK_EVENT"), event},
                         {QStringLiteral("ZEMBRAK_PERIOD"), facts.kind},
                         {QStringLiteral("ZEMBRAK_OUTCOME"), facts.outcome},
                         {QStringLiteral("ZEMBRAK_LENGTH"), QString::number(facts.length)},
                         {QStringLiteral("ZEMBRAK_REMAINING"), QString::number(facts.remaining)},
                         {QStringLiteral("ZEMBRAK_TASK"), facts.task},
                         {QStringLiteral("ZEMBRAK_CYCLES"),
                          QString::number(KPTimeBoxManager::cyclesSinceLaunch())}});
}
