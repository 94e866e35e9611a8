#include "DistributedNotification.h"

#include <systemd/sd-bus.h>

namespace {

// A bus that was not there a moment ago, or that has not finished greeting us
// by then, is asked again only after a while.
constexpr std::chrono::seconds retryInterval{5};

const QByteArray pathBytes = DistributedNotification::path.toUtf8();
const QByteArray interfaceBytes = DistributedNotification::interfaceName.toUtf8();
const QByteArray memberBytes = DistributedNotification::member.toUtf8();

} // namespace

DistributedNotification::DistributedNotification(const QString& name, const QString& object,
                                                 QObject* parent)
    : QObject(parent), m_name(name.toUtf8()), m_object(object.toUtf8())
{}

void DistributedNotification::MessageUnref::operator()(sd_bus_message* message) const
{
    sd_bus_message_unref(message);
}

sd_bus_message* DistributedNotification::message()
{
    sd_bus* bus = m_connection.bus();
    // A message belongs to the connection it was made for; a new one after a reconnect.
    if (m_message && sd_bus_message_get_bus(m_message.get()) == bus)
        return m_message.get();
    m_message.reset();
    sd_bus_message* made = nullptr;
    int r = sd_bus_message_new_signal(bus, &made, pathBytes.constData(), interfaceBytes.constData(),
                                      memberBytes.constData());
    if (r >= 0)
        r = sd_bus_message_append(made, "ss", m_name.constData(), m_object.constData());
    // Sealed once; the library sends a sealed message again as it stands.
    if (r >= 0)
        r = sd_bus_message_seal(made, 1, 0);
    if (r < 0) {
        sd_bus_message_unref(made);
        return nullptr;
    }
    m_message.reset(made);
    return made;
}

bool DistributedNotification::post()
{
    if (!connectionUsable() || !m_connection.canSendAtOnce())
        return false;
    sd_bus_message* signal = message();
    const int r = signal ? sd_bus_send(m_connection.bus(), signal, nullptr) : -1;
    // What the socket did not take waits for the descriptor to be writable.
    m_connection.flush();
    return r >= 0 && m_connection.isOpen();
}

bool DistributedNotification::connectionUsable()
{
    const RunLoop::Instant now = RunLoop::main().now();
    const bool waited = !m_lastAttempt || now - *m_lastAttempt >= retryInterval;
    if (m_connection.isReady())
        return true;
    if (!waited)
        return false;
    m_lastAttempt = now;
    // A connection still not greeted after the interval is given up for a new one.
    return m_connection.open() && m_connection.isReady();
}
