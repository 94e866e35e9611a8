#include "platform/DistributedNotification.h"
#include "AllocationCounter.h"
#include "NotificationListener.h"
#include "PrivateSessionBus.h"
#include "platform/DBusSocket.h"
#include "platform/ManualRunLoop.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

// The notification as another program of the session receives it.
class DistributedNotificationTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateSessionBus> m_bus;

    // Listens on a connection of its own, as another program would.
    bool listen(NotificationListener& listener, const QString& connectionName)
    {
        QDBusConnection watcher = QDBusConnection::connectToBus(m_bus->address(), connectionName);
        return watcher.isConnected() && watcher.connect(QString(), DistributedNotification::path,
                                                        DistributedNotification::interfaceName,
                                                        DistributedNotification::member, &listener,
                                                        SLOT(posted(QString, QString)));
    }

private Q_SLOTS:
    void init()
    {
        m_bus = std::make_unique<PrivateSessionBus>();
        if (m_bus->address().isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/install-deps installs it)");
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus->address().toUtf8());
    }

    void cleanup()
    {
        QDBusConnection::disconnectFromBus("watcher");
        m_bus.reset();
    }

    void arrivesWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("object");
        QTest::newRow("the time") << "Horva 3: Time Did Change" << QString();
        QTest::newRow("with an object") << "a"
                                        << "b";
        QTest::newRow("not ascii") << "Zeit geändert ⏱"
                                   << "日本";
        QTest::newRow("long") << QString(300, 'x') << QString(70000, 'y');
    }
    void arrivesWhole()
    {
        QFETCH(QString, name);
        QFETCH(QString, object);
        ManualRunLoop loop;
        NotificationListener listener;
        QVERIFY(listen(listener, "watcher"));
        DistributedNotification notification(name, object);
        QVERIFY(notification.post());
        QTRY_COMPARE(listener.received, (QList<QStringList>{{name, object}}));
    }

    void everyPostArrivesAndTakesNothingFromTheHeap()
    {
        ManualRunLoop loop;
        NotificationListener listener;
        QVERIFY(listen(listener, "watcher"));
        DistributedNotification notification("Horva 3: Time Did Change");
        QVERIFY(notification.post()); // connects
        const long before = allocations;
        int handed = 0;
        for (int i = 0; i < 100; ++i)
            handed += notification.post() ? 1 : 0;
        QCOMPARE(allocations - before, 0L);
        QCOMPARE(handed, 100);
        QTRY_COMPARE(listener.received.size(), 101);
    }

    // Far faster than any clock ticks: the socket fills, and what it refuses
    // is dropped whole, never cut into the stream.
    void aFloodIsRefusedWholeAndTheStreamStaysSound()
    {
        ManualRunLoop loop;
        NotificationListener listener;
        QVERIFY(listen(listener, "watcher"));
        DistributedNotification notification("n", QString(500, 'o'));
        int handed = 0;
        for (int i = 0; i < 5000; ++i)
            handed += notification.post() ? 1 : 0;
        QVERIFY(handed > 0);
        QTRY_COMPARE_WITH_TIMEOUT(listener.received.size(), handed, 10000);
        QVERIFY(notification.post()); // everything arrived: the socket is empty again
        QTRY_COMPARE(listener.received.size(), handed + 1);
        QCOMPARE(listener.received.last(), (QStringList{"n", QString(500, 'o')}));
    }

    void withoutABusNothingFailsAndItIsAskedAgainLater()
    {
        ManualRunLoop loop;
        QTemporaryDir nowhere;
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + nowhere.path().toUtf8() + "/bus");
        DistributedNotification notification("n");
        QVERIFY(!notification.post());

        // The bus appears: the next posts within the retry interval still give up at once.
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus->address().toUtf8());
        loop.advance(4s);
        QVERIFY(!notification.post());
        loop.advance(1s);
        NotificationListener listener;
        QVERIFY(listen(listener, "watcher"));
        QVERIFY(notification.post());
        QTRY_COMPARE(listener.received.size(), 1);
    }

    void aRestartedBusIsFoundAgain()
    {
        ManualRunLoop loop;
        DistributedNotification notification("n");
        QVERIFY(notification.post());
        m_bus = std::make_unique<PrivateSessionBus>(); // the old daemon is gone
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus->address().toUtf8());
        // The loss shows once the socket reports it; posts meanwhile are not delivered.
        QTRY_VERIFY(!notification.post());
        loop.advance(5s);
        NotificationListener listener;
        QVERIFY(listen(listener, "watcher"));
        QVERIFY(notification.post());
        QTRY_COMPARE(listener.received.size(), 1);
    }

    void unixAddressesAreSpokenDirectly_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("supported");
        QTest::newRow("path") << "unix:path=/run/user/1000/bus" << true;
        QTest::newRow("abstract with guid") << "unix:abstract=/tmp/dbus-x,guid=0123" << true;
        QTest::newRow("escaped path") << "unix:path=/tmp/a%20b" << true;
        QTest::newRow("tcp then unix") << "tcp:host=localhost,port=1;unix:path=/x" << true;
        QTest::newRow("tcp") << "tcp:host=localhost,port=1" << false;
        QTest::newRow("autolaunch") << "autolaunch:" << false;
        QTest::newRow("listen-only tmpdir") << "unix:tmpdir=/tmp" << false;
        QTest::newRow("empty path") << "unix:path=" << false;
        QTest::newRow("longer than a socket name") << "unix:path=/" + QString(200, 'a') << false;
    }
    void unixAddressesAreSpokenDirectly()
    {
        QFETCH(QString, address);
        QFETCH(bool, supported);
        QCOMPARE(DBusSocket::isSupported(address), supported);
    }

    void theRuntimeFolderStandsInForAMissingAddress()
    {
        QTemporaryDir runtime;
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        QCOMPARE(DBusSocket::sessionBusAddress(), QString());
        QFile socket(runtime.path() + "/bus");
        QVERIFY(socket.open(QIODevice::WriteOnly));
        QCOMPARE(DBusSocket::sessionBusAddress(), "unix:path=" + runtime.path() + "/bus");
    }
};

QTEST_GUILESS_MAIN(DistributedNotificationTest)
#include "DistributedNotificationTest.moc"
