#pragma once

#include "DBusSocket.h"
#include "DBusWireMessage.h"
#include "RunLoop.h"

#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <optional>

// One notification for the other programs of the user's session, sent as a
// D-Bus signal. It is posted many times a second, so the signal is marshalled
// once and each post is one write on a bus connection of its own, made from
// the GUI thread: no allocation, no other thread woken. Without a session bus
// nothing is posted and nothing fails.
class DistributedNotification : public QObject
{
    Q_OBJECT

public:
    static inline const QString path = QStringLiteral("/org/zembrak/DistributedNotifications");
    static inline const QString interfaceName =
        QStringLiteral("org.zembrak.DistributedNotifications");
    static inline const QString member = QStringLiteral("Posted");

    explicit DistributedNotification(const QString& name, const QString& object = QString(),
                                     QObject* parent = nullptr);

    // Returns whether the signal was handed to the bus.
    bool post();

private:
    bool connectToBus();

    const QString m_name;
    const QString m_object;
    DBusWireMessage m_message;
    DBusSocket m_socket;
    std::optional<RunLoop::Instant> m_lastAttempt;
    std::optional<QDBusMessage> m_throughQt;
};
