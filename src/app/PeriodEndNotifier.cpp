#include "PeriodEndNotifier.h"

#include "platform/Defaults.h"
#include "timing/KPTime.h"
#include "timing/PreferenceKeys.h"

#include <QStringList>

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
    m_notifications.notify(summary(endedState, away), body(state, length));
}

QString PeriodEndNotifier::summary(KPTimeBoxManager::State endedState, bool endedAway)
{
    if (endedAway)
        return endedState == KPTimeBoxManager::State::work ? tr("Work period ended while away")
                                                           : tr("Break ended while away");
    return endedState == KPTimeBoxManager::State::work ? QStringLiteral("Work period finished")
                                                       : QStringLiteral("Break finished");
}

QString PeriodEndNotifier::body(KPTimeBoxManager::State state, qint64 length)
{
    QString next;
    switch (state) {
    case KPTimeBoxManager::State::work:
        next = QStringLiteral("work period");
        break;
    case KPTimeBoxManager::State::shortBreak:
        next = QStringLiteral("short break");
        break;
    case KPTimeBoxManager::State::longBreak:
        next = QStringLiteral("long break");
        break;
    }
    return QStringLiteral("Next: %1, %2").arg(next, describeLength(length));
}

QString PeriodEndNotifier::describeLength(qint64 seconds)
{
    const KPTime time = KPTime::fromTotalSeconds(qMax<qint64>(seconds, 0));
    const auto part = [](qint64 n, const char* unit) {
        return QString::number(n) + QLatin1Char(' ') + QLatin1String(unit) +
               (n == 1 ? QString() : QStringLiteral("s"));
    };
    QStringList parts;
    if (time.hours)
        parts << part(time.hours, "hour");
    if (time.minutes)
        parts << part(time.minutes, "minute");
    if (time.seconds || parts.isEmpty())
        parts << part(time.seconds, "second");
    return parts.join(QLatin1Char(' '));
}
