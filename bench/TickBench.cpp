// Time per tick() of a running countdown, and the heap allocations a tick makes.
#include "platform/Sound.h"
#include "timing/KPTimer.h"
#include "timing/KPTimerDelegate.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

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
    const long before = allocations.load();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < ticks; ++i)
        timer.tick();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const long allocated = allocations.load() - before;

    const double ns = std::chrono::duration<double, std::nano>(elapsed).count() / ticks;
    std::printf("tick: %.1f ns per tick over %ld ticks; %.3f allocations per tick (%ld in all)\n",
                ns, ticks, double(allocated) / ticks, allocated);
    std::printf("checksum %ld\n", delegate.seconds);
    return allocated == 0 ? 0 : 1;
}
