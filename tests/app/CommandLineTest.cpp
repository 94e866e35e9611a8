#include "app/CommandLine.h"
#include "app/StatusFollower.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <QTest>

using Action = CommandLine::Action;

class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The goal's fields come after the ones scripts already split, and only with a goal.
    void goalFieldsOfStatusAndFollow_data()
    {
        QTest::addColumn<qlonglong>("goal");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("template");
        QTest::newRow("no goal") << 0LL << "state=active period=work remaining=61 cycles=3"
                                 << "01:01 0/0";
        QTest::newRow("a goal of 8")
            << 8LL << "state=active period=work remaining=61 cycles=3 today=2 goal=8"
            << "01:01 2/8";
    }
    void goalFieldsOfStatusAndFollow()
    {
        QFETCH(qlonglong, goal);
        const QVariantMap properties{{"State", "active"},
                                     {"Period", "work"},
                                     {"Remaining", 61LL},
                                     {"CyclesSinceLaunch", 3LL},
                                     {"Length", 1500LL},
                                     {"DailyGoal", goal},
                                     {"TodayWorkPeriods", goal ? 2LL : 0LL}};
        QTEST(CommandLine::statusLine(properties), "status");
        QTEST(QString(StatusFollower::line(properties, "{time} {today}/{goal}")), "template");
        const QJsonObject json =
            QJsonDocument::fromJson(StatusFollower::line(properties, {})).object();
        QCOMPARE(json["goal"].toInteger(), goal);
        QCOMPARE(json["today"].toInteger(), goal ? 2 : 0);
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
    void extendTakesSecondsOrFiveMinutes()
    {
        qint64 seconds = 0;
        QCOMPARE(CommandLine::parse({"zembrak", "--extend"}, nullptr, nullptr, nullptr, &seconds),
                 Action::extend);
        QCOMPARE(seconds, 300);
        CommandLine::parse({"zembrak", "--extend", "60"}, nullptr, nullptr, nullptr, &seconds);
        QCOMPARE(seconds, 60);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
