#pragma once

#include "timing/KPTimeDisplayDelegate.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class KPTimeBoxManagerDelegate;
class KPTimer;

// Moves between work, short breaks and long breaks each time a countdown ends.
class KPTimeBoxManager : public QObject, public KPTimeDisplayDelegate
{
    Q_OBJECT

public:
    enum class State
    {
        work,
        shortBreak,
        longBreak
    };
    Q_ENUM(State)

    // What the manager needs of the menu-bar display, which shows the timer it
    // is given and colours its state bar.
    class Display
    {
    public:
        virtual void setDelegate(KPTimeDisplayDelegate* delegate) = 0;
        virtual KPTimer* timer() const = 0;
        virtual void setTimer(std::unique_ptr<KPTimer> timer) = 0;
        virtual void setIndicatorColor(const QColor& color) = 0;

    protected:
        ~Display() = default;
    };

    explicit KPTimeBoxManager(QObject* parent = nullptr);

    KPTimeBoxManagerDelegate* delegate() const { return m_delegate; }
    void setDelegate(KPTimeBoxManagerDelegate* delegate) { m_delegate = delegate; }
    Display* menuBarTimeDisplay() const { return m_display; }
    void setMenuBarTimeDisplay(Display* display);
    State state() const { return m_state; }

    static qint64 lengthFor(State state);
    static qint64 longBreakInterval();
    static QColor colorFor(State state);
    static QString rawValue(State state);
    static std::optional<State> fromRawValue(const QString& raw);
    // The successor of a state; leaving work counts a finished cycle.
    static State next(State state);
    static qint64 cyclesSinceLaunch();
    // Whether a period of this state starts as the one before ends, or waits.
    static bool startsAutomatically(State state);

    void timeDisplayTimerDidFinish(KPMenuBarTimeDisplay* display) override;

Q_SIGNALS:
    // For observers beside the delegate, once the delegate has heard of the
    // change and the next period, nextLength seconds long, has been set: started,
    // or waiting when its switch is off.
    void periodDidEnd(KPTimeBoxManager::State endedState, KPTimeBoxManager::State state,
                      qint64 nextLength);

private:
    KPTimeBoxManagerDelegate* m_delegate = nullptr;
    Display* m_display = nullptr;
    State m_state = State::work;
};
