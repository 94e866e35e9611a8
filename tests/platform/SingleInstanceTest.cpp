#include "platform/SingleInstance.h"
#include "platform/ManualRunLoop.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

class SingleInstanceTest : public QObject
{
    Q_OBJECT

    // A session daemon of the test's own at a fixed socket, as one the
    // session restarts: no service of the machine's is ever started by it.
    static bool startBus(QProcess& daemon, const QString& dir)
    {
        QFile config(dir + "/bus.conf");
        if (!config.open(QIODevice::WriteOnly))
            return false;
        config.write(
            "<busconfig><type>session</type><listen>unix:path=" + dir.toUtf8() +
            "/bus</listen><auth>EXTERNAL</auth><policy context=\"default\">"
            "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/>"
            "</policy></busconfig>");
        config.close();
        daemon.start("dbus-daemon",
                     {"--nofork", "--print-address", "--config-file=" + dir + "/bus.conf"});
        return daemon.waitForReadyRead(5000);
    }

private Q_SLOTS:
    void oneInstancePerStore()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("DBUS_SESSION_BUS_ADDRESS",
                "unix:path=/nonexistent"); // no bus: the lock alone decides
        auto first = std::make_unique<SingleInstance>();
        QVERIFY(first->claim());
        SingleInstance second;
        QVERIFY(!second.claim());
        first.reset(); // the first one quits
        SingleInstance third;
        QVERIFY(third.claim());

        QTemporaryDir otherHome; // another store is another instance
        qputenv("XDG_CONFIG_HOME", otherHome.path().toUtf8());
        SingleInstance elsewhere;
        QVERIFY(elsewhere.claim());
    }

    // The session's bus is restarted: the instance is found on the new one.
    void comesBackWhenTheBusRestarts()
    {
        ManualRunLoop loop;
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.path().toUtf8() + "/bus");
        QProcess daemon;
        QVERIFY(startBus(daemon, dir.path()));
        SingleInstance instance;
        QVERIFY(instance.claim());
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        for (const QString connection : {"before", "after"}) {
            QDBusConnection client = QDBusConnection::connectToBus(
                QString::fromUtf8(qgetenv("DBUS_SESSION_BUS_ADDRESS")), connection);
            QVERIFY(QTest::qWaitFor([&] {
                loop.advance(1s);
                return client.interface()->isServiceRegistered(SingleInstance::serviceName);
            }));
            client.asyncCall(QDBusMessage::createMethodCall(
                SingleInstance::serviceName, SingleInstance::objectPath,
                SingleInstance::interfaceName, "activate"));
            QTRY_COMPARE(activations.size(), connection == "before" ? 1 : 2);
            daemon.kill();
            daemon.waitForFinished();
            QDBusConnection::disconnectFromBus(connection);
            if (connection == "before")
                QVERIFY(startBus(daemon, dir.path()));
        }
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
