#include "SdBusConnection.h"

#include <QSocketNotifier>
#include <algorithm>
#include <ctime>
#include <poll.h>
#include <systemd/sd-bus.h>

namespace {

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
    if (m_bus)
        sd_bus_close_unref(m_bus);
}

bool SdBusConnection::open()
{
    close();
    // Connects without waiting: the socket is non-blocking, and the
    // authentication and the Hello follow as the descriptor becomes ready.
    if (sd_bus_open_user_with_description(&m_bus, "zembrak") < 0) {
        m_bus = nullptr;
        return false;
    }
    const int fd = sd_bus_get_fd(m_bus);
    if (fd < 0) {
        close();
        return false;
    }
    m_readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &SdBusConnection::dispatch);
    m_writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &SdBusConnection::dispatch);
    m_deadlineUsec = UINT64_MAX;
    watch();
    return true;
}

void SdBusConnection::close()
{
    if (!m_bus)
        return;
    // Either may be the one reporting right now: let it finish first.
    for (QSocketNotifier* notifier : {m_readNotifier, m_writeNotifier}) {
        notifier->setEnabled(false);
        notifier->deleteLater();
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
    m_deadline.stop();
    m_bus = sd_bus_close_unref(m_bus);
    Q_EMIT closed();
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

void SdBusConnection::dispatch()
{
    if (!m_bus)
        return;
    int r;
    while ((r = sd_bus_process(m_bus, nullptr)) > 0) {
    }
    if (r < 0 || sd_bus_is_open(m_bus) <= 0) {
        close();
        return;
    }
    watch();
}

void SdBusConnection::watch()
{
    if (!m_bus)
        return;
    const int events = sd_bus_get_events(m_bus);
    if (events < 0) {
        close();
        return;
    }
    m_readNotifier->setEnabled(events & POLLIN);
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
