#include "FakeSound.h"
#include "FakeTimeDisplay.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"
#include "timing/KPTimerDelegate.h"
#include "timing/PreferenceKeys.h"

#include <QTest>

using namespace std::chrono_literals;
using State = KPTimeBoxManager::State;

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

// The timer, its time, and the cycle of periods it runs.
class TimingTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

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

    struct Setup
    {
        Setup()
        {
            manager.setMenuBarTimeDisplay(&display);
            QObject::connect(&manager, &KPTimeBoxManager::periodDidEnd,
                             [this](State, State next, qint64 length) {
                                 log << KPTimeBoxManager::rawValue(next) + " of " +
                                            QString::number(length);
                             });
        }
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeTimeDisplay display;
        KPTimeBoxManager manager;
        QStringList& log = display.log;
        KPTimer& timer() { return *display.timer(); }
        // Runs the current period to its end, and takes the log.
        QStringList finishPeriod()
        {
            log.clear();
            if (timer().state() == KPTimer::State::inactive)
                timer().start();
            loop.advance(std::chrono::seconds(timer().time().totalSeconds()));
            return log;
        }
    };

private Q_SLOTS:
    void init() { m_home.reset(); }

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

    // The cycle of periods.

    // Each finished work period counts; counts that are a multiple of the
    // interval get the long break, and observers hear of the end after the
    // display has changed. With a start switch off, the period it governs is
    // set at its full length under its colour and waits; started, it runs.
    void cycleSequence_data()
    {
        QTest::addColumn<qint64>("interval"); // stored; -1: none
        QTest::addColumn<int>("periods");
        QTest::addColumn<bool>("breaks");
        QTest::addColumn<bool>("work");
        QTest::newRow("default interval") << qint64(-1) << 5 << true << true;
        QTest::newRow("every time") << qint64(1) << 3 << true << true;
        QTest::newRow("0: the default") << qint64(0) << 5 << true << true;
        QTest::newRow("breaks wait") << qint64(2) << 2 << false << true;
        QTest::newRow("work waits") << qint64(2) << 2 << true << false;
        QTest::newRow("both wait") << qint64(2) << 2 << false << false;
    }
    void cycleSequence()
    {
        QFETCH(qint64, interval);
        QFETCH(int, periods);
        QFETCH(bool, breaks);
        QFETCH(bool, work);
        if (interval != -1)
            Defaults::standard().setInteger(PreferenceKeys::longBreakInterval, interval);
        Defaults::standard().setInteger(PreferenceKeys::workLength, 3);
        Defaults::standard().setInteger(PreferenceKeys::shortBreakLength, 2);
        Defaults::standard().setInteger(PreferenceKeys::longBreakLength, 4);
        Defaults::standard().setBoolean(PreferenceKeys::isStartingBreaksAutomatically, breaks);
        Defaults::standard().setBoolean(PreferenceKeys::isStartingWorkAutomatically, work);
        Setup s;
        const auto waiting = [&](qint64 seconds, bool starts) {
            QCOMPARE(s.timer().state(), starts ? KPTimer::State::active : KPTimer::State::inactive);
            if (starts)
                return;
            s.loop.advance(std::chrono::milliseconds(1500)); // a waiting period stays put
            QCOMPARE(s.timer().currentTime().totalSeconds(), seconds);
        };
        // The count is process-wide: earlier rows have added to it.
        const qint64 base = KPTimeBoxManager::cyclesSinceLaunch();
        for (int i = 1; i <= periods; ++i) {
            const bool isLong =
                (base + i) % (interval == 0 || interval == -1 ? 4 : qAbs(interval)) == 0;
            QCOMPARE(s.finishPeriod(),
                     (QStringList{isLong ? "purple" : "blue",
                                  isLong ? "longBreak of 4" : "shortBreak of 2"}));
            QCOMPARE(KPTimeBoxManager::cyclesSinceLaunch(), base + i);
            waiting(isLong ? 4 : 2, breaks);
            QCOMPARE(s.finishPeriod(), (QStringList{"red", "work of 3"}));
            QCOMPARE(KPTimeBoxManager::cyclesSinceLaunch(), base + i);
            waiting(3, work);
        }
    }

    void lengthsAreReadAtEachUse()
    {
        // Stored for the work period during a break, and the length it then gets.
        // A length of no time, or less, would ring ten times a second: the default stands in.
        for (const auto& [stored, seconds] :
             {std::pair("3000", 3000), {"\"3000\"", 1500}, {"0", 1500}, {"36000000", 35999999}}) {
            m_home.reset();
            Defaults::standard().setInteger(PreferenceKeys::shortBreakLength, 1);
            Setup s;
            s.finishPeriod(); // work
            m_home.writeStandardFile(QByteArray("{\"shortBreakLength\": 1, \"workLength\": ") +
                                     stored + "}");
            s.finishPeriod(); // short break ends; the next work period reads the store now
            QCOMPARE(s.timer().time(), KPTime::fromTotalSeconds(seconds));
            QCOMPARE(s.timer().state(), KPTimer::State::active);
        }
    }

    // The end of a period is seen at zero once, and the next period at its own
    // length right after, however it ended and whatever comes in the same event.
    void theEndShowsZeroOnceThenTheNextLength_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("sameEvent");
        QTest::addColumn<QList<qint64>>("shown");
        QTest::addColumn<KPTimer::State>("state");
        const auto row = [](const char* name, const char* end, const char* sameEvent,
                            const QList<qint64>& shown, KPTimer::State state) {
            QTest::newRow(name) << QString(end) << QString(sameEvent) << shown << state;
        };
        const auto active = KPTimer::State::active, inactive = KPTimer::State::inactive;
        row("work to break", "run", "", {2, 1, 5, 0, 5}, active);
        row("preset countdown", "preset", "", {7, 6, 5, 4, 3, 2, 1, 5, 0, 5}, active);
        row("skip", "skip", "", {2, 5, 0, 5}, active);
        row("skip, then pause", "skip", "toggle", {2, 5, 0, 5}, inactive);
        row("skip, pause, start", "skip", "toggle twice", {2, 5, 0, 5, 4}, active);
    }
    void theEndShowsZeroOnceThenTheNextLength()
    {
        QFETCH(QString, end);
        QFETCH(QString, sameEvent);
        Defaults::standard().setInteger(PreferenceKeys::workLength, 3);
        Defaults::standard().setInteger(PreferenceKeys::shortBreakLength, 5);
        Defaults::standard().setInteger(PreferenceKeys::longBreakLength, 5);
        Setup s;
        QList<qint64> shown;
        QObject::connect(&s.timer(), &KPTimer::currentTimeChanged,
                         [&] { shown << s.timer().currentTime().totalSeconds(); });
        s.timer().start();
        if (end == "preset")
            s.timer().setTime(KPTime::fromTotalSeconds(7), KPTimer::CountType::down);
        s.loop.advance(std::chrono::milliseconds(1000));
        if (end == "skip")
            QVERIFY(s.timer().finish());
        else
            s.loop.advance(std::chrono::seconds(end == "preset" ? 6 : 2));
        for (int i = 0; i < (sameEvent == "toggle twice" ? 2 : sameEvent.isEmpty() ? 0 : 1); ++i)
            s.timer().toggle();
        s.loop.advance(std::chrono::milliseconds(sameEvent == "toggle twice" ? 1000 : 100));
        QTEST(shown, "shown");
        QTEST(s.timer().state(), "state");
    }
};

QTEST_GUILESS_MAIN(TimingTest)
#include "TimingTest.moc"
