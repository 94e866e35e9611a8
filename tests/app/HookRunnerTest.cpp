#include "app/HookRunner.h"
#include "FakeSound.h"
#include "FakeTimeDisplay.h"
#include "TemporaryStore.h"
#include "app/PeriodHooks.h"
#include "history/HistoryStore.h"
#include "history/PeriodRecorder.h"
#include "platform/ManualRunLoop.h"
#include "tasks/KPTaskManager.h"

#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <unistd.h>

namespace {

// What the process writes on standard error meanwhile.
class StandardErrorCapture
{
public:
    explicit StandardErrorCapture(const QString& path) : m_path(path)
    {
        std::fflush(stderr);
        m_saved = ::dup(2);
        std::FILE* file = std::fopen(qPrintable(path), "w");
        ::dup2(::fileno(file), 2);
        std::fclose(file);
    }
    ~StandardErrorCapture()
    {
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
    }
    QString text() const
    {
        std::fflush(stderr);
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

private:
    QString m_path;
    int m_saved = -1;
};

QString read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

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
        FakeSounds sounds;
        FakeTimeDisplay display;
        KPTimeBoxManager manager;
        manager.setMenuBarTimeDisplay(&display);
        KPTimer& timer = *display.timer();
        KPTaskManager tasks;
        tasks.tasks = {{1234.5, QStringLiteral("Write"), false, std::nullopt}};
        connect(&manager, &KPTimeBoxManager::periodDidEnd, &tasks, [&](KPTimeBoxManager::State s) {
            if (s == KPTimeBoxManager::State::work)
                tasks.creditWorkCycle();
        });
        HistoryStore store(m_home.path() + QStringLiteral("/history.sqlite"));
        PeriodRecorder recorder(manager, store);
        connect(&tasks, &KPTaskManager::workCycleCredited, &recorder,
                &PeriodRecorder::taskCredited);
        HookRunner runner(Defaults::standard());
        PeriodHooks periodHooks(recorder, manager, runner, &tasks);
        QSignalSpy done(&runner, &HookRunner::hookDone);
        for (const QString& step : script.split(QLatin1Char(' '))) {
            if (step == QLatin1String("go"))
                timer.toggle();
            else if (step == QLatin1String("skip"))
                timer.finish();
            else if (step == QLatin1String("reset"))
                timer.reset();
            else
                loop.advance(std::chrono::seconds(step.mid(1).toInt()));
            loop.runPending();
        }
        QTRY_COMPARE(done.count(), int(told.count(QLatin1Char('|'))));
        QCOMPARE(read(log()), told);
    }

    // A slow hook holds the next one back until its time is up; a missing
    // program and a failure are told, and the next one runs all the same.
    void hooksRunInTurnWithinTheirTime()
    {
        writeHooks("{\"paused\": \"echo slow >> " + log().toUtf8() +
                   "; exec sleep 60\","
                   " \"resumed\": \"no-such-program-zembrak\","
                   " \"skipped\": \"echo \\\"$ZEMBRAK_EVENT\\\" >> " +
                   log().toUtf8() +
                   "; exit 3\","
                   " \"workEnded\": 5, \"lunch\": \"true\"}");
        const StandardErrorCapture errors(m_home.path() + QStringLiteral("/stderr"));
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

    void aHooksValueThatIsNoObjectRunsNothing()
    {
        writeHooks("[\"echo\"]");
        const StandardErrorCapture errors(m_home.path() + QStringLiteral("/stderr"));
        const HookRunner runner(Defaults::standard());
        for (const QString& event : HookRunner::events)
            QVERIFY(!runner.hasHook(event));
        QVERIFY(errors.text().contains(QLatin1String("is not an object")));
    }
};

QTEST_GUILESS_MAIN(HookRunnerTest)
#include "HookRunnerTest.moc"
