#include "KPTimeBoxManager.h"

#include "platform/EnumNames.h"
#include "platform/SystemStyle.h"
#include "platform/store/Defaults.h"
#include "timing/KPTimeBoxManagerDelegate.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <algorithm>

namespace {

// Work periods finished since launch: one count for the whole process.
qint64 cycles = 0;

} // namespace

KPTimeBoxManager::KPTimeBoxManager(QObject* parent) : QObject(parent) {}

void KPTimeBoxManager::setMenuBarTimeDisplay(Display* display)
{
    m_display = display;
    if (!display)
        return;
    display->setDelegate(this);
    auto timer = KPTimer::fromSeconds(lengthFor(State::work));
    timer->setAlarmLoops(false);
    display->setTimer(std::move(timer));
    display->setIndicatorColor(colorFor(State::work));
}

qint64 KPTimeBoxManager::lengthFor(State state)
{
    const QString& key = state == State::work         ? PreferenceKeys::workLength
                         : state == State::shortBreak ? PreferenceKeys::shortBreakLength
                                                      : PreferenceKeys::longBreakLength;
    const qint64 length = PreferenceKeys::integer(Defaults::standard(), key);
    // A period of no time would end at its first tick and the next at the one
    // after, ringing and crediting tasks ten times a second: such a length,
    // which the settings window can store, reads as the default.
    return length < 1 ? PreferenceKeys::integerDefault(key)
                      : std::min(length, KPTime::maximumTotalSeconds);
}

qint64 KPTimeBoxManager::longBreakInterval()
{
    const qint64 interval =
        PreferenceKeys::integer(Defaults::standard(), PreferenceKeys::longBreakInterval);
    // 0 is never written by the app; a hand-edited 0 must not stop the cycle.
    return interval == 0 ? PreferenceKeys::defaultLongBreakInterval : interval;
}

QColor KPTimeBoxManager::colorFor(State state)
{
    switch (state) {
    case State::work:
        return SystemStyle::systemRedColor();
    case State::shortBreak:
        return SystemStyle::systemBlueColor();
    case State::longBreak:
        return SystemStyle::systemPurpleColor();
    }
    return SystemStyle::systemRedColor();
}

QString KPTimeBoxManager::rawValue(State state)
{
    return EnumNames::nameOf(state);
}

std::optional<KPTimeBoxManager::State> KPTimeBoxManager::fromRawValue(const QString& raw)
{
    return EnumNames::fromName<State>(raw);
}

KPTimeBoxManager::State KPTimeBoxManager::next(State state)
{
    if (state != State::work)
        return State::work;
    ++cycles;
    return cycles % longBreakInterval() == 0 ? State::longBreak : State::shortBreak;
}

bool KPTimeBoxManager::startsAutomatically(State state)
{
    // Read at each end, so that the switch takes effect without a restart.
    return PreferenceKeys::boolean(
        Defaults::standard(), state == State::work ? PreferenceKeys::isStartingWorkAutomatically
                                                   : PreferenceKeys::isStartingBreaksAutomatically);
}

qint64 KPTimeBoxManager::cyclesSinceLaunch()
{
    return cycles;
}

void KPTimeBoxManager::timeDisplayTimerDidFinish(KPMenuBarTimeDisplay*)
{
    const State ended = m_state;
    m_state = next(m_state);
    if (m_delegate)
        m_delegate->timeBoxManagerDidChangeState(this, m_state);
    const qint64 length = lengthFor(m_state);
    if (m_display) {
        m_display->setIndicatorColor(colorFor(m_state));
        if (KPTimer* timer = m_display->timer())
            timer->setTime(KPTime::fromTotalSeconds(length), KPTimer::CountType::down,
                           startsAutomatically(m_state));
    }
    if (m_state != State::work && m_delegate)
        m_delegate->timeBoxManagerDidChangeCycleCount(this, cycles);
    Q_EMIT periodDidEnd(ended, m_state, length);
}
