#include "ControlAdaptor.h"

#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"

#include <QDBusMessage>
#include <QVariantMap>

namespace {

const QString noTimerError = QStringLiteral("org.zembrak.Zembrak.Error.NoTimer");
const QString countingUpError = QStringLiteral("org.zembrak.Zembrak.Error.CountingUp");

} // namespace

ControlAdaptor::ControlAdaptor(QObject* host, KPTimeBoxManager& manager,
                               const QDBusConnection& connection, const QString& path)
    : QDBusAbstractAdaptor(host), m_manager(&manager), m_connection(connection), m_path(path)
{
    m_announced = values();
    connect(&manager, &KPTimeBoxManager::periodDidEnd, this, &ControlAdaptor::valuesMayHaveChanged);
    if (KPTimer* t = timer()) {
        connect(t, &KPTimer::stateChanged, this, &ControlAdaptor::valuesMayHaveChanged);
        connect(t, &KPTimer::currentTimeChanged, this, &ControlAdaptor::valuesMayHaveChanged);
    }
}

KPTimer* ControlAdaptor::timer() const
{
    return m_manager && m_manager->menuBarTimeDisplay() ? m_manager->menuBarTimeDisplay()->timer()
                                                        : nullptr;
}

KPTimer* ControlAdaptor::timerFor(const QDBusMessage& call)
{
    KPTimer* t = timer();
    if (!t)
        refuse(call, noTimerError, QStringLiteral("Zembrak has no timer yet."));
    return t;
}

void ControlAdaptor::refuse(const QDBusMessage& call, const QString& errorName, const QString& text)
{
    call.setDelayedReply(true);
    m_connection.send(call.createErrorReply(errorName, text));
}

QString ControlAdaptor::state() const
{
    const KPTimer* t = timer();
    return t && t->state() == KPTimer::State::active ? QStringLiteral("active")
                                                     : QStringLiteral("inactive");
}

QString ControlAdaptor::period() const
{
    return KPTimeBoxManager::rawValue(m_manager ? m_manager->state()
                                                : KPTimeBoxManager::State::work);
}

qlonglong ControlAdaptor::remaining() const
{
    const KPTimer* t = timer();
    return t ? t->currentTime().totalSeconds() : 0;
}

qlonglong ControlAdaptor::cyclesSinceLaunch() const
{
    return KPTimeBoxManager::cyclesSinceLaunch();
}

qlonglong ControlAdaptor::length() const
{
    const KPTimer* t = timer();
    return t && t->countType() == KPTimer::CountType::down ? t->time().totalSeconds() : 0;
}

void ControlAdaptor::StartPause(const QDBusMessage& call)
{
    if (KPTimer* t = timerFor(call))
        t->toggle();
}

void ControlAdaptor::Reset(const QDBusMessage& call)
{
    if (KPTimer* t = timerFor(call))
        t->reset();
}

void ControlAdaptor::Skip(const QDBusMessage& call)
{
    KPTimer* t = timerFor(call);
    if (t && !t->finish())
        refuse(call, countingUpError, QStringLiteral("The stopwatch has no period to end."));
}

void ControlAdaptor::SetTime(qlonglong seconds, const QDBusMessage& call)
{
    // Zero would end the period at the first tick, crediting a task: that is Skip.
    if (seconds < 1 || seconds > KPTime::maximumTotalSeconds) {
        refuse(call, QDBusError::errorString(QDBusError::InvalidArgs),
               QStringLiteral("SetTime needs a number of seconds from 1 to %1 (9999:59:59).")
                   .arg(KPTime::maximumTotalSeconds));
        return;
    }
    if (KPTimer* t = timerFor(call))
        t->setTime(KPTime::fromTotalSeconds(seconds), KPTimer::CountType::down);
}

ControlAdaptor::Values ControlAdaptor::values() const
{
    return {state(), period(), remaining(), cyclesSinceLaunch(), length()};
}

void ControlAdaptor::valuesMayHaveChanged()
{
    if (m_announcementDue)
        return;
    m_announcementDue = true;
    const RunLoop::Instant now = RunLoop::main().now();
    const RunLoop::Instant due =
        m_lastAnnouncement ? *m_lastAnnouncement + announcementInterval : now;
    // Whatever else changes in the same event goes into the same announcement.
    const auto delay =
        std::chrono::ceil<std::chrono::milliseconds>(std::max(due - now, RunLoop::Instant{}));
    RunLoop::main().postAfter(delay, this, [this] { announce(); });
}

void ControlAdaptor::announce()
{
    m_announcementDue = false;
    const Values now = values();
    QVariantMap changed;
    if (now.state != m_announced.state)
        changed.insert(QStringLiteral("State"), now.state);
    if (now.period != m_announced.period)
        changed.insert(QStringLiteral("Period"), now.period);
    if (now.remaining != m_announced.remaining)
        changed.insert(QStringLiteral("Remaining"), now.remaining);
    if (now.cyclesSinceLaunch != m_announced.cyclesSinceLaunch)
        changed.insert(QStringLiteral("CyclesSinceLaunch"), now.cyclesSinceLaunch);
    if (now.length != m_announced.length)
        changed.insert(QStringLiteral("Length"), now.length);
    m_announced = now;
    if (changed.isEmpty())
        return;
    m_lastAnnouncement = RunLoop::main().now();
    QDBusMessage signal =
        QDBusMessage::createSignal(m_path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << interfaceName << changed << QStringList();
    m_connection.send(signal);
}
