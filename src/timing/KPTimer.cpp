#include "KPTimer.h"

#include "platform/sound/Sound.h"
#include "timing/KPTimerDelegate.h"

#include <algorithm>
#include <chrono>

namespace {

std::shared_ptr<Sound> loadTickingSound()
{
    auto sound = Sound::named(QStringLiteral("KPTickingSound"));
    if (sound)
        sound->setVolume(0.25f);
    return sound;
}

} // namespace

KPTimer::KPTimer(const KPTime& time, QObject* parent)
    : QObject(parent), m_tickingSound(loadTickingSound()),
      m_alarmSound(Sound::named(QStringLiteral("Blow"))), m_time(time), m_currentTime(time)
{}

std::unique_ptr<KPTimer> KPTimer::fromSeconds(qint64 seconds)
{
    return std::make_unique<KPTimer>(KPTime::fromTotalSeconds(seconds));
}

KPTimer::~KPTimer() = default;

void KPTimer::setTicking(bool ticking)
{
    m_isTicking = ticking;
    if (m_state == State::active && ticking && m_countType == CountType::down)
        startTicking();
    else
        stopTicking();
}

void KPTimer::start()
{
    m_startTime = m_currentTime;
    m_startDate = RunLoop::main().now();
    m_timer =
        RunLoop::main().scheduleRepeating(std::chrono::milliseconds(100), this, [this] { tick(); });
    setState(State::active);
    if (m_isTicking && m_countType == CountType::down)
        startTicking();
}

void KPTimer::pause()
{
    // A period begun at the end of the last one still shows that end's zero
    // until the next tick: paused now, it must stand at its own time.
    if (m_showsFinishedZero)
        show(countedTime());
    m_timer.reset();
    setState(State::inactive);
    stopTicking();
}

void KPTimer::reset()
{
    m_isLooping = false;
    pause();
    const KPTime next = m_countType == CountType::down ? m_time : KPTime{};
    reportHoursVisibilityChange(m_time);
    publishCurrentTime(next);
    Q_EMIT periodEnded(Ending::reset);
}

void KPTimer::restart()
{
    // A new length may bring the hours in or take them away: reported as an edit is.
    setCurrentTime(m_time);
}

void KPTimer::setTime(const KPTime& time, CountType countType, bool starting)
{
    ++m_periodsSet;
    m_countType = countType;
    m_time = time;
    moveTo(m_time);
    m_isLooping = false;
    Q_EMIT periodEnded(Ending::replaced);
    if (m_state == State::active) {
        if (countType == CountType::down && m_isTicking)
            startTicking();
        else
            stopTicking();
    } else if (starting) {
        start();
    }
    if (m_delegate)
        m_delegate->timerDidChangeTime(this);
}

void KPTimer::setCurrentTime(const KPTime& time)
{
    moveTo(time);
    Q_EMIT periodEnded(Ending::retimed);
}

void KPTimer::moveTo(const KPTime& time)
{
    show(time);
    m_startTime = time;
    m_startDate = RunLoop::main().now();
}

bool KPTimer::extend(qint64 seconds)
{
    // Running, the time shown may still be the last period's zero.
    KPTime left = m_state == State::active ? countedTime() : m_currentTime;
    const qint64 room =
        KPTime::maximumTotalSeconds - std::max(left.totalSeconds(), m_time.totalSeconds());
    if (m_countType != CountType::down || seconds < 1 || seconds > room)
        return false;
    m_time.add(seconds);
    // The clock's start moves, not its date: the second under way stays.
    if (m_startTime)
        m_startTime->add(seconds);
    left.add(seconds);
    show(left);
    Q_EMIT extended(seconds);
    return true;
}

void KPTimer::toggle()
{
    if (m_state == State::active)
        pause();
    else if (m_countType == CountType::down && m_currentTime.isZero())
        reset();
    else
        start();
}

bool KPTimer::finish()
{
    if (m_countType != CountType::down)
        return false;
    showEnd(Ending::skipped);
    return true;
}

KPTime KPTimer::countedTime() const
{
    KPTime t = m_startTime.value_or(m_currentTime);
    qint64 elapsed = 0;
    if (m_startDate) // set with the start time
        elapsed =
            std::chrono::duration_cast<std::chrono::seconds>(RunLoop::main().now() - *m_startDate)
                .count();
    if (m_countType == CountType::up)
        t.add(elapsed);
    else
        t.subtract(elapsed);
    return t;
}

void KPTimer::tick()
{
    if (!m_startTime)
        return;
    const KPTime t = countedTime();
    if (m_countType == CountType::down && t.isZero())
        showEnd(Ending::finished);
    else
        show(t);
}

void KPTimer::showEnd(Ending how)
{
    const std::optional<KPTime> next = reachZero(how);
    show(next.value_or(KPTime{}));
    // The end's zero is shown once even when a new period was begun meanwhile;
    // that period's own time follows at the next tick, or at once if paused.
    m_showsFinishedZero = !next;
    if (m_showsFinishedZero && m_state == State::inactive)
        show(countedTime()); // no tick will come to show the waiting period
}

std::optional<KPTime> KPTimer::reachZero(Ending how)
{
    if (m_isRepeating) {
        m_startTime = m_time;
        m_startDate = RunLoop::main().now();
        if (m_alarmSound)
            m_alarmSound->play();
        Q_EMIT periodEnded(how);
        return m_time;
    }
    if (m_alarmLoops) {
        m_isLooping = true;
        RunLoop::main().post(this, [this] { repeatAlarm(); });
    } else if (m_alarmSound) {
        m_alarmSound->play();
    }
    pause();
    Q_EMIT periodEnded(how);
    const quint64 periodsSet = m_periodsSet;
    if (m_delegate)
        m_delegate->timerDidFinish(this);
    if (m_periodsSet != periodsSet)
        return std::nullopt;
    return KPTime{};
}

void KPTimer::repeatAlarm()
{
    if (!m_isLooping || !m_alarmSound || m_state != State::inactive)
        return;
    if (m_delegate)
        m_delegate->timerDidRepeatAlarm(this);
    m_alarmSound->play();
    const auto delay = std::chrono::milliseconds(qint64((m_alarmSound->duration() + 1.0) * 1000.0));
    RunLoop::main().postAfter(delay, this, [this] { repeatAlarm(); });
}

bool KPTimer::hoursVisibilityDiffers(const KPTime& a, const KPTime& b)
{
    return a.hours != b.hours && (a.hours == 0 || b.hours == 0);
}

void KPTimer::reportHoursVisibilityChange(const KPTime& next)
{
    if (hoursVisibilityDiffers(m_currentTime, next) && m_delegate)
        m_delegate->timerDidChangeHoursVisibility(this);
}

void KPTimer::setState(State state)
{
    const bool changed = state != m_state;
    m_state = state;
    if (m_delegate)
        m_delegate->timerDidChangeState(this);
    if (changed)
        Q_EMIT stateChanged();
}

void KPTimer::show(const KPTime& time)
{
    reportHoursVisibilityChange(time);
    publishCurrentTime(time);
}

void KPTimer::publishCurrentTime(const KPTime& time)
{
    m_showsFinishedZero = false;
    const bool changed = time != m_currentTime;
    m_currentTime = time;
    if (m_delegate)
        m_delegate->timerDidChangeTime(this);
    if (changed)
        Q_EMIT currentTimeChanged();
}

void KPTimer::startTicking()
{
    if (!m_tickingSound)
        return;
    m_tickingSound->setLoops(true);
    m_tickingSound->play();
}

void KPTimer::stopTicking()
{
    if (m_tickingSound)
        m_tickingSound->stop();
}
