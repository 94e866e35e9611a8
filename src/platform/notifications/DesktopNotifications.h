#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <optional>
#include <utility>

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
    void send(const QString& summary, const QString& body);

    QDBusConnection m_connection;
    uint m_shownId = 0;
    // While the server has not yet said which one it showed, the latest one
    // asked for waits, to take that one's place.
    bool m_sending = false;
    std::optional<std::pair<QString, QString>> m_waiting;
};
