#include "ManualRunLoop.h"

#include <algorithm>

class ManualRunLoop::Handle : public RunLoop::RepeatingTimer
{
public:
    explicit Handle(std::shared_ptr<bool> cancelled) : m_cancelled(std::move(cancelled)) {}
    ~Handle() override { *m_cancelled = true; }

private:
    std::shared_ptr<bool> m_cancelled;
};

ManualRunLoop::ManualRunLoop()
{
    RunLoop::setMain(this);
}

ManualRunLoop::~ManualRunLoop()
{
    RunLoop::setMain(nullptr);
}

std::unique_ptr<RunLoop::RepeatingTimer>
ManualRunLoop::scheduleRepeating(std::chrono::milliseconds interval, QObject* context,
                                 std::function<void()> action)
{
    auto cancelled = std::make_shared<bool>(false);
    add(m_now + interval, context, std::make_shared<std::function<void()>>(std::move(action)),
        interval, cancelled);
    return std::make_unique<Handle>(cancelled);
}

void ManualRunLoop::post(QObject* context, std::function<void()> work)
{
    add(m_now, context, std::make_shared<std::function<void()>>(std::move(work)), {}, nullptr);
}

void ManualRunLoop::postAfter(std::chrono::milliseconds delay, QObject* context,
                              std::function<void()> work)
{
    add(m_now + delay, context, std::make_shared<std::function<void()>>(std::move(work)), {},
        nullptr);
}

void ManualRunLoop::add(Instant due, QObject* context, std::shared_ptr<std::function<void()>> work,
                        std::chrono::nanoseconds interval, std::shared_ptr<bool> cancelled)
{
    m_entries.push_back(
        Entry{due, m_sequence++, context, std::move(work), interval, std::move(cancelled)});
}

bool ManualRunLoop::runNext(Instant limit, bool coalesce)
{
    std::erase_if(m_entries, [](const Entry& e) {
        return e.context.isNull() || (e.cancelled && *e.cancelled);
    });
    auto next =
        std::min_element(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
            return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
        });
    if (next == m_entries.end() || next->due > limit)
        return false;
    Entry entry = *next;
    m_entries.erase(next);
    m_now = std::max(m_now, entry.due);
    if (entry.cancelled) {
        Instant due = entry.due + entry.interval;
        if (coalesce)
            while (due <= m_now)
                due += entry.interval;
        add(due, entry.context, entry.work, entry.interval, entry.cancelled);
    }
    (*entry.work)();
    return true;
}

void ManualRunLoop::advance(std::chrono::nanoseconds by)
{
    const Instant target = m_now + by;
    while (runNext(target, false)) {
    }
    m_now = target;
}

void ManualRunLoop::jump(std::chrono::nanoseconds by)
{
    m_now += by;
}

void ManualRunLoop::runPending()
{
    const Instant limit = m_now;
    while (runNext(limit, true)) {
    }
}

int ManualRunLoop::pendingCount() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& e) {
        return !e.context.isNull() && !(e.cancelled && *e.cancelled);
    }));
}

int ManualRunLoop::repeatingTimerCount() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& e) {
        return !e.context.isNull() && e.cancelled && !*e.cancelled;
    }));
}
