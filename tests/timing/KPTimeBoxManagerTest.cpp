#include "timing/KPTimeBoxManager.h"
#include "FakeSound.h"
#include "FakeTimeDisplay.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QTest>

using State = KPTimeBoxManager::State;

class KPTimeBoxManagerTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

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

QTEST_GUILESS_MAIN(KPTimeBoxManagerTest)
#include "KPTimeBoxManagerTest.moc"
