#include "StatusFollower.h"

#include "app/ControlAdaptor.h"
#include "platform/session/SingleInstance.h"
#include "timing/KPTime.h"
#include "timing/KPTimeBoxManager.h"
#include "windows/ZKPopover.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

QString timeText(qint64 seconds)
{
    const KPTime time = KPTime::fromTotalSeconds(seconds);
    QString text = time.hours != 0 ? KPTime::twoDigitString(time.hours) + QLatin1Char(':') : "";
    return text + KPTime::twoDigitString(time.minutes) + QLatin1Char(':') +
           KPTime::twoDigitString(time.seconds);
}

} // namespace

StatusFollower::StatusFollower(const QDBusConnection& bus, const QString& format, Sink sink,
                               QObject* parent)
    : QObject(parent), m_bus(bus), m_format(format), m_sink(std::move(sink)),
      m_watcher(new QDBusServiceWatcher(SingleInstance::serviceName, m_bus,
                                        QDBusServiceWatcher::WatchForOwnerChange, this))
{
    // A starting Zembrak owns its name a moment before its timer answers.
    m_retry.setSingleShot(true);
    m_retry.setInterval(100);
    connect(&m_retry, &QTimer::timeout, this, &StatusFollower::fetch);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                if (owner.isEmpty())
                    stopped();
                else
                    fetch();
            });
    m_bus.connect(SingleInstance::serviceName, SingleInstance::objectPath, propertiesInterface,
                  QStringLiteral("PropertiesChanged"), {ControlAdaptor::interfaceName}, QString(),
                  this, SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    if (m_bus.interface() && m_bus.interface()->isServiceRegistered(SingleInstance::serviceName))
        fetch();
    else
        stopped();
}

QByteArray StatusFollower::line(const QVariantMap& properties, const QString& format)
{
    const bool running = !properties.isEmpty();
    const qint64 remaining = properties.value(QStringLiteral("Remaining")).toLongLong();
    const qint64 length = properties.value(QStringLiteral("Length")).toLongLong();
    const QString period = properties.value(QStringLiteral("Period")).toString();
    const QString state =
        running ? properties.value(QStringLiteral("State")).toString() : QStringLiteral("stopped");
    const QString cycles =
        running
            ? QString::number(properties.value(QStringLiteral("CyclesSinceLaunch")).toLongLong())
            : QString();
    const QString time = running ? timeText(remaining) : QString();
    const qint64 goal = properties.value(QStringLiteral("DailyGoal")).toLongLong();
    const qint64 today = properties.value(QStringLiteral("TodayWorkPeriods")).toLongLong();
    if (!format.isEmpty()) {
        QString text = format;
        text.replace(QLatin1String("{time}"), time)
            .replace(QLatin1String("{remaining}"), running ? QString::number(remaining) : "")
            .replace(QLatin1String("{period}"), period)
            .replace(QLatin1String("{state}"), state)
            .replace(QLatin1String("{cycles}"), cycles)
            .replace(QLatin1String("{today}"), running ? QString::number(today) : "")
            .replace(QLatin1String("{goal}"), running ? QString::number(goal) : "");
        return text.toUtf8();
    }
    QJsonObject json;
    json[QStringLiteral("text")] = time;
    if (running) {
        const std::optional<KPTimeBoxManager::State> kind = KPTimeBoxManager::fromRawValue(period);
        const QString title =
            kind ? QString::fromLatin1(ZKPopover::untranslatedTitle(*kind)) : period;
        json[QStringLiteral("tooltip")] =
            QStringLiteral("%1: %2 %3, %4\nCycles since launch: %5")
                .arg(title, time, length > 0 ? "remaining" : "elapsed",
                     state == QLatin1String("active") ? "running" : "paused", cycles);
        json[QStringLiteral("class")] = QJsonArray{period, state};
        json[QStringLiteral("alt")] = period;
        json[QStringLiteral("today")] = today;
        json[QStringLiteral("goal")] = goal;
        json[QStringLiteral("percentage")] =
            length > 0 ? int(std::clamp<qint64>((length - remaining) * 100 / length, 0, 100)) : 0;
    } else {
        json[QStringLiteral("tooltip")] = QStringLiteral("Zembrak is not running");
        json[QStringLiteral("class")] = QJsonArray{state};
        json[QStringLiteral("alt")] = state;
        json[QStringLiteral("percentage")] = 0;
    }
    return QJsonDocument(json).toJson(QJsonDocument::Compact);
}

void StatusFollower::fetch()
{
    if (m_pending)
        return;
    QDBusMessage getAll =
        QDBusMessage::createMethodCall(SingleInstance::serviceName, SingleInstance::objectPath,
                                       propertiesInterface, QStringLiteral("GetAll"));
    getAll << ControlAdaptor::interfaceName;
    m_pending = new QDBusPendingCallWatcher(m_bus.asyncCall(getAll), this);
    connect(m_pending, &QDBusPendingCallWatcher::finished, this, &StatusFollower::fetched);
}

void StatusFollower::fetched(QDBusPendingCallWatcher* call)
{
    m_pending = nullptr;
    call->deleteLater();
    const QDBusPendingReply<QVariantMap> reply = *call;
    if (!reply.isError() && !reply.value().isEmpty()) {
        m_properties = reply.value();
        print();
    } else if (m_bus.interface()->isServiceRegistered(SingleInstance::serviceName)) {
        m_retry.start();
    }
}

void StatusFollower::stopped()
{
    m_retry.stop();
    m_properties.clear();
    print();
}

void StatusFollower::propertiesChanged(const QString&, const QVariantMap& changed,
                                       const QStringList&)
{
    // A reply on its way already holds these: it was answered after they were sent.
    if (m_pending || m_properties.isEmpty())
        return fetch();
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        m_properties.insert(it.key(), it.value());
    print();
}

void StatusFollower::print()
{
    const QByteArray text = line(m_properties, m_format);
    if (text == m_lastLine)
        return;
    m_lastLine = text;
    if (!m_sink(text))
        Q_EMIT sinkClosed();
}
