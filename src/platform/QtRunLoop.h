#pragma once

#include "RunLoop.h"

// RunLoop on Qt's event loop, timed by CLOCK_BOOTTIME.
class QtRunLoop : public RunLoop
{
public:
    Instant now() const override;
    std::unique_ptr<RepeatingTimer> scheduleRepeating(std::chrono::milliseconds interval,
                                                      QObject* context,
                                                      std::function<void()> action) override;
    void post(QObject* context, std::function<void()> work) override;
    void postAfter(std::chrono::milliseconds delay, QObject* context,
                   std::function<void()> work) override;
};
