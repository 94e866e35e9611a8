#include "timing/KPTimer.h"
#include "FakeSound.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimerDelegate.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

// Writes every delegate call into the same log as the fake sounds, so the
// order of calls and sounds can be read together.
class RecordingDelegate : public KPTimerDelegate
{
public:
    explicit RecordingDelegate(QStringList* log) : m_log(log) {}

    void timerDidChangeTime(KPTimer* timer) override { add("time ", timer->currentTime()); }
    void timerDidChangeState(KPTimer* timer) override
    {
        m_log->append(timer->state() == KPTimer::State::active ? "active" : "inactive");
    }
    void timerDidFinish(KPTimer*) override { m_log->append("finish"); }
    void timerDidChangeHoursVisibility(KPTimer* t) override
    {
        add("hours before ", t->currentTime());
    }
    void timerDidRepeatAlarm(KPTimer*) override { m_log->append("repeat"); }

private:
    void add(const char* what, const KPTime& t)
    {
        m_log->append(what + QStringLiteral("%1:%2:%3").arg(t.hours).arg(t.minutes).arg(t.seconds));
    }
    QStringList* m_log;
};

} // namespace

class KPTimerTest : public QObject
{
    Q_OBJECT

private:
    struct Fixture
    {
        explicit Fixture(const KPTime& time) : timer(time), delegate(&sounds.log)
        {
            timer.setDelegate(&delegate);
        }
        ManualRunLoop loop;
        FakeSounds sounds{1.5};
        KPTimer timer;
        RecordingDelegate delegate;
        QStringList& log = sounds.log;
        QStringList take() { return std::exchange(log, {}); }
        FakeSound* alarm() { return sounds.get(QStringLiteral("Blow")); }
        FakeSound* ticking() { return sounds.get(QStringLiteral("KPTickingSound")); }
    };

private Q_SLOTS:
    void pauseGivesBackThePartialSecond()
    {
        Fixture f({0, 25, 0});
        f.timer.start();
        f.loop.advance(1700ms); // shows 0:24:59 since T+1; 0:24:59.3 really remains
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 24, 59}));
        f.timer.pause();
        f.loop.advance(1h);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 24, 59}));
        f.timer.start();
        f.loop.advance(900ms);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 24, 59}));
        f.loop.advance(100ms);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 24, 58}));
    }

    void countsUpWithoutEnd()
    {
        Fixture f({0, 0, 0});
        f.timer.setTime({0, 0, 0}, KPTimer::CountType::up);
        QCOMPARE(f.timer.state(), KPTimer::State::active);
        f.take();
        f.loop.advance(3661s);
        QCOMPARE(f.timer.currentTime(), (KPTime{1, 1, 1}));
        const QStringList log = f.take();
        QVERIFY(!log.contains("finish"));
        QVERIFY(!log.contains("Blow play"));
        QCOMPARE(log.count("hours before 0:59:59"), 1);
        QCOMPARE(log.indexOf("hours before 0:59:59") + 1, log.indexOf("time 1:0:0"));
        QVERIFY(!f.timer.finish()); // a count-up has no end to jump to
        f.timer.reset();            // back to zero, paused
        QCOMPARE(f.timer.currentTime(), KPTime{});
        QCOMPARE(f.timer.state(), KPTimer::State::inactive);
    }

    void toggleRule()
    {
        Fixture f({0, 0, 2});
        f.timer.setAlarmLoops(false);
        f.timer.toggle();
        QCOMPARE(f.timer.state(), KPTimer::State::active);
        f.loop.advance(2s);
        QCOMPARE(f.timer.currentTime(), KPTime{});
        f.timer.toggle(); // finished countdown: rewind, stay paused
        QCOMPARE(f.timer.state(), KPTimer::State::inactive);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 0, 2}));
        f.timer.toggle();
        QCOMPARE(f.timer.state(), KPTimer::State::active);
        f.timer.toggle();
        QCOMPARE(f.timer.state(), KPTimer::State::inactive);
        f.timer.setTime({}, KPTimer::CountType::up);
        f.timer.pause();
        f.timer.toggle(); // a stopwatch at zero has nothing to rewind: it starts
        QCOMPARE(f.timer.state(), KPTimer::State::active);
    }

    void setTimeStartsAPausedTimerAndRebasesARunningOne()
    {
        Fixture f({0, 25, 0});
        f.timer.setTime({1, 0, 0}, KPTimer::CountType::down);
        QCOMPARE(f.take(),
                 (QStringList{"hours before 0:25:0", "time 1:0:0", "active", "time 1:0:0"}));
        f.loop.advance(1500ms);
        f.take();
        f.timer.setTime({0, 5, 0}, KPTimer::CountType::down);
        QCOMPARE(f.take(), (QStringList{"time 0:5:0", "KPTickingSound stop", "time 0:5:0"}));
        QCOMPARE(f.timer.state(), KPTimer::State::active);
        f.loop.advance(999ms);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 5, 0}));
        f.loop.advance(1ms);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 4, 59}));
    }

    void loopingAlarmRepeatsUntilStopped()
    {
        for (const QString stopper : {"reset", "setTime", "start"}) {
            Fixture f({0, 0, 1});
            f.timer.start();
            f.take();
            f.loop.advance(1s);
            QCOMPARE(f.timer.isLooping(), true);
            f.loop.advance(2500ms); // duration 1.5 s + 1 s
            QCOMPARE(f.take().count("Blow play"), 2);
            f.loop.advance(2450ms); // the next ring is due in 50 ms

            if (stopper == "reset")
                f.timer.reset();
            else if (stopper == "setTime")
                f.timer.setTime({0, 0, 30}, KPTimer::CountType::down);
            else
                f.timer.start();
            f.loop.advance(60ms);
            QVERIFY2(!f.log.contains("repeat"), qPrintable(stopper));
            QCOMPARE(f.alarm()->plays, 2);
            if (stopper == "start")
                continue; // running from zero: it ends again at once
            QVERIFY(!f.timer.isLooping());
            f.loop.advance(10s);
            QCOMPARE(f.alarm()->plays, 2);
        }
    }

    void tickingFollowsStateAndDirection()
    {
        Fixture f({0, 25, 0});
        FakeSound* ticking = f.ticking();
        QVERIFY(ticking);
        QCOMPARE(ticking->volume(), 0.25f);

        f.timer.setTicking(true); // paused: nothing plays
        QVERIFY(!ticking->isPlaying());
        f.timer.start();
        QVERIFY(ticking->isPlaying());
        QVERIFY(ticking->loops());
        f.timer.pause();
        QVERIFY(!ticking->isPlaying());
        f.timer.setTime({0, 0, 0}, KPTimer::CountType::up); // count-up never ticks
        QVERIFY(!ticking->isPlaying());
        f.timer.setTime({0, 1, 0}, KPTimer::CountType::down);
        QVERIFY(ticking->isPlaying());
    }

    void repeatingModeStartsOver()
    {
        Fixture f({0, 0, 2});
        f.timer.setRepeating(true);
        f.timer.start();
        f.loop.advance(4s);
        QCOMPARE(f.timer.state(), KPTimer::State::active);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 0, 2}));
        QVERIFY(!f.log.contains("finish"));
        QCOMPARE(f.alarm()->plays, 2);
    }

    // However the countdown reaches its end, it ends once: the alarm (or its
    // loop), then paused, the ticking stopped, the end reported, 0:00:00 shown.
    void theEndOfTheCountdown_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("looping");
        QTest::newRow("reaching zero") << "tick" << false;
        QTest::newRow("finish") << "finish" << false;
        QTest::newRow("woken a day late") << "late" << false;
        QTest::newRow("reaching zero, looping alarm") << "tick" << true;
        QTest::newRow("finish, looping alarm") << "finish" << true;
    }
    void theEndOfTheCountdown()
    {
        QFETCH(QString, how);
        QFETCH(bool, looping);
        Fixture f({1, 0, 0});
        f.timer.setAlarmLoops(looping);
        f.timer.start();
        f.loop.advance(how == "tick" ? 3599s : 1s); // the last second, or 0:59:59
        QCOMPARE(f.timer.currentTime(), (how == "tick" ? KPTime{0, 0, 1} : KPTime{0, 59, 59}));
        f.take();
        if (how == "finish") {
            QVERIFY(f.timer.finish());
        } else if (how == "late") {
            f.loop.jump(86400s);
            f.loop.runPending();
        } else {
            f.loop.advance(999ms);
            QVERIFY(!f.take().contains("finish"));
            f.loop.advance(1ms);
        }
        f.loop.advance(3s); // a looping alarm rings after the current event, then again
        QStringList log = f.take();
        log.removeAll("time 0:0:1"); // the last second's ticks
        const QStringList end = {"inactive", "KPTickingSound stop", "finish", "time 0:0:0"};
        const QStringList rings = {"repeat", "Blow play", "repeat", "Blow play"};
        QCOMPARE(log, looping ? end + rings : QStringList{"Blow play"} + end);
        QCOMPARE(f.loop.repeatingTimerCount(), 0);
        f.loop.advance(10s);
        if (!looping)
            QVERIFY(f.take().isEmpty());
    }

    void observersHearOfRealChangesOnly()
    {
        Fixture f({0, 25, 0});
        int states = 0;
        int times = 0;
        connect(&f.timer, &KPTimer::stateChanged, [&] { ++states; });
        connect(&f.timer, &KPTimer::currentTimeChanged, [&] { ++times; });
        f.timer.pause(); // paused already
        f.timer.start();
        f.loop.advance(3s); // thirty ticks, three new seconds
        QCOMPARE(states, 1);
        QCOMPARE(times, 3);
        f.timer.reset();
        QCOMPARE(states, 2);
        QCOMPARE(times, 4);
        f.timer.reset();
        f.timer.restart(); // the same time again
        QCOMPARE(states, 2);
        QCOMPARE(times, 4);
    }

    void worksWithoutSounds()
    {
        ManualRunLoop loop;
        Sound::setProvider([](const QString&) { return std::shared_ptr<Sound>(); });
        KPTimer timer({0, 0, 1});
        timer.setTicking(true);
        timer.start();
        loop.advance(11s); // the end, and the time of a few rings
        QCOMPARE(timer.currentTime(), KPTime{});
        QVERIFY(!timer.isLooping() || timer.state() == KPTimer::State::inactive);
        Sound::setProvider({});
    }
};

QTEST_GUILESS_MAIN(KPTimerTest)
#include "KPTimerTest.moc"
