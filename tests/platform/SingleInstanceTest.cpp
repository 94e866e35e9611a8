#include "platform/SingleInstance.h"

#include <QTemporaryDir>
#include <QTest>

class SingleInstanceTest : public QObject
{
    Q_OBJECT

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
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
