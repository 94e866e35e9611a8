#include "QtRunLoop.h"

#include <QTimer>
#include <time.h>

namespace {

class QtRepeatingTimer : public RunLoop::RepeatingTimer
{
public:
    QtRepeatingTimer(std::chrono::milliseconds interval, QObject* context,
                     std::function<void()> action)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(interval);
        QObject::connect(&m_timer, &QTimer::timeout, context, std::move(action));
        m_timer.start();
    }

private:
    QTimer m_timer;
};

} // namespace

RunLoop::Instant QtRunLoop::now() const
{
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

std::unique_ptr<RunLoop::RepeatingTimer>
QtRunLoop::scheduleRepeating(std::chrono::milliseconds interval, QObject* context,
                             std::function<void()> action)
{
    return std::make_unique<QtRepeatingTimer>(interval, context, std::move(action));
}

void QtRunLoop::post(QObject* context, std::function<void()> work)
{
    QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}

void QtRunLoop::postAfter(std::chrono::milliseconds delay, QObject* context,
                          std::function<void()> work)
{
    QTimer::singleShot(delay, Qt::PreciseTimer, context, std::move(work));
}
