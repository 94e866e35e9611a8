#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// Pop-up notifications through the desktop's notification server. Without a
// session bus or a server nothing is shown and nothing fails.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    static inline const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString path = QStringLiteral("/org/freedesktop/Notifications");
    static inline const QString interfaceName = serviceName;

    explicit DesktopNotifications(const QDBusConnection& connection = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);

    // Takes the place of the one shown before, so that a desk left alone for a
    // while shows the latest news only. Never waits for the server.
    void notify(const QString& summary, const QString& body);

private:
    QDBusConnection m_connection;
    uint m_shownId = 0;
};
