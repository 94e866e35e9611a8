#include "app/HookRunner.h"
#include "ManualRunLoop.h"
#include "RecordedCycle.h"
#include "TemporaryStore.h"
#include "app/PeriodHooks.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

QString read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Standard error goes to a file while it lives.
struct StandardErrorCapture
{
    explicit StandardErrorCapture(const QString& file) : path(file)
    {
        std::FILE* opened = std::fopen(qPrintable(path), "w");
        ::dup2(::fileno(opened), 2);
        std::fclose(opened);
    }
    ~StandardErrorCapture() { ::dup2(saved, 2), ::close(saved); }
    QString text() const { return read(path); }

    const int saved = ::dup(2);
    const QString path;
};

} // namespace

class HookRunnerTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

    QString log() const { return m_home.path() + QStringLiteral("/log"); }
    void writeHooks(const QByteArray& hooks)
    {
        m_home.writeStandardFile("{\"hooks\": " + hooks + "}");
    }

private Q_SLOTS:
    void init() { m_home.reset(); }

    // Every event writes its environment; cycles count from the row's start.
    void eventsCarryThePeriod_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("told");
        QTest::newRow("work ran out, break skipped")
            << "go +1500 +10 skip"
            << "workStarted work - 1500 1500 0 Write|workEnded work finished 1500 0 1 Write|"
               "breakStarted shortBreak - 300 300 1 Write|skipped shortBreak skipped 300 290 1 |"
               "breakEnded shortBreak skipped 300 290 1 |workStarted work - 1500 1500 1 Write|";
        QTest::newRow("paused, resumed, reset")
            << "go +100 go +30 go +40 reset"
            << "workStarted work - 1500 1500 0 Write|paused work - 1500 1400 0 Write|"
               "resumed work - 1500 1400 0 Write|workEnded work abandoned 1500 1360 0 |";
    }
    void eventsCarryThePeriod()
    {
        QFETCH(QString, script);
        QFETCH(QString, told);
        const QByteArray command =
            "\"printf '%s %s %s %s %s %s %s|' \\\"$ZEMBRAK_EVENT\\\" \\\"$ZEMBRAK_PERIOD\\\" "
            "\\\"${ZEMBRAK_OUTCOME:--}\\\" \\\"$ZEMBRAK_LENGTH\\\" \\\"$ZEMBRAK_REMAINING\\\" "
            "$((ZEMBRAK_CYCLES - BASE)) \\\"$ZEMBRAK_TASK\\\" >> " +
            log().toUtf8() + "\"";
        QByteArray hooks = "{";
        for (const QString& event : HookRunner::events)
            hooks += (hooks.size() > 1 ? "," : "") + ("\"" + event.toUtf8() + "\": ") + command;
        writeHooks(hooks + "}");
        qputenv("BASE", QByteArray::number(KPTimeBoxManager::cyclesSinceLaunch()));
        ManualRunLoop loop;
        RecordedCycle cycle(m_home.path() + QStringLiteral("/history.sqlite"));
        HookRunner runner(Defaults::standard());
        PeriodHooks periodHooks(cycle.recorder, cycle.manager, runner, &cycle.tasks);
        QSignalSpy done(&runner, &HookRunner::hookDone);
        cycle.play(loop, script, [&] {
            loop.runPending();
            // The hooks are real processes: the manual clock waits for them.
            QTRY_VERIFY(std::ranges::none_of(runner.findChildren<QProcess*>(), [](QProcess* p) {
                return p->state() != QProcess::NotRunning;
            }));
        });
        QTRY_COMPARE(done.count(), int(told.count(QLatin1Char('|'))));
        QCOMPARE(read(log()), told);
    }

    // A slow hook holds the next one back until its time is up; a missing
    // program, a failure and a bad entry are told, and the next one runs all the same.
    void hooksRunInTurnWithinTheirTime()
    {
        const StandardErrorCapture errors(m_home.path() + QStringLiteral("/stderr"));
        writeHooks("{\"paused\": \"echo slow >> " + log().toUtf8() +
                   "; exec sleep 60\","
                   " \"resumed\": \"no-such-program-zembrak\","
                   " \"skipped\": \"echo \\\"$ZEMBRAK_EVENT\\\" >> " +
                   log().toUtf8() +
                   "; exit 3\","
                   " \"workEnded\": 5, \"lunch\": \"true\"}");
        ManualRunLoop loop;
        HookRunner runner(Defaults::standard());
        QVERIFY(!runner.hasHook(QStringLiteral("workEnded")));
        QSignalSpy done(&runner, &HookRunner::hookDone);
        runner.run(QStringLiteral("paused"), {});
        runner.run(QStringLiteral("resumed"), {});
        runner.run(QStringLiteral("skipped"),
                   {{QStringLiteral("ZEMBRAK_EVENT"), QStringLiteral("skipped")}});
        QTRY_COMPARE(read(log()), QStringLiteral("slow\n"));
        loop.advance(HookRunner::timeLimit - std::chrono::milliseconds(1));
        QVERIFY(!QTest::qWaitFor([&] { return done.count() > 0; }, 100));
        loop.advance(std::chrono::milliseconds(1));
        QTRY_COMPARE(done.count(), 3);
        QCOMPARE(read(log()), QStringLiteral("slow\nskipped\n"));
        const QString told = errors.text();
        for (const char* line :
             {"\"lunch\" is no event", "the command of workEnded is not a string",
              "hook paused: ended, still running after 10 seconds", "no-such-program-zembrak",
              "hook resumed: failed with exit status 127",
              "hook skipped: failed with exit status 3"})
            QVERIFY2(told.contains(QLatin1String(line)), qPrintable(told));
    }
};

QTEST_GUILESS_MAIN(HookRunnerTest)
#include "HookRunnerTest.moc"
