#include "DistributedNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {
// A bus that was not there a moment ago is asked again only after a while.
constexpr std::chrono::seconds retryInterval{5};
} // namespace

DistributedNotification::DistributedNotification(const QString& name, const QString& object,
                                                 QObject* parent)
    : QObject(parent), m_name(name), m_object(object),
      m_message(DBusWireMessage::signal(path, interfaceName, member, {name, object}))
{}

bool DistributedNotification::post()
{
    if (!m_throughQt && !m_socket.isOpen() && !connectToBus())
        return false;
    if (m_throughQt)
        return QDBusConnection::sessionBus().send(*m_throughQt);
    return m_socket.send(m_message);
}

bool DistributedNotification::connectToBus()
{
    const RunLoop::Instant now = RunLoop::main().now();
    if (m_lastAttempt && now - *m_lastAttempt < retryInterval)
        return false;
    m_lastAttempt = now;
    const QString address = DBusSocket::sessionBusAddress();
    if (address.isEmpty())
        return false;
    if (!DBusSocket::isSupported(address)) {
        // A bus reached some other way than a Unix socket: Qt's own connection carries it.
        m_throughQt = QDBusMessage::createSignal(path, interfaceName, member);
        *m_throughQt << m_name << m_object;
        return true;
    }
    return m_socket.open(address);
}
