#include "history/PeriodRecorder.h"
#include "ManualRunLoop.h"
#include "RecordedCycle.h"
#include "TemporaryStore.h"

#include <QRegularExpression>
#include <QTest>

namespace {

QString describe(const HistoryRecord& r)
{
    QString text = QStringLiteral("%1 %2 %3/%4")
                       .arg(r.kind, r.outcome)
                       .arg(r.plannedSeconds)
                       .arg(r.countedSeconds);
    for (const HistoryRecord::Pause& pause : r.pauses)
        text += QStringLiteral(" %1:%2").arg(pause.cause).arg(pause.seconds);
    if (!r.task.isEmpty())
        text += QStringLiteral(" [%1 %2]").arg(r.task, r.taskId);
    return text;
}

} // namespace

class PeriodRecorderTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    // Each row drives the timer as the user, a shortcut or the away hooks do,
    // and lists the periods kept, as they were told and as the store has them.
    void periodsAreKeptAsTheyEnd_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* name, const char* script, const char* kept) {
            QTest::newRow(name) << script << kept;
        };
        row("finished, then a skipped break", "go +1500 +10 skip",
            "work finished 1500/1500 [Write 1234.5] | shortBreak skipped 300/10");
        row("paused, reset while running", "go +100 go +30 go +40 reset",
            "work abandoned 1500/140 user:30");
        row("reset while paused", "go +100 go +30 reset", "work abandoned 1500/100 user:30");
        row("a preset replaces the work period", "go +60 preset:600 +600",
            "work abandoned 1500/60 | countdown finished 600/600 [Write 1234.5]");
        row("a preset while paused waits for no start", "go +60 go +5 preset:90 +100",
            "work abandoned 1500/60 user:5 | countdown finished 90/90 [Write 1234.5]");
        row("stopwatch at quit", "watch +75 quit", "stopwatch abandoned 0/75");
        row("re-timed while running", "go +100 retime:60 +60",
            "work abandoned 1500/100 | work finished 60/60 [Write 1234.5]");
        row("a pause of the screen lock", "go +100 cause:lock go +50 go +10 go +7 quit",
            "work abandoned 1500/110 lock:50 user:7");
        row("idle time taken from the count", "go +600 idle:120 +1020",
            "work finished 1500/1500 idle:120 [Write 1234.5]");
        row("more idle than counted", "go +20 go idle:90 quit", "work abandoned 1500/0 idle:20");
        row("ran out asleep, woken before the tick", "go +600 sleep jump:3600 wake +1",
            "work endedAway 1500/600 suspend:3600 [Write 1234.5]");
        row("ran out asleep, the tick before the wake", "go +600 sleep jump:3600 +1 wake",
            "work endedAway 1500/600 suspend:3600 [Write 1234.5]");
        row("woken with time left", "go +600 sleep jump:300 wake +600",
            "work finished 1500/1500 [Write 1234.5]");
        row("paused for the sleep", "go +600 cause:suspend go sleep jump:3600 wake go +900",
            "work finished 1500/1500 suspend:3600 [Write 1234.5]");
        row("nothing started, nothing kept", "+100 quit", "");
    }
    void periodsAreKeptAsTheyEnd()
    {
        QFETCH(QString, script);
        QFETCH(QString, kept);
        ManualRunLoop loop;
        RecordedCycle cycle(m_home.path() + QStringLiteral("/history.sqlite"));
        KPTimer& timer = cycle.timer();
        PeriodRecorder& recorder = cycle.recorder;
        QStringList told;
        connect(&recorder, &PeriodRecorder::periodEnded,
                [&told](const HistoryRecord& r) { told << describe(r); });

        static const QRegularExpression step(QStringLiteral("^([a-z+]*):?(\\w*)$"));
        for (const QString& token : script.split(QLatin1Char(' '))) {
            const QRegularExpressionMatch m = step.match(token);
            const QString verb = m.captured(1);
            const qint64 n = m.captured(2).toLongLong();
            if (verb == QLatin1String("go"))
                timer.toggle();
            else if (verb == QLatin1String("+"))
                loop.advance(std::chrono::seconds(n));
            else if (verb == QLatin1String("jump"))
                loop.jump(std::chrono::seconds(n));
            else if (verb == QLatin1String("skip"))
                timer.finish();
            else if (verb == QLatin1String("reset"))
                timer.reset();
            else if (verb == QLatin1String("preset"))
                timer.setTime(KPTime::fromTotalSeconds(n), KPTimer::CountType::down);
            else if (verb == QLatin1String("watch"))
                timer.setTime(KPTime{}, KPTimer::CountType::up);
            else if (verb == QLatin1String("retime"))
                timer.setCurrentTime(KPTime::fromTotalSeconds(n));
            else if (verb == QLatin1String("cause"))
                recorder.setNextPauseCause(m.captured(2));
            else if (verb == QLatin1String("sleep") || verb == QLatin1String("wake"))
                recorder.sleepChanged(verb == QLatin1String("sleep"));
            else if (verb == QLatin1String("quit"))
                recorder.flush();
            else { // as the idle prompt does: the count goes back on the timer
                recorder.discardCounted(n, verb);
                const qint64 back = timer.currentTime().totalSeconds() + n;
                timer.setCurrentTime(
                    KPTime::fromTotalSeconds(std::min(back, timer.time().totalSeconds())));
            }
        }
        QCOMPARE(told.join(QLatin1String(" | ")), kept);
        QStringList stored;
        for (const HistoryRecord& r : cycle.store.records({}, {}))
            stored << describe(r);
        QCOMPARE(stored, told);
    }
};

QTEST_GUILESS_MAIN(PeriodRecorderTest)
#include "PeriodRecorderTest.moc"
