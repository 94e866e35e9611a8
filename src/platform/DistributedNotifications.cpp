#include "DistributedNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>

bool DistributedNotifications::post(const QString& name, const QString& object)
{
    return post(QDBusConnection::sessionBus(), name, object);
}

bool DistributedNotifications::post(const QDBusConnection& connection, const QString& name,
                                    const QString& object)
{
    if (!connection.isConnected())
        return false;
    QDBusMessage message = QDBusMessage::createSignal(path, interfaceName, member);
    message << name << object;
    return connection.send(message);
}
