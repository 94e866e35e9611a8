#include "DistributedNotification.h"

#include <systemd/sd-bus.h>

namespace {

const QByteArray pathBytes = DistributedNotification::path.toUtf8();
const QByteArray interfaceBytes = DistributedNotification::interfaceName.toUtf8();
const QByteArray memberBytes = DistributedNotification::member.toUtf8();

} // namespace

DistributedNotification::DistributedNotification(const QString& name, const QString& object,
                                                 SdBusConnection& connection, QObject* parent)
    : QObject(parent), m_name(name.toUtf8()), m_object(object.toUtf8()), m_connection(connection)
{
    connect(&m_connection, &SdBusConnection::ready, this, [this] {
        if (m_pending)
            post();
    });
}

bool DistributedNotification::post()
{
    if (!m_connection.canSendAtOnce()) {
        // The time at launch, or after the bus came back, is not lost: it
        // goes out as soon as the bus has greeted us.
        m_pending = !m_connection.isReady();
        return false;
    }
    m_pending = false;
    // A message of its own each time: every message of a connection has its own serial.
    sd_bus_message* signal = nullptr;
    int r = sd_bus_message_new_signal(m_connection.bus(), &signal, pathBytes.constData(),
                                      interfaceBytes.constData(), memberBytes.constData());
    if (r >= 0)
        r = sd_bus_message_append(signal, "ss", m_name.constData(), m_object.constData());
    if (r >= 0)
        r = sd_bus_send(m_connection.bus(), signal, nullptr);
    sd_bus_message_unref(signal);
    // What the socket did not take waits for the descriptor to be writable.
    m_connection.flush();
    return r >= 0 && m_connection.isOpen();
}
