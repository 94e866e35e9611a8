#include "PeriodEndNotifier.h"

#include "app/WorkSilence.h"
#include "platform/Defaults.h"
#include "timing/KPTime.h"
#include "timing/PreferenceKeys.h"

#include <QPointer>
#include <QStringList>
#include <algorithm>
#include <climits>

PeriodEndNotifier::PeriodEndNotifier(KPTimeBoxManager& manager, const QDBusConnection& connection,
                                     QObject* parent)
    : QObject(parent), m_notifications(connection)
{
    connect(&manager, &KPTimeBoxManager::periodDidEnd, this, &PeriodEndNotifier::periodDidEnd);
}

void PeriodEndNotifier::periodDidEnd(KPTimeBoxManager::State endedState,
                                     KPTimeBoxManager::State state, qint64 length)
{
    const bool away = std::exchange(m_nextEndAway, false);
    // Read at each end, so that the switch takes effect without a restart.
    if (!PreferenceKeys::boolean(Defaults::standard(), PreferenceKeys::isNotifyingAtPeriodEnd))
        return;
    show(summary(endedState, away), body(state, length));
}

void PeriodEndNotifier::tellPaused(const QString& reason)
{
    if (reason.isEmpty() ||
        !PreferenceKeys::boolean(Defaults::standard(), PreferenceKeys::isNotifyingAtPeriodEnd))
        return;
    show(reason, tr("Resume the timer when you are back."));
}

void PeriodEndNotifier::show(const QString& summary, const QString& body)
{
    if (!m_silence) {
        m_notifications.notify(summary, body);
        return;
    }
    m_silence->whenLifted([self = QPointer(this), summary, body] {
        if (self)
            self->m_notifications.notify(summary, body);
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
