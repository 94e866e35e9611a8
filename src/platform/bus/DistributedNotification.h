#pragma once

#include "SdBusConnection.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// One notification for the other programs of the user's session, sent as a
// D-Bus signal. It is posted many times a second, from the GUI thread, on the
// program's shared connection, and never makes the thread wait: a post the
// socket cannot take at once is dropped, not queued, but one made before the
// bus has greeted us is sent once it has. Without a session bus nothing is
// posted and nothing fails.
class DistributedNotification : public QObject
{
    Q_OBJECT

public:
    static inline const QString path = QStringLiteral("/org/zembrak/DistributedNotifications");
    static inline const QString interfaceName =
        QStringLiteral("org.zembrak.DistributedNotifications");
    static inline const QString member = QStringLiteral("Posted");

    explicit DistributedNotification(const QString& name, const QString& object = QString(),
                                     SdBusConnection& connection = SdBusConnection::session(),
                                     QObject* parent = nullptr);

    // Returns whether the signal was handed to the bus now.
    bool post();

private:
    const QByteArray m_name;
    const QByteArray m_object;
    SdBusConnection& m_connection;
    bool m_pending = false;
};
