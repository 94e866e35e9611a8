#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

// The GUI thread's run loop and its clock. The application runs on the Qt
// implementation; tests install a manual one and move time by hand.
class RunLoop
{
public:
    using Instant = std::chrono::nanoseconds;

    // Stops firing when destroyed.
    class RepeatingTimer
    {
    public:
        virtual ~RepeatingTimer() = default;
    };

    virtual ~RunLoop() = default;

    // Counts through suspend and never follows wall-clock changes.
    virtual Instant now() const = 0;

    // Work never runs after its context object is destroyed.
    [[nodiscard]] virtual std::unique_ptr<RepeatingTimer>
    scheduleRepeating(std::chrono::milliseconds interval, QObject* context,
                      std::function<void()> action) = 0;
    virtual void post(QObject* context, std::function<void()> work) = 0;
    virtual void postAfter(std::chrono::milliseconds delay, QObject* context,
                           std::function<void()> work) = 0;

    static RunLoop& main();
    // Replaces the main loop (tests); nullptr restores the Qt one. Not owned.
    static void setMain(RunLoop* loop);
};
