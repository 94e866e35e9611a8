#pragma once

#include "platform/RunLoop.h"
#include "timing/KPTimeBoxManager.h"

#include <QObject>
#include <QPointer>
#include <chrono>
#include <optional>

class IdleTime;
class KPTimer;
class SessionWatcher;

// What happens to the running period while the user is away: a locked session
// or a sleeping machine pauses it when isPausingWhenLocked is on; a countdown
// that ran out during sleep is told apart; a long spell without input in a
// work period is put to the user on return, who may give it back to the period.
class AwayController : public QObject
{
    Q_OBJECT

public:
    // Slow enough to cost nothing; a return is noticed within about this.
    static constexpr std::chrono::seconds idlePollInterval{30};

    // The manager's display holds the timer already. idle may be none.
    AwayController(KPTimeBoxManager& manager, SessionWatcher& session, IdleTime* idle,
                   QObject* parent = nullptr);
    ~AwayController() override;

    // Why the timer stands paused, when this paused it and it has not run since.
    QString pauseNote() const { return m_pauseNote; }
    bool isIdleAvailable() const;
    // The away time the user is being asked about, while the question stands.
    std::optional<qint64> idleQuestion() const { return m_idleQuestion; }

    // The answers to idleReturned. Discarding adds the away time back to the
    // remaining time, never past the period's length.
    void keepIdleAsWork();
    void discardIdle();
    // The stored idle setting changed.
    void idlePreferenceChanged();

Q_SIGNALS:
    // Just before the timer is paused for "lock" or "suspend".
    void pausingFor(const QString& cause);
    void pauseNoteChanged(const QString& note);
    // Time taken out of the period's count; cause "idle". Just before the
    // timer is given that time back.
    void countedDiscarded(qint64 seconds, const QString& cause);
    // The period that just ended ran out while the machine slept.
    void periodEndedAway();
    // The user came back after seconds without input: ask.
    void idleReturned(qint64 seconds);
    // The question can no longer be answered (its period ended or stopped).
    void idleQuestionWithdrawn();
    void idleAvailabilityChanged(bool available);

private:
    KPTimer* timer() const;
    bool isRunningCountdown() const;
    void lockChanged(bool locked);
    void sleepChanged(bool sleeping);
    void pauseFor(const QString& cause, const QString& note);
    void setPauseNote(const QString& note);
    void timerStateChanged();
    void periodDidEnd();
    void updateIdlePolling();
    void pollIdle();
    void idleAnswered(std::chrono::milliseconds idle);
    void withdrawIdleQuestion();

    KPTimeBoxManager& m_manager;
    QPointer<IdleTime> m_idle;
    QString m_pauseNote;
    // When the countdown running at the last sleep was due to end.
    std::optional<RunLoop::Instant> m_sleepExpectedEnd;
    bool m_polling = false;
    RunLoop::Instant m_pollingSince{};
    RunLoop::Instant m_lastPoll{};
    std::optional<RunLoop::Instant> m_awaySince;
    std::optional<qint64> m_idleQuestion;
};
