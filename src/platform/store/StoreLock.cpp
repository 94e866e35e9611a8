#include "StoreLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

StoreLock::StoreLock(const QString& path, std::chrono::milliseconds patience)
    // Not blocking: a FIFO put in its place must not hang the write.
    : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC,
                  0600))
{
    const QDeadlineTimer deadline(patience);
    while (m_fd >= 0) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            m_state = State::taken;
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            m_state = State::failed;
            return;
        }
        m_state = State::busy;
        if (deadline.hasExpired())
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

StoreLock::~StoreLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
