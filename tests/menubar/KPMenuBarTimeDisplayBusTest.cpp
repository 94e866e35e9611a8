#include "FakeSound.h"
#include "NotificationListener.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/DistributedNotification.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimer.h"

#include <QApplication>
#include <QDBusConnection>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// A private session bus for this process, started before anything opens one.
QString busAddress;

} // namespace

// The display's notification as another program of the session receives it.
class KPMenuBarTimeDisplayBusTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_config;

private Q_SLOTS:
    void init()
    {
        if (busAddress.isEmpty())
            QSKIP("no dbus-daemon to run a private session bus");
        m_config.reset();
    }

    void postsOnTheSessionBusOnEveryTick()
    {
        QDBusConnection watcher = QDBusConnection::connectToBus(busAddress, "watcher");
        QVERIFY(watcher.isConnected());
        NotificationListener listener;
        QVERIFY(watcher.connect(QString(), DistributedNotification::path,
                                DistributedNotification::interfaceName,
                                DistributedNotification::member, &listener,
                                SLOT(posted(QString, QString, QDBusMessage))));

        ManualRunLoop loop;
        FakeSounds sounds;
        KPMenuBarTimeDisplay display(std::make_unique<StatusItem>());
        display.setTimer(KPTimer::fromSeconds(60));
        display.timer()->start();
        // The first ticks connect, while the event loop turns.
        QVERIFY(QTest::qWaitFor([&] {
            loop.advance(100ms);
            return !listener.received.isEmpty();
        }));
        QVERIFY(listener.caughtUp(watcher));
        listener.received.clear();
        loop.advance(300ms); // three ticks, three posts
        QVERIFY(listener.caughtUp(watcher));
        QCOMPARE(listener.received.size(), 3);
        for (const QStringList& args : listener.received)
            QCOMPARE(args, QStringList({"Horva 3: Time Did Change", QString()}));
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QApplication, KPMenuBarTimeDisplayBusTest>(argc, argv,
                                                                             &busAddress);
}

#include "KPMenuBarTimeDisplayBusTest.moc"
