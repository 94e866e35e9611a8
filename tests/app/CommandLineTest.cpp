#include "app/CommandLine.h"
#include "PrivateSessionBus.h"
#include "app/StatusFollower.h"
#include "platform/session/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using Action = CommandLine::Action;

namespace {

QString busAddress;

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

class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // --follow's JSON carries the goal's fields (the status line and templates
    // with and without a goal are the goal run's).
    void followJsonCarriesTheGoal()
    {
        const QVariantMap properties{{"State", "active"},      {"Period", "work"},
                                     {"Remaining", 61LL},      {"CyclesSinceLaunch", 3LL},
                                     {"Length", 1500LL},       {"DailyGoal", 8LL},
                                     {"TodayWorkPeriods", 2LL}};
        const QJsonObject line = json(StatusFollower::line(properties, {}));
        QCOMPARE(line["goal"].toInteger(), 8);
        QCOMPARE(line["today"].toInteger(), 2);
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
    // Without a number, five minutes (--extend 60 is the rhythm run's).
    void extendTakesFiveMinutesByDefault()
    {
        qint64 seconds = 0;
        QCOMPARE(CommandLine::parse({"zembrak", "--extend"}, nullptr, nullptr, nullptr, &seconds),
                 Action::extend);
        QCOMPARE(seconds, 300);
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QCoreApplication, CommandLineTest>(argc, argv, &busAddress);
}

#include "CommandLineTest.moc"
