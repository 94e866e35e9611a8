#include "FakeSound.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/DistributedNotifications.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimer.h"

#include <QApplication>
#include <QDBusConnection>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// A private session bus for this process, started before anything opens one.
QString busAddress;

class Listener : public QObject
{
    Q_OBJECT

public:
    QList<QStringList> received;

public Q_SLOTS:
    void posted(const QString& name, const QString& object) { received.append({name, object}); }
};

} // namespace

// The display's notification as another program of the session receives it.
class KPMenuBarTimeDisplayBusTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_config;

private Q_SLOTS:
    void postsOnTheSessionBusOnEveryTick()
    {
        if (busAddress.isEmpty())
            QSKIP("no dbus-daemon to run a private session bus");
        m_config.reset();
        QDBusConnection watcher = QDBusConnection::connectToBus(busAddress, "watcher");
        QVERIFY(watcher.isConnected());
        Listener listener;
        QVERIFY(watcher.connect(
            QString(), DistributedNotifications::path, DistributedNotifications::interfaceName,
            DistributedNotifications::member, &listener, SLOT(posted(QString, QString))));

        ManualRunLoop loop;
        FakeSounds sounds;
        KPMenuBarTimeDisplay display(std::make_unique<StatusItem>());
        display.setTimer(KPTimer::fromSeconds(60)); // one post
        display.timer()->start();
        loop.advance(300ms); // three ticks, three posts
        QTRY_COMPARE(listener.received.size(), 4);
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
