#pragma once

#include "platform/bus/BusCalls.h"
#include "platform/bus/BusSlots.h"
#include "platform/bus/SdBusConnection.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// Pop-up notifications through the desktop's notification server. Without a
// session bus or a server nothing is shown and nothing fails.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    static inline const QString serviceName = QString::fromLatin1(BusCalls::notificationServer);
    static inline const QString path = QString::fromLatin1(BusCalls::notificationPath);
    static inline const QString interfaceName = serviceName;

    // A button: its key comes back in actionInvoked. The key "default" is the
    // click on the notification's body, and has no button.
    struct Action
    {
        QString key;
        QString label;
    };
    static inline const QString defaultActionKey = QStringLiteral("default");

    explicit DesktopNotifications(SdBusConnection& connection = SdBusConnection::session(),
                                  QObject* parent = nullptr);

    // Takes the place of the one shown before, so that a desk left alone for a
    // while shows the latest news only. Never waits for the server. The actions
    // go with it where the server offers actions; elsewhere it has none.
    void notify(const QString& summary, const QString& body, const QList<Action>& actions = {});

Q_SIGNALS:
    // The user answered the notification shown last with one of its actions.
    void actionInvoked(const QString& key);

private:
    static int onActionInvoked(sd_bus_message* message, void* self, sd_bus_error*);
    static int onClosed(sd_bus_message* message, void* self, sd_bus_error*);
    struct Request
    {
        QString summary;
        QString body;
        QList<Action> actions;
    };
    void send(Request request);
    void sendNotify(const Request& request);
    void sent();

    SdBusConnection& m_connection;
    BusSlots m_slots{m_connection};
    BusCalls m_calls{m_connection, std::chrono::seconds(25)};
    uint m_shownId = 0;
    // The keys of the shown notification's actions: no other key is answered.
    QStringList m_shownKeys;
    // While the server has not yet said which one it showed, the latest one
    // asked for waits, to take that one's place.
    bool m_sending = false;
    std::optional<Request> m_waiting;
};
