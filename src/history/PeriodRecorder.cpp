#include "PeriodRecorder.h"

#include "history/HistoryStore.h"
#include "timing/KPTimeBoxManager.h"

#include <chrono>

using std::chrono::duration_cast;
using std::chrono::milliseconds;
using std::chrono::seconds;

namespace {

const QString userCause = QStringLiteral("user");

QString outcomeOf(KPTimer::Ending how)
{
    switch (how) {
    case KPTimer::Ending::finished:
        return QStringLiteral("finished");
    case KPTimer::Ending::skipped:
        return QStringLiteral("skipped");
    default:
        return QStringLiteral("abandoned");
    }
}

} // namespace

PeriodRecorder::PeriodRecorder(KPTimeBoxManager& manager, HistoryStore& store, QObject* parent)
    : QObject(parent), m_manager(manager), m_store(store)
{
    connect(&manager, &KPTimeBoxManager::periodDidEnd, this, &PeriodRecorder::cycleMoved);
    if (!manager.menuBarTimeDisplay() || !manager.menuBarTimeDisplay()->timer())
        return;
    m_timer = manager.menuBarTimeDisplay()->timer();
    connect(m_timer, &KPTimer::stateChanged, this, &PeriodRecorder::timerStateChanged);
    connect(m_timer, &KPTimer::periodEnded, this, &PeriodRecorder::timerPeriodEnded);
    // The record holds the length the period ends with.
    connect(m_timer, &KPTimer::extended, this, [this](qint64 seconds) {
        if (m_open)
            m_open->record.plannedSeconds += seconds;
    });
    if (m_timer->state() == KPTimer::State::active)
        begin();
}

QString PeriodRecorder::kindNow() const
{
    if (m_timer && m_timer->countType() == KPTimer::CountType::up)
        return QStringLiteral("stopwatch");
    if (m_outsideCycle)
        return QStringLiteral("countdown");
    return KPTimeBoxManager::rawValue(m_manager.state());
}

QDateTime PeriodRecorder::wallAt(RunLoop::Instant instant) const
{
    // Wall time follows the clock that counted the period, so a clock set back
    // meanwhile cannot make a period end before it began.
    return m_open->record.start.addMSecs(
        duration_cast<milliseconds>(instant - m_open->started).count());
}

qint64 PeriodRecorder::countedSeconds(RunLoop::Instant now) const
{
    RunLoop::Instant counted = m_open->counted;
    if (m_open->runningSince)
        counted += now - *m_open->runningSince;
    return std::max<qint64>(0, duration_cast<seconds>(counted).count());
}

void PeriodRecorder::begin()
{
    const RunLoop::Instant now = RunLoop::main().now();
    Open open;
    open.started = now;
    open.runningSince = now;
    open.record.start = QDateTime::currentDateTimeUtc();
    open.record.startOffsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
    open.record.kind = kindNow();
    open.record.plannedSeconds = m_timer->countType() == KPTimer::CountType::down
                                     ? m_timer->currentTime().totalSeconds()
                                     : 0;
    m_open = std::move(open);
    ++m_begun;
    m_pauseTold = false;
    const quint64 begun = m_begun;
    // The timer starts what follows before the cycle says what it is.
    RunLoop::main().post(this, [this, begun] {
        if (m_open && m_begun == begun)
            Q_EMIT periodStarted(m_open->record.kind, m_open->record.plannedSeconds);
    });
}

void PeriodRecorder::tellLater(bool paused)
{
    const quint64 begun = m_begun;
    // A countdown stops as it ends: a pause it is only if the period is still open after.
    RunLoop::main().post(this, [this, begun, paused] {
        if (!m_open || m_begun != begun || m_open->runningSince.has_value() == paused ||
            m_pauseTold == paused)
            return;
        m_pauseTold = paused;
        Q_EMIT pauseChanged(paused, m_open->record.kind, m_open->record.plannedSeconds);
    });
}

void PeriodRecorder::timerStateChanged()
{
    const RunLoop::Instant now = RunLoop::main().now();
    const bool active = m_timer->state() == KPTimer::State::active;
    if (!m_open) {
        if (active)
            begin();
        return;
    }
    if (active && !m_open->runningSince) {
        m_open->runningSince = now;
        if (m_open->openPause) {
            HistoryRecord::Pause& pause = m_open->record.pauses[*m_open->openPause];
            pause.seconds = pause.start.secsTo(wallAt(now));
            m_open->openPause.reset();
        }
        tellLater(false);
    } else if (!active && m_open->runningSince) {
        m_open->counted += now - *m_open->runningSince;
        m_open->runningSince.reset();
        const QString cause = m_nextPauseCause.isEmpty() ? userCause : m_nextPauseCause;
        m_nextPauseCause.clear();
        m_open->record.pauses.append({cause, wallAt(now), 0});
        m_open->openPause = m_open->record.pauses.size() - 1;
        tellLater(true);
    }
}

void PeriodRecorder::timerPeriodEnded(KPTimer::Ending how)
{
    if (m_open && std::exchange(m_open->givingBack, false) && how == KPTimer::Ending::retimed)
        return;
    if (m_open)
        end(outcomeOf(how));
    if (how == KPTimer::Ending::replaced)
        m_outsideCycle = true;
    // Changed while running: what follows counts from now.
    if (m_timer->state() == KPTimer::State::active)
        begin();
}

void PeriodRecorder::cycleMoved()
{
    // The cycle gives the timer its next period before it says so: that period
    // is the cycle's.
    m_outsideCycle = false;
    if (m_open)
        m_open->record.kind = kindNow();
    keepEnded();
}

void PeriodRecorder::taskCredited(const KPTask& task)
{
    if (!m_ended)
        return;
    m_ended->task = task.string;
    m_ended->taskId = QString::number(task.id, 'g', QLocale::FloatingPointShortest);
}

void PeriodRecorder::setNextPauseCause(const QString& cause)
{
    m_nextPauseCause = cause;
}

void PeriodRecorder::discardCounted(qint64 seconds, const QString& cause)
{
    if (!m_open || seconds <= 0)
        return;
    const RunLoop::Instant now = RunLoop::main().now();
    const qint64 taken = std::min(seconds, countedSeconds(now));
    m_open->counted -= std::chrono::seconds(taken);
    m_open->record.pauses.append({cause, wallAt(now - std::chrono::seconds(taken)), taken});
    m_open->givingBack = true;
}

void PeriodRecorder::sleepChanged(bool sleeping)
{
    if (!m_open)
        return;
    const RunLoop::Instant now = RunLoop::main().now();
    if (sleeping) {
        if (m_open->runningSince && m_open->record.plannedSeconds > 0)
            m_open->asleepSince = now;
        return;
    }
    // Woken before the tick that ends it, it ran out asleep all the same.
    const bool ranOut =
        m_open->runningSince && countedSeconds(now) >= m_open->record.plannedSeconds;
    if (!ranOut)
        m_open->asleepSince.reset();
}

void PeriodRecorder::flush()
{
    if (m_open)
        end(outcomeOf(KPTimer::Ending::reset));
    keepEnded();
}

void PeriodRecorder::end(const QString& outcome)
{
    keepEnded();
    const RunLoop::Instant now = RunLoop::main().now();
    HistoryRecord& record = m_open->record;
    record.end = wallAt(now);
    if (m_open->openPause) {
        HistoryRecord::Pause& pause = record.pauses[*m_open->openPause];
        pause.seconds = pause.start.secsTo(record.end);
        // The pause a countdown's end makes as it stops is no pause of the user's.
        if (pause.seconds == 0)
            record.pauses.removeAt(*m_open->openPause);
    }
    record.countedSeconds = countedSeconds(now);
    record.outcome = outcome;
    if (m_open->asleepSince && outcome == QLatin1String("finished")) {
        const qint64 slept =
            std::min(record.countedSeconds,
                     qint64(duration_cast<seconds>(now - *m_open->asleepSince).count()));
        record.outcome = QStringLiteral("endedAway");
        record.countedSeconds -= slept;
        record.pauses.append({QStringLiteral("suspend"), wallAt(*m_open->asleepSince), slept});
    }
    // A countdown that ran out counted its whole length: the instants seen here
    // can lie a late tick away from the timer's own, on a busy machine.
    if (record.outcome == QLatin1String("finished") && record.plannedSeconds > 0)
        record.countedSeconds = record.plannedSeconds;
    m_ended = std::move(record);
    m_open.reset();
    m_nextPauseCause.clear();
    // A countdown that ran out or was skipped moves the cycle, which may credit
    // a task with it: the record is kept once the cycle has moved.
    if (outcome != QLatin1String("finished") && outcome != QLatin1String("skipped"))
        keepEnded();
}

void PeriodRecorder::keepEnded()
{
    if (!m_ended)
        return;
    HistoryRecord ended = std::move(*m_ended);
    m_ended.reset();
    if (!m_store.append(ended))
        retryLater();
    Q_EMIT periodEnded(ended);
}

void PeriodRecorder::retryLater()
{
    // A history locked by another program, or a full disk, is asked again
    // while the application runs, not only when the next period ends.
    if (m_retryPending)
        return;
    m_retryPending = true;
    RunLoop::main().postAfter(retryInterval, this, [this] {
        m_retryPending = false;
        if (!m_store.retryHeld())
            retryLater();
    });
}
