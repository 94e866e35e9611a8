#include "PeriodEndNotifier.h"

#include "app/WorkSilence.h"
#include "platform/store/Defaults.h"
#include "timing/KPTime.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QPointer>
#include <QStringList>
#include <algorithm>
#include <climits>

PeriodEndNotifier::PeriodEndNotifier(KPTimeBoxManager& manager, SdBusConnection& connection,
                                     QObject* parent)
    : QObject(parent), m_manager(manager), m_notifications(connection)
{
    connect(&manager, &KPTimeBoxManager::periodDidEnd, this, &PeriodEndNotifier::periodDidEnd);
    connect(&m_notifications, &DesktopNotifications::actionInvoked, this, &PeriodEndNotifier::act);
}

void PeriodEndNotifier::periodDidEnd(KPTimeBoxManager::State endedState,
                                     KPTimeBoxManager::State state, qint64 length)
{
    const bool away = std::exchange(m_nextEndAway, false);
    m_offeredFor.reset();
    // Read at each end, so that the switch takes effect without a restart.
    if (!PreferenceKeys::boolean(Defaults::standard(), PreferenceKeys::isNotifyingAtPeriodEnd))
        return;
    m_offeredFor = state;
    show(summary(endedState, away), body(state, length), actionsAfter(endedState, state));
}

void PeriodEndNotifier::tellPaused(const QString& reason)
{
    if (reason.isEmpty() ||
        !PreferenceKeys::boolean(Defaults::standard(), PreferenceKeys::isNotifyingAtPeriodEnd))
        return;
    show(reason, tr("Resume the timer when you are back."));
}

void PeriodEndNotifier::show(const QString& summary, const QString& body,
                             const QList<DesktopNotifications::Action>& actions)
{
    if (!m_silence) {
        m_notifications.notify(summary, body, actions);
        return;
    }
    m_silence->whenLifted([self = QPointer(this), summary, body, actions] {
        if (self)
            self->m_notifications.notify(summary, body, actions);
    });
}

QString PeriodEndNotifier::summary(KPTimeBoxManager::State endedState, bool endedAway)
{
    if (endedAway)
        return endedState == KPTimeBoxManager::State::work ? tr("Work period ended while away")
                                                           : tr("Break ended while away");
    return endedState == KPTimeBoxManager::State::work ? tr("Work period finished")
                                                       : tr("Break finished");
}

QString PeriodEndNotifier::body(KPTimeBoxManager::State state, qint64 length)
{
    QString next;
    switch (state) {
    case KPTimeBoxManager::State::work:
        next = tr("work period");
        break;
    case KPTimeBoxManager::State::shortBreak:
        next = tr("short break");
        break;
    case KPTimeBoxManager::State::longBreak:
        next = tr("long break");
        break;
    }
    return tr("Next: %1, %2").arg(next, describeLength(length));
}

QList<DesktopNotifications::Action>
PeriodEndNotifier::actionsAfter(KPTimeBoxManager::State endedState, KPTimeBoxManager::State state)
{
    QList<DesktopNotifications::Action> actions;
    const bool toBreak = endedState == KPTimeBoxManager::State::work;
    // A period already running has nothing to start.
    if (!KPTimeBoxManager::startsAutomatically(state))
        actions.append({QStringLiteral("start"), toBreak ? tr("Start Break") : tr("Start Work")});
    if (toBreak)
        actions.append({QStringLiteral("skip"), tr("Skip Break")});
    actions.append({DesktopNotifications::defaultActionKey, tr("Show Zembrak")});
    return actions;
}

void PeriodEndNotifier::act(const QString& key)
{
    if (key == DesktopNotifications::defaultActionKey) {
        Q_EMIT openRequested();
        return;
    }
    KPTimer* timer =
        m_manager.menuBarTimeDisplay() ? m_manager.menuBarTimeDisplay()->timer() : nullptr;
    // An answer to an end the cycle has moved on from does nothing.
    if (!timer || m_manager.state() != m_offeredFor)
        return;
    // The commands the bus and the menus run.
    if (key == QLatin1String("start") && timer->state() == KPTimer::State::inactive)
        timer->toggle();
    else if (key == QLatin1String("skip"))
        timer->finish();
}

QString PeriodEndNotifier::describeLength(qint64 seconds)
{
    const KPTime time = KPTime::fromTotalSeconds(qMax<qint64>(seconds, 0));
    QStringList parts;
    if (time.hours) // a hand-edited length may hold more hours than an int
        parts << tr("%n hour(s)", nullptr, int(std::min<qint64>(time.hours, INT_MAX)));
    if (time.minutes)
        parts << tr("%n minute(s)", nullptr, int(time.minutes));
    if (time.seconds || parts.isEmpty())
        parts << tr("%n second(s)", nullptr, int(time.seconds));
    return parts.join(QLatin1Char(' '));
}
