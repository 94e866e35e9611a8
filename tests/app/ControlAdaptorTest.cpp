#include "app/ControlAdaptor.h"
#include "BusCall.h"
#include "FakeSound.h"
#include "PrivateSessionBus.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"
#include "windows/ZKPopover.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QTest>

using namespace std::chrono_literals;

namespace {

QString busAddress;
int instances = 0;
const QString path = QStringLiteral("/org/zembrak/Zembrak");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// PropertiesChanged as a script on the bus receives it, with the instant of
// the manual clock at which it arrived.
class Listener : public QObject
{
    Q_OBJECT

public:
    struct Announcement
    {
        RunLoop::Instant at;
        QVariantMap changed;
    };
    QList<Announcement> received;

public Q_SLOTS:
    void propertiesChanged(const QString& interfaceName, const QVariantMap& changed,
                           const QStringList& invalidated)
    {
        QCOMPARE(interfaceName, ControlAdaptor::interfaceName);
        QVERIFY(invalidated.isEmpty());
        received.append({RunLoop::main().now(), changed});
    }
};

// The application's objects as the application wires them, with the adaptor
// exported on the private bus and a script's connection to it.
struct Instance
{
    // The popover's task list reads the stored tasks when it is made.
    struct StoredTasks
    {
        explicit StoredTasks(const QString& tasks) { storeTasks(parseTasks(tasks)); }
    };

    explicit Instance(const QString& tasks = QString()) : stored(tasks)
    {
        manager.setDelegate(&popover);
        manager.setMenuBarTimeDisplay(&display);
        adaptor = std::make_unique<ControlAdaptor>(bus, manager);
        QVERIFY(bus.start());
        QVERIFY(client.isConnected());
        QVERIFY(QTest::qWaitFor([&] { return client.interface()->isServiceRegistered(service); }));
        QVERIFY(client.connect(service, path, propertiesInterface,
                               QStringLiteral("PropertiesChanged"), &listener,
                               SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
    }

    QDBusMessage call(const QString& method, const QVariantList& arguments = {},
                      const QString& interfaceName = ControlAdaptor::interfaceName)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interfaceName, method);
        message.setArguments(arguments);
        return callAndWait(client, message);
    }
    QVariant property(const QString& name)
    {
        const QDBusMessage reply =
            call(QStringLiteral("Get"), {ControlAdaptor::interfaceName, name}, propertiesInterface);
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    QString status()
    {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(property("State").toString(), property("Period").toString())
            .arg(property("Remaining").toLongLong())
            .arg(property("CyclesSinceLaunch").toLongLong() - cyclesAtStart);
    }
    // Moves time in ticks; after each one, every signal sent so far has arrived.
    void advance(std::chrono::milliseconds by)
    {
        for (auto step = 0ms; step < by; step += 100ms) {
            loop.advance(std::min(100ms, by - step));
            sync();
        }
    }
    void sync()
    {
        // Signals sent before the reply reach the client before it.
        call(QStringLiteral("Ping"), {}, QStringLiteral("org.freedesktop.DBus.Peer"));
        QCoreApplication::processEvents();
    }
    QStringList announced()
    {
        QStringList lines;
        for (const Listener::Announcement& a : std::exchange(listener.received, {})) {
            QStringList members;
            for (auto it = a.changed.cbegin(); it != a.changed.cend(); ++it)
                members << it.key() + '=' + it.value().toString();
            lines << members.join(' ');
        }
        return lines;
    }
    static QString firstTask()
    {
        const auto data = Defaults().data(PreferenceKeys::tasks).value_or("[]");
        const QList<KPTask> tasks = KPTask::listFromJson(data).value_or(QList<KPTask>{});
        return tasks.isEmpty() ? QString()
                               : tasks[0].string + QString::number(tasks[0].cycleCount.value_or(0));
    }

    StoredTasks stored;
    ManualRunLoop loop;
    FakeSounds sounds;
    ZKPopover popover;
    KPMenuBarTimeDisplay display{std::make_unique<StatusItem>()};
    KPTimeBoxManager manager;
    // A name of its own for each instance: the last one's may not be released yet.
    const QString service = "org.zembrak.Test" + QString::number(++instances);
    BusService bus{service, path};
    std::unique_ptr<ControlAdaptor> adaptor;
    QDBusConnection client = QDBusConnection::connectToBus(busAddress, QStringLiteral("client"));
    Listener listener;
    const qint64 cyclesAtStart = KPTimeBoxManager::cyclesSinceLaunch();
    KPTimer& timer() { return *display.timer(); }
};

} // namespace

class ControlAdaptorTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void init()
    {
        if (busAddress.isEmpty())
            QSKIP("no dbus-daemon to run a private session bus");
        m_home.reset();
        // The count of cycles is the process's: keep long breaks out of the way.
        Defaults::standard().setInteger(PreferenceKeys::longBreakInterval, 1000);
    }

    void methodsDriveTheTimer()
    {
        Instance app;
        QCOMPARE(app.status(), QString("inactive work 1500 0"));
        QCOMPARE(app.call("StartPause").type(), QDBusMessage::ReplyMessage);
        app.advance(1s);
        QCOMPARE(app.status(), QString("active work 1499 0"));
        app.call("StartPause");
        QCOMPARE(app.status(), QString("inactive work 1499 0"));
        app.call("Reset");
        QCOMPARE(app.status(), QString("inactive work 1500 0"));

        app.call("SetTime", {qlonglong(90)}); // as a preset shortcut: counts down at once
        QCOMPARE(app.status(), QString("active work 90 0"));
        QCOMPARE(app.timer().countType(), KPTimer::CountType::down);
        app.advance(2s);
        for (qlonglong refused : {qlonglong(-1), qlonglong(0), qlonglong(36000000),
                                  std::numeric_limits<qlonglong>::max()}) {
            const QDBusMessage reply = app.call("SetTime", {refused});
            QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(reply.errorName(), QString("org.freedesktop.DBus.Error.InvalidArgs"));
        }
        QCOMPARE(app.status(), QString("active work 88 0"));
        QCOMPARE(app.timer().time(), (KPTime{0, 1, 30}));
        // A finished countdown is rewound by the toggle rule, not started.
        app.call("SetTime", {qlonglong(1)});
        app.advance(1s);
        app.call("Reset");
        app.call("StartPause");
        QCOMPARE(app.property("State").toString(), QString("active"));
    }

    void skipEndsThePeriodAsItsEndWould_data()
    {
        QTest::addColumn<bool>("skipping");
        QTest::newRow("natural end") << false;
        QTest::newRow("skip") << true;
    }
    void skipEndsThePeriodAsItsEndWould()
    {
        QFETCH(bool, skipping);
        Defaults::standard().setInteger(PreferenceKeys::workLength, 5);
        Defaults::standard().setInteger(PreferenceKeys::shortBreakLength, 4);
        Instance app("Write_report Read");
        app.call("StartPause");
        app.advance(2s);
        // Paused before the next period's first tick: it keeps its whole length.
        const auto end = [&](std::chrono::milliseconds rest) {
            if (skipping)
                QCOMPARE(app.call("Skip").type(), QDBusMessage::ReplyMessage);
            else
                app.advance(rest);
            app.call("StartPause");
            app.advance(100ms);
        };
        end(3s);
        QCOMPARE(app.status(), QString("inactive shortBreak 4 1"));
        QCOMPARE(app.firstTask(), QString("Write report1"));
        QCOMPARE(app.sounds.get("Blow")->plays, 1);

        app.call("StartPause");
        app.advance(1s);
        end(3s); // a break credits nothing
        QCOMPARE(app.status(), QString("inactive work 5 1"));
        QCOMPARE(app.firstTask(), QString("Write report1"));
        QCOMPARE(app.sounds.get("Blow")->plays, 2);
    }

    void skipStartsTheNextPeriodOfAPausedTimerAndRefusesTheStopwatch()
    {
        Instance app("Plan");
        app.call("Skip");
        app.call("StartPause");
        app.advance(100ms);
        QCOMPARE(app.status(), QString("inactive shortBreak 300 1"));
        QCOMPARE(app.firstTask(), QString("Plan1"));

        app.timer().setTime({}, KPTimer::CountType::up);
        const QDBusMessage reply = app.call("Skip");
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), QString("org.zembrak.Zembrak.Error.CountingUp"));
        QCOMPARE(app.status(), QString("active shortBreak 0 1"));
    }

    void changesAreAnnouncedAsTheyHappenBurstsOnce()
    {
        Instance app;
        app.advance(10s); // paused: nothing changes, nothing is said
        QCOMPARE(app.announced(), QStringList());

        app.call("StartPause");
        app.advance(100ms);
        QCOMPARE(app.announced(), QStringList{"State=active"});
        // Ticks that show the same second again leave nothing to do but the ticking.
        app.advance(500ms);
        QCOMPARE(app.loop.pendingCount(), 1);
        app.advance(3300ms);
        QCOMPARE(app.announced(),
                 (QStringList{"Remaining=1499", "Remaining=1498", "Remaining=1497"}));

        // Paused and started again within a second: the state is back as it was.
        app.call("StartPause");
        app.call("StartPause");
        app.advance(100ms);
        app.call("Reset"); // and a burst of changes is said once
        app.call("StartPause");
        app.call("SetTime", {qlonglong(600)});
        app.advance(3s);
        QCOMPARE(app.announced(), (QStringList{"Length=600 Remaining=600", "Remaining=599",
                                               "Remaining=598", "Remaining=597"}));

        app.call("Skip");
        app.advance(3s);
        const auto& times = app.listener.received;
        for (qsizetype i = 1; i < times.size(); ++i)
            QVERIFY(times[i].at - times[i - 1].at >= ControlAdaptor::announcementInterval);
        QCOMPARE(app.announced(),
                 (QStringList{"CyclesSinceLaunch=" + QString::number(app.cyclesAtStart + 1) +
                                  " Length=300 Period=shortBreak Remaining=300",
                              "Remaining=299", "Remaining=298", "Remaining=297"}));
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QApplication, ControlAdaptorTest>(argc, argv, &busAddress);
}

#include "ControlAdaptorTest.moc"
