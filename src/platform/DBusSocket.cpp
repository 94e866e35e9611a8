#include "DBusSocket.h"

#include "DBusWireMessage.h"

#include <QFileInfo>
#include <QSocketNotifier>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A daemon that has not answered the handshake by then is not going to.
constexpr int handshakeTimeoutMs = 1000;

struct UnixAddress
{
    QByteArray name;
    bool abstract = false;
};

// One "unix:" entry of an address list ("unix:path=/run/user/1000/bus,guid=...").
std::optional<UnixAddress> parseEntry(const QString& entry)
{
    if (!entry.startsWith(QLatin1String("unix:")))
        return std::nullopt;
    const QStringList pairs = entry.mid(5).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& pair : pairs) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = pair.left(equals);
        const QByteArray value = QByteArray::fromPercentEncoding(pair.mid(equals + 1).toUtf8());
        if (value.isEmpty() || value.size() >= int(sizeof(sockaddr_un::sun_path)))
            continue;
        if (key == QLatin1String("path"))
            return UnixAddress{value, false};
        if (key == QLatin1String("abstract"))
            return UnixAddress{value, true};
    }
    return std::nullopt;
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace

DBusSocket::DBusSocket(QObject* parent) : QObject(parent) {}

DBusSocket::~DBusSocket()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString DBusSocket::sessionBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString socket = runtime + QStringLiteral("/bus");
    if (!runtime.isEmpty() && QFileInfo(socket).exists())
        return QStringLiteral("unix:path=") +
               QString::fromLatin1(QUrl::toPercentEncoding(socket, "/"));
    return QString();
}

bool DBusSocket::isSupported(const QString& address)
{
    const QStringList entries = address.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return std::any_of(entries.begin(), entries.end(),
                       [](const QString& entry) { return parseEntry(entry).has_value(); });
}

bool DBusSocket::open(const QString& address)
{
    close();
    for (const QString& entry : address.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (connectTo(entry))
            return true;
    }
    return false;
}

bool DBusSocket::connectTo(const QString& entry)
{
    const std::optional<UnixAddress> unixAddress = parseEntry(entry);
    if (!unixAddress)
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    const int offset = unixAddress->abstract ? 1 : 0; // an abstract name starts with a nul
    std::memcpy(socketAddress.sun_path + offset, unixAddress->name.constData(),
                size_t(unixAddress->name.size()));
    const auto length =
        socklen_t(offsetof(sockaddr_un, sun_path) + offset + unixAddress->name.size());
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&socketAddress), length) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_serial = 0;
    if (!authenticate()) {
        close();
        return false;
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    m_readNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &DBusSocket::readAndDrop);
    m_writeNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &DBusSocket::writePending);
    return true;
}

bool DBusSocket::authenticate()
{
    const QByteArray uid = QByteArray::number(qulonglong(::getuid()));
    QByteArray greeting("\0AUTH EXTERNAL ", 15);
    greeting += uid.toHex() + "\r\n";
    if (!writeAll(m_fd, greeting.constData(), size_t(greeting.size())))
        return false;

    QByteArray answer;
    while (!answer.contains("\r\n")) {
        pollfd wait{m_fd, POLLIN, 0};
        if (::poll(&wait, 1, handshakeTimeoutMs) <= 0 || answer.size() > 512)
            return false;
        char buffer[256];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        answer.append(buffer, n);
    }
    if (!answer.startsWith("OK "))
        return false;

    DBusWireMessage hello = DBusWireMessage::methodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("Hello"));
    hello.setSerial(nextSerial());
    const QByteArray begin = QByteArrayLiteral("BEGIN\r\n") + hello.bytes();
    return writeAll(m_fd, begin.constData(), size_t(begin.size()));
}

void DBusSocket::close()
{
    if (m_fd < 0)
        return;
    // Either may be the one reporting right now: let it finish first.
    for (QSocketNotifier* notifier : {m_readNotifier, m_writeNotifier}) {
        notifier->setEnabled(false);
        notifier->deleteLater();
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
    m_pending.clear();
    Q_EMIT closed();
}

quint32 DBusSocket::nextSerial()
{
    if (++m_serial == 0) // zero is no serial
        m_serial = 1;
    return m_serial;
}

bool DBusSocket::send(DBusWireMessage& message)
{
    if (m_fd < 0 || !m_pending.isEmpty())
        return false;
    message.setSerial(nextSerial());
    const QByteArray& bytes = message.bytes();
    ssize_t n;
    do
        n = ::send(m_fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    while (n < 0 && errno == EINTR);
    if (n == bytes.size())
        return true;
    if (n < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            close();
        return false; // nothing went out: the stream is still whole
    }
    // Half a message on the stream: the rest must follow before anything else.
    m_pending = bytes.mid(n);
    m_writeNotifier->setEnabled(true);
    return true;
}

void DBusSocket::writePending()
{
    const ssize_t n =
        ::send(m_fd, m_pending.constData(), size_t(m_pending.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            close();
        return;
    }
    m_pending.remove(0, n);
    if (m_pending.isEmpty())
        m_writeNotifier->setEnabled(false);
}

void DBusSocket::readAndDrop()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0)
            continue;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        close(); // the daemon went away
        return;
    }
}
