#pragma once

#include "platform/RunLoop.h"
#include "timing/KPTime.h"

#include <QObject>
#include <memory>
#include <optional>

class KPTimerDelegate;
class Sound;

// Counts a period down to zero or up from zero. The shown time is recomputed
// on every tick from the clock, so late ticks never make it drift.
class KPTimer : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        active,
        inactive
    };
    enum class CountType
    {
        up,
        down
    };
    // How the period counted until then came to an end.
    enum class Ending
    {
        finished, // reached zero
        skipped,  // ended early by finish()
        reset,
        retimed, // the shown time was edited
        replaced // a new period was given
    };

    explicit KPTimer(const KPTime& time, QObject* parent = nullptr);
    static std::unique_ptr<KPTimer> fromSeconds(qint64 seconds);
    ~KPTimer() override;

    KPTimerDelegate* delegate() const { return m_delegate; }
    void setDelegate(KPTimerDelegate* delegate) { m_delegate = delegate; }

    Sound* tickingSound() const { return m_tickingSound.get(); }
    Sound* alarmSound() const { return m_alarmSound.get(); }
    void setAlarmSound(std::shared_ptr<Sound> sound) { m_alarmSound = std::move(sound); }

    bool isLooping() const { return m_isLooping; }
    bool isTicking() const { return m_isTicking; }
    void setTicking(bool ticking);
    bool isRepeating() const { return m_isRepeating; }
    void setRepeating(bool repeating) { m_isRepeating = repeating; }
    bool alarmLoops() const { return m_alarmLoops; }
    void setAlarmLoops(bool loops) { m_alarmLoops = loops; }

    KPTime time() const { return m_time; }
    // The period length alone; the shown time follows at restart() or reset().
    void setTime(const KPTime& time) { m_time = time; }
    KPTime currentTime() const { return m_currentTime; }
    State state() const { return m_state; }
    CountType countType() const { return m_countType; }
    std::optional<KPTime> startTime() const { return m_startTime; }

    void start();
    void pause();
    void reset();
    void restart();
    // A new period; an inactive timer starts counting it unless starting is
    // false, when it waits for start() at its full length.
    void setTime(const KPTime& time, CountType countType, bool starting = true);
    // An edit of the shown time: the clock counts on from it as of now, in
    // the same state, and the period length stays. Reported as a tick is.
    void setCurrentTime(const KPTime& time);
    // Adds seconds to a countdown's length and to the time it has left, in
    // whatever state it is; false, and nothing changes, for a count-up or when
    // either would pass KPTime::maximumTotalSeconds.
    bool extend(qint64 seconds);
    static constexpr qint64 defaultExtensionSeconds = 300;
    // The start/pause rule shared by every control that drives the timer.
    void toggle();
    // Ends a countdown now, exactly as if it had reached zero. A count-up has
    // no end: false, and nothing changes.
    bool finish();

    // Run by the repeating run-loop timer and the alarm scheduling only.
    void tick();
    void repeatAlarm();

Q_SIGNALS:
    // For observers beside the delegate, and only on a real change: a tick
    // that shows the same second again emits nothing.
    void stateChanged();
    void currentTimeChanged();
    // Sent once the timer holds what follows the period, before a new period
    // is started; at a countdown's end once it has paused, before its delegate
    // hears of the end.
    void periodEnded(KPTimer::Ending how);
    // The period running or waiting got seconds more.
    void extended(qint64 seconds);

private:
    static bool hoursVisibilityDiffers(const KPTime& a, const KPTime& b);
    void startTicking();
    void stopTicking();
    void reportHoursVisibilityChange(const KPTime& next);
    void setState(State state);
    void publishCurrentTime(const KPTime& time);
    void show(const KPTime& time);
    // Counts on from time as of now, the period length left alone.
    void moveTo(const KPTime& time);
    // The time counted from the last (re)start until now.
    KPTime countedTime() const;
    // The end of a countdown; returns the time to show next, or nothing when
    // the end already gave the timer a new period.
    std::optional<KPTime> reachZero(Ending how);
    void showEnd(Ending how);

    KPTimerDelegate* m_delegate = nullptr;
    const std::shared_ptr<Sound> m_tickingSound;
    std::shared_ptr<Sound> m_alarmSound;
    bool m_isLooping = false;
    bool m_isTicking = false;
    bool m_isRepeating = false;
    bool m_alarmLoops = true;
    KPTime m_time;
    KPTime m_currentTime;
    State m_state = State::inactive;
    CountType m_countType = CountType::down;
    std::optional<KPTime> m_startTime;
    std::optional<RunLoop::Instant> m_startDate;
    std::unique_ptr<RunLoop::RepeatingTimer> m_timer;
    quint64 m_periodsSet = 0;
    bool m_showsFinishedZero = false;
};
