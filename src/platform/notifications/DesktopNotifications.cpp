#include "DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

DesktopNotifications::DesktopNotifications(const QDBusConnection& connection, QObject* parent)
    : QObject(parent), m_connection(connection)
{
    if (!m_connection.isConnected())
        return;
    m_connection.connect(serviceName, path, interfaceName, QStringLiteral("ActionInvoked"), this,
                         SLOT(serverInvokedAction(uint, QString)));
    m_connection.connect(serviceName, path, interfaceName, QStringLiteral("NotificationClosed"),
                         this, SLOT(serverClosed(uint)));
}

void DesktopNotifications::notify(const QString& summary, const QString& body,
                                  const QList<Action>& actions)
{
    if (!m_connection.isConnected())
        return;
    if (m_sending)
        m_waiting = Request{summary, body, actions};
    else
        send({summary, body, actions});
}

void DesktopNotifications::send(Request request)
{
    m_sending = true;
    if (request.actions.isEmpty()) {
        sendNotify(request);
        return;
    }
    // Asked each time: the server may have been replaced by one without actions.
    const QDBusMessage ask = QDBusMessage::createMethodCall(serviceName, path, interfaceName,
                                                            QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, request = std::move(request)](QDBusPendingCallWatcher* call) mutable {
                const QDBusPendingReply<QStringList> reply = *call;
                call->deleteLater();
                if (!reply.isValid() || !reply.value().contains(QStringLiteral("actions")))
                    request.actions.clear();
                sendNotify(request);
            });
}

void DesktopNotifications::sendNotify(const Request& request)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(serviceName, path, interfaceName, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("zembrak")}};
    QStringList actions;
    QStringList keys;
    for (const Action& action : request.actions) {
        actions << action.key << action.label;
        keys << action.key;
    }
    message << QStringLiteral("Zembrak") << m_shownId << QStringLiteral("zembrak")
            << request.summary << request.body << actions << hints << -1;
    // A missing server answers with an error, which is dropped with the watcher.
    auto* watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, keys](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<uint> reply = *call;
                if (reply.isValid()) {
                    m_shownId = reply.value();
                    m_shownKeys = keys;
                }
                call->deleteLater();
                sent();
            });
}

void DesktopNotifications::sent()
{
    m_sending = false;
    if (auto next = std::exchange(m_waiting, std::nullopt))
        send(std::move(*next));
}

void DesktopNotifications::serverInvokedAction(uint id, const QString& key)
{
    // Another program's notification, or an answer to one replaced since.
    if (id != m_shownId || !m_shownKeys.contains(key))
        return;
    Q_EMIT actionInvoked(key);
}

void DesktopNotifications::serverClosed(uint id)
{
    if (id == m_shownId)
        m_shownKeys.clear();
}
