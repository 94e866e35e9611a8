#include "AwayController.h"

#include "platform/session/IdleTime.h"
#include "platform/session/SessionWatcher.h"
#include "platform/store/Defaults.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <algorithm>

using namespace std::chrono;

AwayController::AwayController(KPTimeBoxManager& manager, SessionWatcher& session, IdleTime* idle,
                               QObject* parent)
    : QObject(parent), m_manager(manager), m_idle(idle)
{
    connect(&session, &SessionWatcher::lockChanged, this, &AwayController::lockChanged);
    connect(&session, &SessionWatcher::sleepChanged, this, &AwayController::sleepChanged);
    connect(&manager, &KPTimeBoxManager::periodDidEnd, this, &AwayController::periodDidEnd);
    if (KPTimer* t = timer()) {
        connect(t, &KPTimer::stateChanged, this, &AwayController::timerStateChanged);
        // Asked on the second the tick shows, so the question wakes nothing of its own.
        connect(t, &KPTimer::currentTimeChanged, this, &AwayController::pollIdle);
    }
    if (idle)
        connect(idle, &IdleTime::availabilityChanged, this, [this](bool available) {
            updateIdlePolling();
            Q_EMIT idleAvailabilityChanged(available);
        });
}

AwayController::~AwayController() = default;

KPTimer* AwayController::timer() const
{
    KPTimeBoxManager::Display* display = m_manager.menuBarTimeDisplay();
    return display ? display->timer() : nullptr;
}

bool AwayController::isRunningCountdown() const
{
    const KPTimer* t = timer();
    return t && t->state() == KPTimer::State::active && t->countType() == KPTimer::CountType::down;
}

bool AwayController::isIdleAvailable() const
{
    return m_idle && m_idle->isAvailable();
}

void AwayController::lockChanged(bool locked)
{
    // Unlocking leaves the period paused: the user starts it again.
    if (locked && isRunningCountdown() &&
        PreferenceKeys::boolean(Defaults::standard(), PreferenceKeys::isPausingWhenLocked))
        pauseFor(QStringLiteral("lock"), tr("Paused: screen locked"));
}

void AwayController::sleepChanged(bool sleeping)
{
    const RunLoop::Instant now = RunLoop::main().now();
    if (!sleeping) {
        if (m_sleepExpectedEnd > now)
            m_sleepExpectedEnd.reset();
        return;
    }
    if (!isRunningCountdown())
        return;
    if (PreferenceKeys::boolean(Defaults::standard(), PreferenceKeys::isPausingWhenLocked)) {
        pauseFor(QStringLiteral("suspend"), tr("Paused: went to sleep"));
        return;
    }
    // The clock counts through the sleep; the end is told apart when it comes.
    m_sleepExpectedEnd = now + seconds(timer()->currentTime().totalSeconds());
}

void AwayController::pauseFor(const QString& cause, const QString& note)
{
    Q_EMIT pausingFor(cause);
    timer()->pause();
    setPauseNote(note);
}

void AwayController::setPauseNote(const QString& note)
{
    if (note == m_pauseNote)
        return;
    m_pauseNote = note;
    Q_EMIT pauseNoteChanged(note);
}

void AwayController::timerStateChanged()
{
    if (timer()->state() == KPTimer::State::active)
        setPauseNote(QString());
    updateIdlePolling();
}

void AwayController::periodDidEnd()
{
    setPauseNote(QString());
    // Kept past the wake only when the period ran out during the sleep: the
    // wake may be heard before or after the tick that ends it.
    if (std::exchange(m_sleepExpectedEnd, std::nullopt))
        Q_EMIT periodEndedAway();
    withdrawIdleQuestion();
    m_polling = false;
    updateIdlePolling();
}

void AwayController::idlePreferenceChanged()
{
    updateIdlePolling();
}

void AwayController::updateIdlePolling()
{
    const bool wanted =
        isIdleAvailable() && m_manager.state() == KPTimeBoxManager::State::work &&
        isRunningCountdown() &&
        PreferenceKeys::integer(Defaults::standard(), PreferenceKeys::idlePromptMinutes) > 0;
    if (!wanted) {
        m_polling = false;
        m_awaySince.reset();
        return;
    }
    if (m_polling)
        return;
    m_polling = true;
    m_pollingSince = m_lastPoll = RunLoop::main().now();
}

void AwayController::pollIdle()
{
    const RunLoop::Instant now = RunLoop::main().now();
    if (!m_polling || !m_idle || now - m_lastPoll < idlePollInterval)
        return;
    m_lastPoll = now;
    m_idle->query([self = QPointer<AwayController>(this)](std::optional<milliseconds> idle) {
        if (self && idle)
            self->idleAnswered(*idle);
    });
}

void AwayController::idleAnswered(milliseconds idle)
{
    if (!m_polling)
        return;
    const RunLoop::Instant now = RunLoop::main().now();
    // Time away before this period ran is not this period's.
    const RunLoop::Instant lastInput = std::max<RunLoop::Instant>(now - idle, m_pollingSince);
    const minutes threshold(
        PreferenceKeys::integer(Defaults::standard(), PreferenceKeys::idlePromptMinutes));
    if (!m_awaySince) {
        if (now - lastInput >= threshold)
            m_awaySince = lastInput;
        return;
    }
    if (lastInput <= *m_awaySince)
        return;
    const qint64 away = duration_cast<seconds>(lastInput - *m_awaySince).count();
    m_awaySince.reset();
    m_idleQuestion = away;
    Q_EMIT idleReturned(away);
}

void AwayController::keepIdleAsWork()
{
    m_idleQuestion.reset();
}

void AwayController::discardIdle()
{
    const std::optional<qint64> away = std::exchange(m_idleQuestion, std::nullopt);
    KPTimer* t = timer();
    if (!away || !t || t->countType() != KPTimer::CountType::down)
        return;
    const qint64 current = t->currentTime().totalSeconds();
    const qint64 given = std::clamp<qint64>(t->time().totalSeconds() - current, 0, *away);
    if (given == 0)
        return;
    // Told first: the time given back goes on with the same period.
    Q_EMIT countedDiscarded(given, QStringLiteral("idle"));
    t->setCurrentTime(KPTime::fromTotalSeconds(current + given));
}

void AwayController::withdrawIdleQuestion()
{
    m_awaySince.reset();
    if (std::exchange(m_idleQuestion, std::nullopt))
        Q_EMIT idleQuestionWithdrawn();
}
