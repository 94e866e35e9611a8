#include "QuitSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};
int wakeFd = -1;

void onSignal(int)
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd, &one, sizeof one);
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent)
{
    m_fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_fd < 0)
        return; // the signals keep their default: the run ends, as before
    wakeFd = m_fd;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t read = ::read(m_fd, &count, sizeof count);
        Q_EMIT received();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : quitSignals)
        ::sigaction(signal, &action, nullptr);
}

QuitSignals::~QuitSignals()
{
    if (m_fd < 0)
        return;
    for (const int signal : quitSignals)
        std::signal(signal, SIG_DFL);
    wakeFd = -1;
    ::close(m_fd);
}
