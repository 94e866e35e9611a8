#pragma once

#include "platform/RunLoop.h"

#include <QPointer>
#include <algorithm>
#include <cstdint>
#include <vector>

// A run loop whose time moves only when told to. Installs itself as the main
// loop for its lifetime.
class ManualRunLoop : public RunLoop
{
public:
    ManualRunLoop() { RunLoop::setMain(this); }
    ~ManualRunLoop() override { RunLoop::setMain(nullptr); }
    ManualRunLoop(const ManualRunLoop&) = delete;
    ManualRunLoop& operator=(const ManualRunLoop&) = delete;

    Instant now() const override { return m_now; }
    std::unique_ptr<RepeatingTimer> scheduleRepeating(std::chrono::milliseconds interval,
                                                      QObject* context,
                                                      std::function<void()> action) override
    {
        auto cancelled = std::make_shared<bool>(false);
        add(m_now + interval, context, std::move(action), interval, cancelled);
        return std::make_unique<Handle>(cancelled);
    }
    void post(QObject* context, std::function<void()> work) override
    {
        add(m_now, context, std::move(work), {}, nullptr);
    }
    void postAfter(std::chrono::milliseconds delay, QObject* context,
                   std::function<void()> work) override
    {
        add(m_now + delay, context, std::move(work), {}, nullptr);
    }

    // Moves time forward, running each piece of work at the instant it is due.
    void advance(std::chrono::nanoseconds by)
    {
        const Instant target = m_now + by;
        while (runNext(target, false)) {
        }
        m_now = target;
    }
    // Moves time with nothing run, as a suspended machine or a blocked thread does.
    void jump(std::chrono::nanoseconds by) { m_now += by; }
    // Runs what is due now; a repeating timer that missed several firings fires once.
    void runPending()
    {
        while (runNext(m_now, true)) {
        }
    }
    // Pieces of work waiting (repeating timers included).
    int pendingCount() const { return count(false); }
    int repeatingTimerCount() const { return count(true); }

private:
    struct Entry
    {
        Instant due;
        std::uint64_t sequence;
        QPointer<QObject> context;
        std::shared_ptr<std::function<void()>> work;
        std::chrono::nanoseconds interval{0};
        std::shared_ptr<bool> cancelled; // repeating only
        bool isLive() const { return !context.isNull() && !(cancelled && *cancelled); }
    };
    struct Handle : RunLoop::RepeatingTimer
    {
        explicit Handle(std::shared_ptr<bool> cancelled) : cancelled(std::move(cancelled)) {}
        ~Handle() override { *cancelled = true; }
        std::shared_ptr<bool> cancelled;
    };

    void add(Instant due, QObject* context, std::function<void()> work,
             std::chrono::nanoseconds interval, std::shared_ptr<bool> cancelled)
    {
        m_entries.push_back(Entry{due, m_sequence++, context,
                                  std::make_shared<std::function<void()>>(std::move(work)),
                                  interval, std::move(cancelled)});
    }
    bool runNext(Instant limit, bool coalesce)
    {
        std::erase_if(m_entries, [](const Entry& e) { return !e.isLive(); });
        auto next = std::min_element(
            m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
                return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
            });
        if (next == m_entries.end() || next->due > limit)
            return false;
        Entry entry = *next;
        m_entries.erase(next);
        m_now = std::max(m_now, entry.due);
        if (entry.cancelled) {
            Instant due = entry.due + entry.interval;
            while (coalesce && due <= m_now)
                due += entry.interval;
            entry.due = due;
            entry.sequence = m_sequence++;
            m_entries.push_back(entry);
        }
        (*entry.work)();
        return true;
    }
    int count(bool repeatingOnly) const
    {
        return int(std::count_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
            return e.isLive() && (!repeatingOnly || e.cancelled);
        }));
    }

    Instant m_now{std::chrono::hours(1)};
    std::uint64_t m_sequence = 0;
    std::vector<Entry> m_entries;
};
