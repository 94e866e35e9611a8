#include "DesktopNotifications.h"

#include <QByteArray>

namespace {

constexpr const char* server = BusCalls::notificationServer;
constexpr const char* serverPath = BusCalls::notificationPath;

int appendStrings(sd_bus_message* message, const QList<QByteArray>& strings)
{
    int r = sd_bus_message_open_container(message, 'a', "s");
    for (const QByteArray& string : strings) {
        if (r >= 0)
            r = sd_bus_message_append_basic(message, 's', string.constData());
    }
    return r < 0 ? r : sd_bus_message_close_container(message);
}

} // namespace

DesktopNotifications::DesktopNotifications(SdBusConnection& connection, QObject* parent)
    : QObject(parent), m_connection(connection)
{
    m_connection.follow(this, [this] {
        sd_bus_match_signal_async(m_connection.bus(), m_slots.add(), server, serverPath, server,
                                  "ActionInvoked", &onActionInvoked, nullptr, this);
        sd_bus_match_signal_async(m_connection.bus(), m_slots.add(), server, serverPath, server,
                                  "NotificationClosed", &onClosed, nullptr, this);
    });
}

void DesktopNotifications::notify(const QString& summary, const QString& body,
                                  const QList<Action>& actions)
{
    if (!m_connection.isOpen())
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
    m_calls.call(
        server, serverPath, server, "GetCapabilities",
        [this, request = std::move(request)](sd_bus_message* reply) mutable {
            bool actions = false;
            const char* capability = nullptr;
            if (BusCalls::succeeded(reply) && sd_bus_message_enter_container(reply, 'a', "s") > 0) {
                while (sd_bus_message_read_basic(reply, 's', &capability) > 0)
                    actions = actions || qstrcmp(capability, "actions") == 0;
            }
            if (!actions)
                request.actions.clear();
            sendNotify(request);
        },
        {}, BusCalls::Start::onDemand);
}

void DesktopNotifications::sendNotify(const Request& request)
{
    QList<QByteArray> actions;
    QStringList keys;
    for (const Action& action : request.actions) {
        actions << action.key.toUtf8() << action.label.toUtf8();
        keys << action.key;
    }
    const QByteArray summary = request.summary.toUtf8();
    const QByteArray body = request.body.toUtf8();
    // A missing server answers with an error, or not at all: either way
    // nothing is shown and the next one may go.
    m_calls.call(
        server, serverPath, server, "Notify",
        [this, keys](sd_bus_message* reply) {
            std::uint32_t id = 0;
            if (BusCalls::succeeded(reply) && sd_bus_message_read_basic(reply, 'u', &id) > 0) {
                m_shownId = id;
                m_shownKeys = keys;
            }
            sent();
        },
        [&](sd_bus_message* call) {
            int r = sd_bus_message_append(call, "susss", "Zembrak", std::uint32_t(m_shownId),
                                          "zembrak", summary.constData(), body.constData());
            if (r >= 0)
                r = appendStrings(call, actions);
            if (r >= 0)
                r = sd_bus_message_append(call, "a{sv}i", 1, "desktop-entry", "s", "zembrak",
                                          std::int32_t(-1));
            return r;
        },
        BusCalls::Start::onDemand);
}

void DesktopNotifications::sent()
{
    m_sending = false;
    if (auto next = std::exchange(m_waiting, std::nullopt))
        send(std::move(*next));
}

int DesktopNotifications::onActionInvoked(sd_bus_message* message, void* self, sd_bus_error*)
{
    auto* notifications = static_cast<DesktopNotifications*>(self);
    std::uint32_t id = 0;
    const char* key = nullptr;
    // Another program's notification, or an answer to one replaced since.
    if (sd_bus_message_read(message, "us", &id, &key) < 0 || id != notifications->m_shownId ||
        !notifications->m_shownKeys.contains(QString::fromUtf8(key)))
        return 0;
    Q_EMIT notifications->actionInvoked(QString::fromUtf8(key));
    return 0;
}

int DesktopNotifications::onClosed(sd_bus_message* message, void* self, sd_bus_error*)
{
    auto* notifications = static_cast<DesktopNotifications*>(self);
    std::uint32_t id = 0;
    if (sd_bus_message_read(message, "u", &id) >= 0 && id == notifications->m_shownId)
        notifications->m_shownKeys.clear();
    return 0;
}
