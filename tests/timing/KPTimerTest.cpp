#include "timing/KPTimer.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "timing/KPTimerDelegate.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

// Writes the delegate's calls into the same log as the fake sounds, so the
// order of calls and sounds can be read together.
class RecordingDelegate : public KPTimerDelegate
{
public:
    explicit RecordingDelegate(QStringList* log) : m_log(log) {}

    void timerDidChangeState(KPTimer* timer) override
    {
        m_log->append(timer->state() == KPTimer::State::active ? "active" : "inactive");
    }
    void timerDidFinish(KPTimer*) override { m_log->append("finish"); }
    void timerDidRepeatAlarm(KPTimer*) override { m_log->append("repeat"); }
    void timerDidChangeTime(KPTimer*) override {}
    void timerDidChangeHoursVisibility(KPTimer*) override {}

private:
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
    };

private Q_SLOTS:
    // A pause keeps the part of the second that remained; a new time starts
    // a whole second.
    void secondsAcrossPausesAndNewTimes()
    {
        Fixture f({0, 25, 0});
        f.timer.start();
        f.loop.advance(1700ms); // shows 0:24:59 since T+1; 0:24:59.3 really remains
        f.timer.pause();
        f.loop.advance(1h);
        f.timer.start();
        f.loop.advance(900ms);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 24, 59}));
        f.loop.advance(100ms);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 24, 58}));
        f.loop.advance(500ms);
        f.timer.setTime({0, 5, 0}, KPTimer::CountType::down);
        f.loop.advance(999ms);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 5, 0}));
        f.loop.advance(1ms);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 4, 59}));
    }

    void toggleRule()
    {
        Fixture f({0, 0, 2});
        f.timer.setAlarmLoops(false);
        f.timer.toggle();
        f.loop.advance(2s);
        QCOMPARE(f.timer.currentTime(), KPTime{});
        f.timer.toggle(); // finished countdown: rewind, stay paused
        QCOMPARE(f.timer.state(), KPTimer::State::inactive);
        QCOMPARE(f.timer.currentTime(), (KPTime{0, 0, 2}));
        f.timer.setTime({}, KPTimer::CountType::up); // a new time starts a paused timer
        QCOMPARE(f.timer.state(), KPTimer::State::active);
        f.timer.pause();
        f.timer.toggle(); // a stopwatch at zero has nothing to rewind: it starts
        QCOMPARE(f.timer.state(), KPTimer::State::active);
    }

    // However the countdown reaches its end, it ends once: the alarm (or its
    // loop), then paused, the ticking stopped, the end reported, 0:00:00 shown.
    void theEndOfTheCountdown_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("looping");
        QTest::newRow("reaching zero") << "tick" << false;
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
        const QStringList end = {"inactive", "KPTickingSound stop", "finish"};
        const QStringList rings = {"repeat", "Blow play", "repeat", "Blow play"};
        QCOMPARE(f.take(), looping ? end + rings : QStringList{"Blow play"} + end);
        QCOMPARE(f.timer.currentTime(), KPTime{});
        QCOMPARE(f.loop.repeatingTimerCount(), 0);
        f.timer.reset(); // stops a looping alarm
        f.loop.advance(10s);
        QVERIFY(!f.take().contains("Blow play"));
    }

    // Counting down borrows and stops at zero; counting up carries. Times keep
    // the fields they were given: {0, 1, 0} is not {0, 0, 60}.
    void arithmetic()
    {
        // The start, the seconds to add (negative: to subtract), the result.
        const std::tuple<KPTime, qint64, KPTime> cases[] = {
            {{1, 0, 0}, -1, {0, 59, 59}}, {{0, 10, 5}, -190, {0, 6, 55}},
            {{0, 0, 5}, -10, {0, 0, 0}},  {{0, 0, 90}, -10, {0, 0, 80}},
            {{0, 59, 59}, 1, {1, 0, 0}},  {{0, 0, 90}, 0, {0, 1, 30}}};
        for (auto [time, n, expected] : cases) {
            if (n < 0)
                time.subtract(-n);
            else
                time.add(n);
            QCOMPARE(time, expected);
            QCOMPARE(time.isZero(), expected.totalSeconds() == 0);
        }
    }

    // What other programs read: the shared time, and fields as the display writes them.
    void textAndJson()
    {
        for (const auto& [value, text] : {std::pair<qint64, QString>{9, "09"}, {10, "10"}})
            QCOMPARE(KPTime::twoDigitString(value), text);
        QCOMPARE(KPTime({0, 25, 0}).toJson(),
                 QByteArray(R"({"hours":0,"minutes":25,"seconds":0})"));
        QCOMPARE(KPTime::fromJson(KPTime{1, 2, 90}.toJson()), std::optional(KPTime{1, 2, 90}));
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
