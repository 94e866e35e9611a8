// The application's tick path: the timer, the tray display, the shared suite
// and the D-Bus signal, as one tick of a running countdown drives them. Ticks
// that keep the shown second must take nothing from the heap: the signal sent
// on every tick is built once and sent again as it stands.
#include "AllocationCounter.h"
#include "ManualRunLoop.h"
#include "PrivateSessionBus.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/sound/Sound.h"
#include "timing/KPTimer.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    PrivateSessionBus bus; // the signal goes somewhere, as in a session
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    SdBusConnection shared;
    shared.shareAsSession();
    Sound::setProvider([](const QString&) { return std::shared_ptr<Sound>(); });

    ManualRunLoop loop;
    KPMenuBarTimeDisplay display(std::make_unique<StatusItem>());
    display.statusItem()->button()->show();
    display.setTimer(KPTimer::fromSeconds(100 * 3600));
    display.timer()->start();
    loop.advance(std::chrono::seconds(5)); // laid out, stored
    // The bus connection is made while the event loop turns.
    for (int turn = 0; turn < 100; ++turn) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }

    using namespace std::chrono_literals;
    constexpr int seconds = 2000;
    long keepingAllocations = 0, changingAllocations = 0;
    std::chrono::nanoseconds keepingTime{0}, changingTime{0};
    for (int s = 0; s < seconds; ++s) {
        for (int tick = 1; tick <= 10; ++tick) {
            const long before = allocations;
            const auto start = std::chrono::steady_clock::now();
            loop.advance(100ms);
            const auto spent = std::chrono::steady_clock::now() - start;
            const long taken = allocations - before;
            if (tick < 10) {
                keepingAllocations += taken;
                keepingTime += spent;
            } else {
                changingAllocations += taken;
                changingTime += spent;
            }
        }
        QCoreApplication::processEvents(); // repaints, as the event loop would
    }
    const double keeping = 9.0 * seconds;
    std::printf("display-tick: a tick keeping the second (the signal sent): %.0f ns, %.3f "
                "allocations of ours (%ld in %.0f ticks)\n",
                double(keepingTime.count()) / keeping, double(keepingAllocations) / keeping,
                keepingAllocations, keeping);
    std::printf("display-tick: a tick changing the second (labels, shared suite): %.0f ns, %.1f "
                "allocations\n",
                double(changingTime.count()) / seconds, double(changingAllocations) / seconds);
    return keepingAllocations == 0 ? 0 : 1;
}
