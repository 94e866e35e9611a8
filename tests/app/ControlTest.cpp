#include "BusCall.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "app/CommandLine.h"
#include "app/ControlAdaptor.h"
#include "app/StatusFollower.h"
#include "history/HistoryStore.h"
#include "history/PeriodRecorder.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/session/SingleInstance.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "windows/ZKPopover.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace std::chrono_literals;
using Action = CommandLine::Action;

namespace {

QString busAddress;
const QString path = QStringLiteral("/org/zembrak/Zembrak");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// The application's objects as the application wires them, with the adaptor
// exported on the private bus and a script's connection to it.
class Instance : public QObject
{
    Q_OBJECT

public:
    Instance()
    {
        manager.setDelegate(&popover);
        manager.setMenuBarTimeDisplay(&display);
        adaptor = std::make_unique<ControlAdaptor>(bus, manager);
        recorder = std::make_unique<PeriodRecorder>(manager, store);
        connect(recorder.get(), &PeriodRecorder::periodEnded, adaptor.get(),
                &ControlAdaptor::periodEnded);
        QVERIFY(bus.start());
        QVERIFY(QTest::qWaitFor([&] { return client.interface()->isServiceRegistered(service); }));
        QVERIFY(client.connect(service, path, propertiesInterface,
                               QStringLiteral("PropertiesChanged"), this,
                               SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        QVERIFY(client.connect(service, path, ControlAdaptor::interfaceName,
                               QStringLiteral("PeriodEnded"), this,
                               SLOT(periodEnded(QString, QString, qlonglong, qlonglong))));
    }

    QDBusMessage call(const QString& method, const QVariantList& arguments = {},
                      const QString& interfaceName = ControlAdaptor::interfaceName)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interfaceName, method);
        message.setArguments(arguments);
        return callAndWait(client, message);
    }
    QString status()
    {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(adaptor->state(), adaptor->period())
            .arg(adaptor->remaining())
            .arg(adaptor->cyclesSinceLaunch() - cyclesAtStart);
    }
    // Moves time in ticks; after each one, every signal sent so far has arrived
    // (signals sent before a reply reach the client before it).
    void advance(std::chrono::milliseconds by)
    {
        for (auto step = 0ms; step < by; step += 100ms) {
            loop.advance(std::min(100ms, by - step));
            call(QStringLiteral("Ping"), {}, QStringLiteral("org.freedesktop.DBus.Peer"));
            QCoreApplication::processEvents();
        }
    }
    QStringList announced() { return std::exchange(m_announced, {}); }
    // When each announcement arrived, by the manual clock.
    QList<RunLoop::Instant> times;

    ManualRunLoop loop;
    FakeSounds sounds;
    ZKPopover popover;
    KPMenuBarTimeDisplay display{std::make_unique<StatusItem>()};
    KPTimeBoxManager manager;
    const QString service = QStringLiteral("org.zembrak.Test");
    BusService bus{service, path};
    std::unique_ptr<ControlAdaptor> adaptor;
    HistoryStore store{qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/history.sqlite")};
    std::unique_ptr<PeriodRecorder> recorder;
    QStringList ended;
    QDBusConnection client = QDBusConnection::connectToBus(busAddress, QStringLiteral("client"));
    const qint64 cyclesAtStart = KPTimeBoxManager::cyclesSinceLaunch();

private Q_SLOTS:
    void propertiesChanged(const QString&, const QVariantMap& changed, const QStringList&)
    {
        QStringList members;
        for (auto it = changed.cbegin(); it != changed.cend(); ++it)
            members << it.key() + '=' + it.value().toString();
        m_announced << members.join(' ');
        times << RunLoop::main().now();
    }
    void periodEnded(const QString& kind, const QString& outcome, qlonglong planned,
                     qlonglong counted)
    {
        ended << QStringLiteral("%1 %2 %3 %4").arg(kind, outcome).arg(planned).arg(counted);
    }

private:
    QStringList m_announced;
};

// The control object of a running Zembrak, as far as a follower sees it.
class FakeControl : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zembrak.Zembrak")
    Q_PROPERTY(QString State MEMBER state)
    Q_PROPERTY(QString Period MEMBER period)
    Q_PROPERTY(qlonglong Remaining MEMBER remaining)

public:
    QString state = QStringLiteral("active");
    QString period = QStringLiteral("work");
    qlonglong remaining = 1200;
};

// A Zembrak that starts on a connection of its own, and ends with it.
struct RunningApp
{
    explicit RunningApp(const QString& name) : name(name)
    {
        QVERIFY(bus.registerObject(SingleInstance::objectPath, &control,
                                   QDBusConnection::ExportAllProperties));
        QVERIFY(bus.registerService(SingleInstance::serviceName));
    }
    ~RunningApp() { QDBusConnection::disconnectFromBus(name); }
    void announce(const QVariantMap& changed)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            SingleInstance::objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << QStringLiteral("org.zembrak.Zembrak") << changed << QStringList();
        bus.send(signal);
    }

    QString name;
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, name);
    FakeControl control;
};

const auto json = [](const QByteArray& line) { return QJsonDocument::fromJson(line).object(); };

} // namespace

// The application driven from scripts: its bus interface, the command line
// that calls it, and the follower that prints what it announces.
class ControlTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void methodsDriveTheTimerChangesAreAnnounced()
    {
        m_home.reset();
        Instance app;
        app.advance(10s); // paused: nothing changes, nothing is said
        QCOMPARE(app.announced(), QStringList());
        app.call("StartPause");
        app.advance(3s);
        QCOMPARE(app.announced(), (QStringList{"State=active", "Remaining=1499", "Remaining=1498",
                                               "Remaining=1497"}));
        app.call("StartPause");

        app.call("SetTime", {qlonglong(90)}); // as a preset shortcut: counts down at once
        for (qlonglong refused : {qlonglong(-1), qlonglong(0), qlonglong(36000000),
                                  std::numeric_limits<qlonglong>::max()}) {
            const QDBusMessage reply = app.call("SetTime", {refused});
            QCOMPARE(reply.errorName(), QString("org.freedesktop.DBus.Error.InvalidArgs"));
        }
        QCOMPARE(app.status(), QString("active work 90 0"));

        app.call("Skip"); // ends the period as its end would
        app.advance(2s);
        // The burst since the last tick is said once, then each shown second.
        for (qsizetype i = 1; i < app.times.size(); ++i)
            QVERIFY(app.times[i] - app.times[i - 1] >= ControlAdaptor::announcementInterval);
        QCOMPARE(app.announced(),
                 (QStringList{"CyclesSinceLaunch=" + QString::number(app.cyclesAtStart + 1) +
                                  " Length=300 Period=shortBreak Remaining=300",
                              "Remaining=299", "Remaining=298"}));

        app.display.timer()->setTime({}, KPTimer::CountType::up);
        const QDBusMessage reply = app.call("Skip");
        QCOMPARE(reply.errorName(), QString("org.zembrak.Zembrak.Error.CountingUp"));
        QCOMPARE(app.status(), QString("active shortBreak 0 1"));
        QCoreApplication::processEvents();
        QCOMPARE(app.ended, (QStringList{"work abandoned 1500 3", "countdown skipped 90 0",
                                         "shortBreak abandoned 300 2"}));
    }

    // Running, paused or waiting, the period gets the time and ends with it in
    // the history; past the bound, or for a stopwatch, nothing changes.
    void extendAddsToThePeriodUpToTheBound()
    {
        m_home.reset();
        Defaults::standard().setBoolean(PreferenceKeys::isStartingBreaksAutomatically, false);
        Instance app;
        const auto extend = [&](qlonglong seconds) {
            return app.call("Extend", {seconds}).errorName();
        };
        app.call("StartPause");
        app.advance(2s);
        QCOMPARE(extend(60), QString());
        QCOMPARE(app.status(), QString("active work 1558 0"));
        app.call("StartPause");
        QCOMPARE(extend(300), QString());
        QCOMPARE(app.status(), QString("inactive work 1858 0"));
        app.call("Skip");
        QCOMPARE(app.status(), QString("inactive shortBreak 300 1")); // waits
        QCOMPARE(extend(60), QString());
        for (const qlonglong refused : {qlonglong(0), KPTime::maximumTotalSeconds - 359})
            QCOMPARE(extend(refused), QString("org.freedesktop.DBus.Error.InvalidArgs"));
        QCOMPARE(extend(KPTime::maximumTotalSeconds - 360), QString());
        QCOMPARE(app.status(),
                 QString("inactive shortBreak %1 1").arg(KPTime::maximumTotalSeconds));
        app.call("Skip");
        app.display.timer()->setTime({}, KPTimer::CountType::up);
        QCOMPARE(extend(60), QString("org.zembrak.Zembrak.Error.CountingUp"));
        QCoreApplication::processEvents();
        QCOMPARE(app.ended.first(), QString("work skipped 1860 2"));
    }

    void followsAcrossTheApplicationsRestart()
    {
        QList<QByteArray> lines;
        StatusFollower follower(QDBusConnection::sessionBus(), QString(),
                                [&lines](const QByteArray& line) {
                                    lines << line;
                                    return true;
                                });
        QCOMPARE(lines.size(), 1);
        QCOMPARE(json(lines[0])["text"].toString(), QString());
        QCOMPARE(json(lines[0])["class"].toArray(), QJsonArray{"stopped"});

        for (const char* name : {"first run", "second run"}) {
            {
                RunningApp app(name);
                QTRY_COMPARE(lines.size(), 2);
                QCOMPARE(json(lines[1])["text"].toString(), QString("20:00"));

                app.announce({{"Remaining", qlonglong(1199)}});
                QTRY_COMPARE(lines.size(), 3);
                QCOMPARE(json(lines[2])["text"].toString(), QString("19:59"));
            }
            QTRY_COMPARE(lines.size(), 4); // gone again
            QCOMPARE(lines[3], lines[0]);
            lines = {lines[0]};
        }
    }

    void argumentsChooseTheAction_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("forCommandLine");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, const QStringList& arguments, bool forCommandLine,
                            Action action, const QString& error = QString()) {
            QTest::newRow(name) << arguments << forCommandLine << action << error;
        };
        row("follow", {"--follow", "--format", "{time}"}, true, Action::follow);
        row("format alone", {"--format", "{time}"}, true, Action::usageError,
            "--format goes with --follow or --history.");
        row("history", {"--history", "--until", "2026-12-07T10:00:00Z", "--format", "json"}, true,
            Action::history);
        row("history, bad date", {"--history", "--since", "2026-02-30"}, true, Action::usageError,
            "--since: '2026-02-30' is no date (YYYY-MM-DD) or ISO 8601 date and time.");
        row("history, bad format", {"--history", "--format", "xml"}, true, Action::usageError,
            "--format with --history is csv or json.");
        row("stats", {"--stats", "--since", "2026-12-01"}, true, Action::stats);
        row("stats, until", {"--stats", "--until", "2026-12-01"}, true, Action::usageError,
            "--until goes with --history.");
        row("help wins", {"--skip", "--help"}, true, Action::help);
        row("unknown", {"--bogus"}, true, Action::usageError, "Unknown option 'bogus'.");
        row("two at once", {"--skip", "--reset"}, true, Action::usageError,
            "Give one control option at a time.");
        const QString bound = "--extend takes a number of seconds from 1 to 35999999 (9999:59:59).";
        row("extend too far", {"--extend", "36000000"}, true, Action::usageError, bound);
        row("extend by words", {"--extend", "soon"}, true, Action::usageError, bound);
        row("extend twice", {"--extend", "60", "9"}, true, Action::usageError,
            "Unexpected argument '9'.");
        // What the application leaves over of its arguments once Qt has taken its own.
        row("left over", {"stray"}, false, Action::usageError, "Unexpected argument 'stray'.");
    }
    void argumentsChooseTheAction()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, forCommandLine);
        QFETCH(Action, action);
        QFETCH(QString, error);
        arguments.prepend("zembrak");
        QCOMPARE(CommandLine::isForCommandLine(arguments), forCommandLine);
        QString said;
        QCOMPARE(CommandLine::parse(arguments, &said), action);
        QCOMPARE(said, error);
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QApplication, ControlTest>(argc, argv, &busAddress);
}

#include "ControlTest.moc"
