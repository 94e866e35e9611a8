#include "SdBusConnection.h"

#include "platform/RunLoop.h"

#include <QSocketNotifier>
#include <algorithm>
#include <ctime>
#include <poll.h>
#include <systemd/sd-bus.h>

namespace {

SdBusConnection* sharedSession = nullptr;

std::uint64_t monotonicUsec()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::uint64_t(now.tv_sec) * 1000000u + std::uint64_t(now.tv_nsec) / 1000u;
}

} // namespace

SdBusConnection::SdBusConnection(QObject* parent) : QObject(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &SdBusConnection::dispatch);
}

SdBusConnection::~SdBusConnection()
{
    if (sharedSession == this)
        sharedSession = nullptr;
    if (m_bus)
        sd_bus_close_unref(m_bus);
}

bool SdBusConnection::open(Socket socket, Bus which)
{
    close();
    QByteArray address;
    if (which == Bus::system) {
        address = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
        if (address.isEmpty())
            address = "unix:path=/run/dbus/system_bus_socket";
    } else {
        address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        if (address.isEmpty() && !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            address = "unix:path=" + qgetenv("XDG_RUNTIME_DIR") + "/bus";
    }
    // Connects without waiting: the socket is non-blocking, and the
    // authentication and the Hello follow as the descriptor becomes ready.
    // The session's bus is the user's own: its callers need no further check.
    if (address.isEmpty() || sd_bus_new(&m_bus) < 0 ||
        sd_bus_set_address(m_bus, address.constData()) < 0 || sd_bus_set_bus_client(m_bus, 1) < 0 ||
        sd_bus_set_trusted(m_bus, which == Bus::session) < 0 ||
        sd_bus_set_description(m_bus, "zembrak") < 0 ||
        sd_bus_set_watch_bind(m_bus, socket == Socket::mayAppearLater) < 0 ||
        sd_bus_start(m_bus) < 0) {
        close();
        return false;
    }
    m_deadlineUsec = UINT64_MAX;
    m_greeted = false;
    watch();
    if (m_bus)
        Q_EMIT opened();
    return m_bus != nullptr;
}

void SdBusConnection::close()
{
    if (!m_bus)
        return;
    retireNotifiers();
    m_fd = -1;
    m_deadline.stop();
    m_bus = sd_bus_close_unref(m_bus);
}

void SdBusConnection::retireNotifiers()
{
    // Either may be the one reporting right now: let it finish first.
    for (QSocketNotifier* notifier : {m_readNotifier, m_writeNotifier}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
}

void SdBusConnection::closeAfterLoss()
{
    close();
    Q_EMIT lost();
    if (m_kept)
        reopenLater();
}

void SdBusConnection::keepOpen(Bus which)
{
    m_kept = true;
    m_which = which;
    if (!isOpen() && !open(Socket::mayAppearLater, which))
        reopenLater();
}

void SdBusConnection::reopenLater()
{
    if (m_reopening)
        return;
    m_reopening = true;
    const auto delay = m_reopenDelay;
    constexpr std::chrono::seconds longestReopenDelay{64};
    m_reopenDelay = std::min(2 * m_reopenDelay, longestReopenDelay);
    RunLoop::main().postAfter(delay, this, [this] {
        m_reopening = false;
        if (!isOpen() && !open(Socket::mayAppearLater, m_which))
            reopenLater();
    });
}

bool SdBusConnection::isReady() const
{
    return m_bus && sd_bus_is_ready(m_bus) > 0;
}

bool SdBusConnection::canSendAtOnce() const
{
    std::uint64_t queued = 0;
    return isReady() && sd_bus_get_n_queued_write(m_bus, &queued) >= 0 && queued == 0;
}

void SdBusConnection::follow(QObject* context, const std::function<void()>& follow)
{
    connect(this, &SdBusConnection::ready, context, follow);
    // Greeted but not yet told (within the dispatch that greets) is told once, by ready.
    if (m_greeted && isReady())
        follow();
}

sd_bus_message* SdBusConnection::callAndWait(const char* destination, const char* path,
                                             const char* interface, const char* member,
                                             std::chrono::milliseconds within,
                                             const std::function<int(sd_bus_message*)>& append)
{
    sd_bus_message* call = nullptr;
    sd_bus_message* reply = nullptr;
    const std::uint64_t usec = std::uint64_t(within.count()) * 1000u;
    // An error reply, like none, leaves reply empty.
    if (m_bus &&
        sd_bus_message_new_method_call(m_bus, &call, destination, path, interface, member) >= 0 &&
        (!append || append(call) >= 0))
        sd_bus_call(m_bus, call, usec, nullptr, &reply);
    sd_bus_message_unref(call);
    // The wait may have greeted the daemon or read others' messages: they are
    // handled as the loop would have.
    dispatch();
    return reply;
}

bool SdBusConnection::hasOwner(const QByteArray& name, std::chrono::milliseconds within)
{
    sd_bus_message* reply =
        callAndWait("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                    "NameHasOwner", within, [&name](sd_bus_message* call) {
                        return sd_bus_message_append(call, "s", name.constData());
                    });
    int owned = 0;
    const bool held = reply && sd_bus_message_read(reply, "b", &owned) > 0 && owned;
    sd_bus_message_unref(reply);
    return held;
}

SdBusConnection& SdBusConnection::session()
{
    static SdBusConnection none;
    return sharedSession ? *sharedSession : none;
}

void SdBusConnection::shareAsSession()
{
    sharedSession = this;
    keepOpen(Bus::session);
}

void SdBusConnection::dispatch()
{
    if (!m_bus)
        return;
    int r;
    while ((r = sd_bus_process(m_bus, nullptr)) > 0) {
    }
    if (r < 0 || sd_bus_is_open(m_bus) <= 0) {
        closeAfterLoss();
        return;
    }
    if (!m_greeted && isReady()) {
        m_greeted = true;
        m_reopenDelay = firstReopenDelay;
        Q_EMIT ready();
    }
    watch();
}

void SdBusConnection::watch()
{
    if (!m_bus)
        return;
    const int events = sd_bus_get_events(m_bus);
    const int fd = sd_bus_get_fd(m_bus);
    if (events < 0 || fd < 0) {
        closeAfterLoss();
        return;
    }
    if (fd != m_fd) {
        // The watch for a socket to appear hands over to the socket itself.
        retireNotifiers();
        m_fd = fd;
        m_readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(m_readNotifier, &QSocketNotifier::activated, this, &SdBusConnection::dispatch);
        m_writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        connect(m_writeNotifier, &QSocketNotifier::activated, this, &SdBusConnection::dispatch);
    }
    // Most sends leave both as they were: Qt is not asked again.
    if (m_readNotifier->isEnabled() != bool(events & POLLIN))
        m_readNotifier->setEnabled(events & POLLIN);
    if (m_writeNotifier->isEnabled() != bool(events & POLLOUT))
        m_writeNotifier->setEnabled(events & POLLOUT);
    // The library's own deadlines (a handshake or a reply that never comes).
    // Most sends change none: the timer is left as it is.
    std::uint64_t deadline = UINT64_MAX;
    if (sd_bus_get_timeout(m_bus, &deadline) < 0)
        deadline = UINT64_MAX;
    if (deadline == m_deadlineUsec)
        return;
    m_deadlineUsec = deadline;
    if (deadline == UINT64_MAX) {
        m_deadline.stop();
        return;
    }
    const std::uint64_t now = monotonicUsec();
    constexpr std::uint64_t longestWaitMs = 3600 * 1000;
    m_deadline.start(deadline > now ? int(std::min((deadline - now + 999) / 1000, longestWaitMs))
                                    : 0);
}
