// Time per tick() of a running countdown, and the heap allocations a tick makes.
#include "AllocationCounter.h"
#include "platform/sound/Sound.h"
#include "timing/KPTimer.h"
#include "timing/KPTimerDelegate.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>

namespace {

class NullDelegate : public KPTimerDelegate
{
public:
    void timerDidChangeTime(KPTimer* timer) override { seconds += timer->currentTime().seconds; }
    void timerDidChangeState(KPTimer*) override {}
    void timerDidFinish(KPTimer*) override {}
    void timerDidChangeHoursVisibility(KPTimer*) override {}
    void timerDidRepeatAlarm(KPTimer*) override {}
    long seconds = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Sound::setProvider([](const QString&) { return std::shared_ptr<Sound>(); });
    KPTimer timer(KPTime{100, 0, 0});
    NullDelegate delegate;
    timer.setDelegate(&delegate);
    timer.start();

    constexpr long warmup = 10000;
    constexpr long ticks = 2000000;
    for (long i = 0; i < warmup; ++i)
        timer.tick();
    const long before = allocations;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < ticks; ++i)
        timer.tick();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const long allocated = allocations - before;

    const double ns = std::chrono::duration<double, std::nano>(elapsed).count() / ticks;
    std::printf("tick: %.1f ns per tick over %ld ticks; %.3f allocations per tick (%ld in all)\n",
                ns, ticks, double(allocated) / ticks, allocated);
    std::printf("checksum %ld\n", delegate.seconds);
    return allocated == 0 ? 0 : 1;
}
