#include "platform/bus/DistributedNotification.h"
#include "ManualRunLoop.h"
#include "NotificationListener.h"
#include "PrivateSessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// The notification as another program of the session receives it.
class DistributedNotificationTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateSessionBus> m_bus;

    // Listens on a connection of its own, as another program would.
    bool listen(NotificationListener& listener)
    {
        QDBusConnection watcher = QDBusConnection::connectToBus(m_bus->address(), "watcher");
        return watcher.isConnected() &&
               watcher.connect(QString(), DistributedNotification::path,
                               DistributedNotification::interfaceName,
                               DistributedNotification::member, &listener,
                               SLOT(posted(QString, QString, QDBusMessage)));
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

    // The post made before the bus has greeted us, as the one at launch is,
    // still arrives; the sender answers a ping only after what it posted has
    // been delivered.
    void arrivesWholeAndTheSenderAnswers()
    {
        ManualRunLoop loop;
        NotificationListener listener;
        QVERIFY(listen(listener));
        const QStringList sent{"Zeit geändert ⏱", QString(70000, 'y')};
        SdBusConnection connection;
        connection.keepOpen();
        DistributedNotification notification(sent[0], sent[1], connection);
        QVERIFY(!notification.post());
        QTRY_COMPARE(listener.received.size(), 1);
        QVERIFY(notification.post() && notification.post());
        QVERIFY(listener.caughtUp(QDBusConnection("watcher")));
        QCOMPARE(listener.received, (QList<QStringList>{sent, sent, sent}));
    }

    // A daemon that never takes the connection, its queue full: posts return at once,
    // fail, and leave nothing broken behind.
    void aBrokenBusNeitherBlocksNorCrashes()
    {
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
        std::vector<int> waiting;
        do
            waiting.push_back(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        while (::connect(waiting.back(), socketAddress, sizeof address) == 0);
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + path);
        SdBusConnection connection;
        connection.keepOpen();
        DistributedNotification notification("n", QString(), connection);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!notification.post());
        QVERIFY(!notification.post());
        QVERIFY(clock.elapsed() < 1000);
        for (const int fd : waiting)
            ::close(fd);
        ::close(daemon);
    }
};

QTEST_GUILESS_MAIN(DistributedNotificationTest)
#include "DistributedNotificationTest.moc"
