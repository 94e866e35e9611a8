#include "platform/session/SingleInstance.h"
#include "ManualRunLoop.h"
#include "PrivateSessionBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One copy a store; only a copy that runs here holds it: a lock left on
    // another machine of a shared home, or a folder the lock cannot be made
    // in, still starts the timer.
    void startsUnlessACopyRunsHere_data()
    {
        QTest::addColumn<QByteArray>("lockFile");
        QTest::addColumn<bool>("folderIsAFile");
        QTest::newRow("another host's")
            << QByteArray("4242\nzembrak\nelsewhere.example\n\n") << false;
        QTest::newRow("folder cannot be made") << QByteArray() << true;
    }
    void startsUnlessACopyRunsHere()
    {
        QFETCH(QByteArray, lockFile);
        QFETCH(bool, folderIsAFile);
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QFile file(home.path() + (folderIsAFile ? "/zembrak" : "/zembrak/zembrak.lock"));
        QVERIFY(folderIsAFile || QDir().mkpath(home.path() + "/zembrak"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lockFile) == lockFile.size());
        file.close();
        auto first = std::make_unique<SingleInstance>();
        QVERIFY(first->claim());
        QVERIFY(folderIsAFile || !SingleInstance().claim());
        first.reset(); // the first one quits
        QVERIFY(SingleInstance().claim());
    }

    // The session's bus is restarted: the instance is found on the new one.
    void comesBackWhenTheBusRestarts()
    {
        ManualRunLoop loop;
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        const QString address = "unix:path=" + dir.path() + "/bus";
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        auto bus = std::make_unique<PrivateSessionBus>(address);
        QVERIFY(!bus->address().isEmpty());
        SdBusConnection session;
        session.keepOpen();
        SingleInstance instance(session);
        QVERIFY(instance.claim());
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        for (const QString connection : {"before", "after"}) {
            QDBusConnection client = QDBusConnection::connectToBus(address, connection);
            QVERIFY(QTest::qWaitFor([&] {
                loop.advance(1s);
                return client.interface()->isServiceRegistered(SingleInstance::serviceName);
            }));
            client.asyncCall(QDBusMessage::createMethodCall(
                SingleInstance::serviceName, SingleInstance::objectPath,
                SingleInstance::interfaceName, "activate"));
            QTRY_COMPARE(activations.size(), connection == "before" ? 1 : 2);
            bus.reset();
            QDBusConnection::disconnectFromBus(connection);
            if (connection == "before")
                bus = std::make_unique<PrivateSessionBus>(address);
        }
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
