#include "platform/DistributedNotification.h"
#include "AllocationCounter.h"
#include "NotificationListener.h"
#include "PrivateSessionBus.h"
#include "platform/ManualRunLoop.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

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
        return watcher.isConnected() &&
               watcher.connect(QString(), DistributedNotification::path,
                               DistributedNotification::interfaceName,
                               DistributedNotification::member, &listener,
                               SLOT(posted(QString, QString, QDBusMessage)));
    }

    // Posts until one goes out: the connection is made while the loop turns.
    static bool connectedPost(DistributedNotification& notification)
    {
        return QTest::qWaitFor([&] { return notification.post(); });
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
        QVERIFY(connectedPost(notification));
        QTRY_VERIFY(!listener.received.isEmpty());
        QCOMPARE(listener.received.first(), (QStringList{name, object}));
    }

    void everyPostArrivesAndTakesNothingFromTheHeap()
    {
        ManualRunLoop loop;
        NotificationListener listener;
        QVERIFY(listen(listener, "watcher"));
        DistributedNotification notification("Horva 3: Time Did Change");
        QVERIFY(connectedPost(notification));
        QTRY_COMPARE(listener.received.size(), 1);
        listener.received.clear();
        const long before = allocations;
        int handed = 0;
        for (int i = 0; i < 100; ++i)
            handed += notification.post() ? 1 : 0;
        QCOMPARE(allocations - before, 0L);
        QCOMPARE(handed, 100);
        // Answering the ping, the connection answers what the library answers by itself.
        QVERIFY(listener.caughtUp(QDBusConnection("watcher")));
        QCOMPARE(listener.received.size(), 100);
    }

    // Far faster than any clock ticks: the socket fills, and what it refuses
    // is dropped whole, never cut into the stream.
    void aFloodIsRefusedWholeAndTheStreamStaysSound()
    {
        ManualRunLoop loop;
        NotificationListener listener;
        QVERIFY(listen(listener, "watcher"));
        DistributedNotification notification("n", QString(500, 'o'));
        QVERIFY(connectedPost(notification));
        int handed = 1;
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
        QVERIFY(connectedPost(notification));
        QTRY_COMPARE(listener.received.size(), 1);
    }

    void aRestartedBusIsFoundAgain()
    {
        ManualRunLoop loop;
        DistributedNotification notification("n");
        QVERIFY(connectedPost(notification));
        m_bus = std::make_unique<PrivateSessionBus>(); // the old daemon is gone
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus->address().toUtf8());
        // The loss shows once the socket reports it; posts meanwhile are not delivered.
        QTRY_VERIFY(!notification.post());
        loop.advance(5s);
        NotificationListener listener;
        QVERIFY(listen(listener, "watcher"));
        QVERIFY(connectedPost(notification));
        QTRY_COMPARE(listener.received.size(), 1);
    }

    // A daemon that refuses us, hangs up, or never takes the connection: posts
    // return at once, fail, and leave nothing broken behind.
    void aBrokenBusNeitherBlocksNorCrashes_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("accepts");
        QTest::newRow("rejects the authentication") << QByteArray("REJECTED EXTERNAL\r\n") << true;
        QTest::newRow("hangs up") << QByteArray() << true;
        QTest::newRow("listen queue full") << QByteArray() << false;
    }
    void aBrokenBusNeitherBlocksNorCrashes()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, accepts);
        ManualRunLoop loop;
        QTemporaryDir dir;
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = dir.path().toUtf8() + "/bus";
        qstrcpy(address.sun_path, path.constData());
        const auto* socketAddress = reinterpret_cast<const sockaddr*>(&address);
        const int daemon = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        QCOMPARE(::bind(daemon, socketAddress, sizeof address), 0);
        QCOMPARE(::listen(daemon, 0), 0);
        std::vector<int> waiting; // fill the queue the daemon never takes from
        for (int fd; !accepts;) {
            fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            waiting.push_back(fd);
            if (::connect(fd, socketAddress, sizeof address) != 0)
                break;
        }
        std::atomic<bool> answered = !accepts;
        std::thread answering([&] {
            if (!accepts)
                return;
            const int client = ::accept(daemon, nullptr, nullptr);
            char greeting[256];
            if (::read(client, greeting, sizeof greeting) > 0 && !answer.isEmpty())
                (void)!::write(client, answer.constData(), size_t(answer.size()));
            ::close(client);
            answered = true;
        });
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + path);
        DistributedNotification notification("n");
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!notification.post());
        QVERIFY(clock.elapsed() < 1000);
        QTRY_VERIFY(answered); // the loop turns meanwhile
        answering.join();
        QCoreApplication::processEvents();
        QVERIFY(!notification.post());
        for (const int fd : waiting)
            ::close(fd);
        ::close(daemon);
    }
};

QTEST_GUILESS_MAIN(DistributedNotificationTest)
#include "DistributedNotificationTest.moc"
