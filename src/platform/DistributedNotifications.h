#pragma once

#include <QString>

class QDBusConnection;

// Notifications for other programs of the user's session, sent as a D-Bus
// signal. Without a session bus nothing is posted and nothing fails.
class DistributedNotifications
{
public:
    static inline const QString path = QStringLiteral("/org/zembrak/DistributedNotifications");
    static inline const QString interfaceName =
        QStringLiteral("org.zembrak.DistributedNotifications");
    static inline const QString member = QStringLiteral("Posted");

    // Returns whether the signal was handed to the bus.
    static bool post(const QString& name, const QString& object = QString());
    static bool post(const QDBusConnection& connection, const QString& name,
                     const QString& object = QString());
};
