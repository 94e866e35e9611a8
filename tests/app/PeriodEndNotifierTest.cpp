#include "app/PeriodEndNotifier.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "timing/PreferenceKeys.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QRegularExpression>
#include <QTest>

namespace {

QString busAddress;

// A notification server as a desktop runs one, recording what it is asked to
// show. While holding, it answers only when released.
class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList shown;
    bool holding = false;

    void release(const QDBusConnection& bus)
    {
        for (const QDBusMessage& call : std::exchange(m_held, {}))
            bus.send(call.createReply(QVariant::fromValue(++m_lastId)));
    }

public Q_SLOTS:
    Q_SCRIPTABLE uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                             const QString& summary, const QString& body,
                             const QStringList& actions, const QVariantMap& hints, int timeout,
                             const QDBusMessage& call)
    {
        shown << QStringLiteral("%1 [%2] %3: %4 (replaces %5; %6 actions; %7; %8)")
                     .arg(appName, appIcon, summary, body)
                     .arg(replacesId)
                     .arg(actions.size())
                     .arg(hints.value("desktop-entry").toString())
                     .arg(timeout);
        if (!holding)
            return ++m_lastId;
        call.setDelayedReply(true);
        m_held.append(call);
        return 0;
    }

private:
    uint m_lastId = 40;
    QList<QDBusMessage> m_held;
};

} // namespace

class PeriodEndNotifierTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;
    QDBusConnection m_serverBus{QString()};
    FakeNotificationServer m_server;

    // Every reply to what was sent so far has come back and been handled.
    static void sync()
    {
        QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("x.y"));
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (busAddress.isEmpty())
            QSKIP("no dbus-daemon to run a private session bus");
        m_serverBus = QDBusConnection::connectToBus(busAddress, QStringLiteral("server"));
        QVERIFY(m_serverBus.registerObject(DesktopNotifications::path, &m_server,
                                           QDBusConnection::ExportScriptableSlots));
    }
    void init()
    {
        m_home.reset();
        m_server.shown.clear();
        QVERIFY(m_serverBus.registerService(DesktopNotifications::serviceName));
    }

    void eachEndIsShownInPlaceOfTheLast()
    {
        Defaults::standard().setInteger(PreferenceKeys::shortBreakLength, 90);
        KPTimeBoxManager manager;
        PeriodEndNotifier notifier(manager);
        m_server.holding = true;
        manager.timeDisplayTimerDidFinish(nullptr); // without a display: the end alone
        QTRY_COMPARE(m_server.shown.size(), 1);
        // Two more ends before the server has answered: the last one waits for
        // the answer to take the first one's place; the one between is dropped.
        manager.timeDisplayTimerDidFinish(nullptr);
        manager.timeDisplayTimerDidFinish(nullptr);
        sync();
        QCOMPARE(m_server.shown.size(), 1);
        m_server.release(m_serverBus);
        QTRY_COMPARE(m_server.shown.size(), 2);
        m_server.release(m_serverBus);
        m_server.holding = false;
        manager.timeDisplayTimerDidFinish(nullptr);
        QTRY_COMPARE(m_server.shown.size(), 3);
        sync();
        QCOMPARE(m_server.shown,
                 (QStringList{"Zembrak [zembrak] Work period finished: Next: short break, 1 minute "
                              "30 seconds (replaces 0; 0 actions; zembrak; -1)",
                              "Zembrak [zembrak] Work period finished: Next: short break, 1 minute "
                              "30 seconds (replaces 41; 0 actions; zembrak; -1)",
                              "Zembrak [zembrak] Break finished: Next: work period, 25 minutes "
                              "(replaces 42; 0 actions; zembrak; -1)"}));
    }

    void theSwitchIsReadAtEachEnd()
    {
        KPTimeBoxManager manager;
        PeriodEndNotifier notifier(manager);
        Defaults::standard().setBoolean(PreferenceKeys::isNotifyingAtPeriodEnd, false);
        manager.timeDisplayTimerDidFinish(nullptr);
        sync();
        QVERIFY(m_server.shown.isEmpty());
        Defaults::standard().setBoolean(PreferenceKeys::isNotifyingAtPeriodEnd, true);
        manager.timeDisplayTimerDidFinish(nullptr);
        QTRY_COMPARE(m_server.shown.size(), 1);
        QVERIFY(m_server.shown[0].contains("Break finished"));
    }

    void withoutAServerNothingFails()
    {
        QVERIFY(m_serverBus.unregisterService(DesktopNotifications::serviceName));
        QTest::failOnWarning(QRegularExpression(".*"));
        KPTimeBoxManager manager;
        PeriodEndNotifier notifier(manager);
        manager.timeDisplayTimerDidFinish(nullptr);
        sync();
        QVERIFY(m_server.shown.isEmpty());
        // Nor without a bus at all.
        PeriodEndNotifier offline(manager, QDBusConnection(QString()));
        manager.timeDisplayTimerDidFinish(nullptr);
        sync();
        QVERIFY(m_server.shown.isEmpty());
    }

    void lengthsReadAsWords_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("words");
        QTest::newRow("one minute") << qint64(60) << "1 minute";
        QTest::newRow("seconds") << qint64(45) << "45 seconds";
        QTest::newRow("each one") << qint64(3661) << "1 hour 1 minute 1 second";
        QTest::newRow("hours") << qint64(7200) << "2 hours";
        QTest::newRow("negative, hand-edited") << qint64(-5) << "0 seconds";
    }
    void lengthsReadAsWords()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, words);
        QCOMPARE(PeriodEndNotifier::describeLength(seconds), words);
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QCoreApplication, PeriodEndNotifierTest>(argc, argv, &busAddress);
}

#include "PeriodEndNotifierTest.moc"
