#include "DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

DesktopNotifications::DesktopNotifications(const QDBusConnection& connection, QObject* parent)
    : QObject(parent), m_connection(connection)
{}

void DesktopNotifications::notify(const QString& summary, const QString& body)
{
    if (!m_connection.isConnected())
        return;
    if (m_sending)
        m_waiting.emplace(summary, body);
    else
        send(summary, body);
}

void DesktopNotifications::send(const QString& summary, const QString& body)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(serviceName, path, interfaceName, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("zembrak")}};
    message << QStringLiteral("Zembrak") << m_shownId << QStringLiteral("zembrak") << summary
            << body << QStringList() << hints << -1;
    m_sending = true;
    // A missing server answers with an error, which is dropped with the watcher.
    auto* watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<uint> reply = *call;
                if (reply.isValid())
                    m_shownId = reply.value();
                call->deleteLater();
                m_sending = false;
                if (auto next = std::exchange(m_waiting, std::nullopt))
                    send(next->first, next->second);
            });
}
