#pragma once

#include "history/HistoryRecord.h"
#include "platform/RunLoop.h"
#include "tasks/KPTask.h"
#include "timing/KPTimer.h"

#include <QObject>
#include <QPointer>
#include <optional>

class HistoryStore;
class KPTimeBoxManager;

// Follows the one timer and the cycle, and writes each period to the store as
// it ends: never on a tick. Time counted is the run loop's clock, which counts
// through suspend; what the machine did meanwhile is told through the hooks.
class PeriodRecorder : public QObject
{
    Q_OBJECT

public:
    PeriodRecorder(KPTimeBoxManager& manager, HistoryStore& store, QObject* parent = nullptr);

    // The task the cycle credited with the period that just ran out: the cycle
    // moves on after the timer has told of the end, so the record waits for it.
    void taskCredited(const KPTask& task);

    // The next pause of the running period gets this cause instead of "user".
    void setNextPauseCause(const QString& cause);
    // Time the running period counted that was no focus (the user away): it
    // becomes a pause of that cause, ending now, and leaves the counted time.
    // The timer's next re-timing gives that time back and ends no period.
    void discardCounted(qint64 seconds, const QString& cause);
    // The machine goes to sleep (true) or wakes (false). A countdown that runs
    // out in between ends as "endedAway": it counts what it ran before the
    // sleep, and the sleep is a pause of cause "suspend".
    void sleepChanged(bool sleeping);
    // Ends the running period, if any, as abandoned (the application quits).
    void flush();

    bool isRecording() const { return m_open.has_value(); }

    // How long a record the store could not keep waits before it is tried again.
    static constexpr std::chrono::seconds retryInterval{10};

Q_SIGNALS:
    // Each period as it ended, once the store has been asked to keep it; its id
    // is 0 when that failed.
    void periodEnded(const HistoryRecord& record);
    // A period began counting, told once the cycle has given it its kind.
    void periodStarted(const QString& kind, qint64 plannedSeconds);
    // The running period stopped or counts again; the stop at its end is no pause.
    void pauseChanged(bool paused, const QString& kind, qint64 plannedSeconds);

private:
    struct Open
    {
        HistoryRecord record;
        RunLoop::Instant started{};
        std::optional<RunLoop::Instant> runningSince;
        std::optional<qsizetype> openPause;
        RunLoop::Instant counted{};
        std::optional<RunLoop::Instant> asleepSince;
        bool givingBack = false;
    };

    void timerStateChanged();
    void tellLater(bool paused);
    void retryLater();
    void timerPeriodEnded(KPTimer::Ending how);
    void cycleMoved();
    void begin();
    void end(const QString& outcome);
    void keepEnded();
    QString kindNow() const;
    QDateTime wallAt(RunLoop::Instant instant) const;
    qint64 countedSeconds(RunLoop::Instant now) const;

    QPointer<KPTimer> m_timer;
    KPTimeBoxManager& m_manager;
    HistoryStore& m_store;
    std::optional<Open> m_open;
    // Ended as the timer ran out, not yet kept: the cycle moves on next.
    std::optional<HistoryRecord> m_ended;
    // The timer holds a period it was given outside the cycle.
    bool m_outsideCycle = false;
    QString m_nextPauseCause;
    bool m_retryPending = false;
    // Counts the periods begun, so that what is told later is of the same one.
    quint64 m_begun = 0;
    bool m_pauseTold = false;
};
