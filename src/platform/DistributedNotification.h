#pragma once

#include "RunLoop.h"
#include "SdBusConnection.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

struct sd_bus_message;

// One notification for the other programs of the user's session, sent as a
// D-Bus signal. It is posted many times a second, from the GUI thread, on a
// bus connection of its own that never makes the thread wait: a post the
// socket cannot take at once is dropped, not queued. Without a session bus
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

    // Returns whether the signal was handed to the bus. Its words never
    // change, so one message, built and sealed once for each connection, is
    // sent again and again: nothing is allocated or marshalled per post.
    bool post();

private:
    struct MessageUnref
    {
        void operator()(sd_bus_message* message) const;
    };

    bool connectionUsable();
    sd_bus_message* message();

    const QByteArray m_name;
    const QByteArray m_object;
    SdBusConnection m_connection;
    std::optional<RunLoop::Instant> m_lastAttempt;
    std::unique_ptr<sd_bus_message, MessageUnref> m_message;
};
