#pragma once

#include "platform/RunLoop.h"

#include <QPointer>
#include <cstdint>
#include <vector>

// A run loop whose time moves only when told to. Installs itself as the main
// loop for its lifetime.
class ManualRunLoop : public RunLoop
{
public:
    ManualRunLoop();
    ~ManualRunLoop() override;
    ManualRunLoop(const ManualRunLoop&) = delete;
    ManualRunLoop& operator=(const ManualRunLoop&) = delete;

    Instant now() const override { return m_now; }
    std::unique_ptr<RepeatingTimer> scheduleRepeating(std::chrono::milliseconds interval,
                                                      QObject* context,
                                                      std::function<void()> action) override;
    void post(QObject* context, std::function<void()> work) override;
    void postAfter(std::chrono::milliseconds delay, QObject* context,
                   std::function<void()> work) override;

    // Moves time forward, running each piece of work at the instant it is due.
    void advance(std::chrono::nanoseconds by);
    // Moves time with nothing run, as a suspended machine or a blocked thread does.
    void jump(std::chrono::nanoseconds by);
    // Runs what is due now; a repeating timer that missed several firings fires once.
    void runPending();
    // Pieces of work waiting (repeating timers included).
    int pendingCount() const;
    int repeatingTimerCount() const;

private:
    struct Entry
    {
        Instant due;
        std::uint64_t sequence;
        QPointer<QObject> context;
        std::shared_ptr<std::function<void()>> work;
        std::chrono::nanoseconds interval{0};
        std::shared_ptr<bool> cancelled; // repeating only
    };
    class Handle;

    void add(Instant due, QObject* context, std::shared_ptr<std::function<void()>> work,
             std::chrono::nanoseconds interval, std::shared_ptr<bool> cancelled);
    bool runNext(Instant limit, bool coalesce);

    Instant m_now{std::chrono::hours(1)};
    std::uint64_t m_sequence = 0;
    std::vector<Entry> m_entries;
};
