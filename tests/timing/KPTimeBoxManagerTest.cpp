#include "timing/KPTimeBoxManager.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "platform/ManualRunLoop.h"
#include "platform/SystemStyle.h"
#include "timing/KPTimeBoxManagerDelegate.h"
#include "timing/KPTimer.h"
#include "timing/KPTimerDelegate.h"
#include "timing/PreferenceKeys.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

// Stands in for the menu-bar display and the popover: owns the timer, passes
// its end on, and logs what the manager does to it and tells it.
class FakeDisplay : public KPTimeBoxManager::Display,
                    public KPTimerDelegate,
                    public KPTimeBoxManagerDelegate
{
public:
    QStringList log;

    void setDelegate(KPTimeDisplayDelegate* delegate) override { m_delegate = delegate; }
    KPTimer* timer() const override { return m_timer.get(); }
    void setTimer(std::unique_ptr<KPTimer> timer) override
    {
        m_timer = std::move(timer);
        m_timer->setDelegate(this);
        m_length = m_timer->time();
    }
    void setIndicatorColor(const QColor& c) override
    {
        log.append("color " + QString(c == SystemStyle::systemRedColor()      ? "red"
                                      : c == SystemStyle::systemBlueColor()   ? "blue"
                                      : c == SystemStyle::systemPurpleColor() ? "purple"
                                                                              : c.name()));
    }
    void timeBoxManagerDidChangeState(KPTimeBoxManager*, KPTimeBoxManager::State state) override
    {
        log.append("state " + KPTimeBoxManager::rawValue(state));
    }
    void timeBoxManagerDidChangeCycleCount(KPTimeBoxManager*, qint64 count) override
    {
        log.append("cycles " + QString::number(count));
    }

    // A new length, not a tick.
    void timerDidChangeTime(KPTimer* t) override
    {
        if (t->time() != std::exchange(m_length, t->time()))
            log.append("length " + QString::number(m_length.totalSeconds()));
    }
    void timerDidChangeState(KPTimer*) override {}
    void timerDidFinish(KPTimer*) override { m_delegate->timeDisplayTimerDidFinish(nullptr); }
    void timerDidChangeHoursVisibility(KPTimer*) override {}
    void timerDidRepeatAlarm(KPTimer*) override {}

private:
    KPTimeDisplayDelegate* m_delegate = nullptr;
    std::unique_ptr<KPTimer> m_timer;
    KPTime m_length;
};

} // namespace

class KPTimeBoxManagerTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;

    struct Setup
    {
        Setup()
        {
            manager.setDelegate(&display);
            manager.setMenuBarTimeDisplay(&display);
            QObject::connect(&manager, &KPTimeBoxManager::periodDidEnd,
                             [this](auto ended, auto next, qint64 length) {
                                 log.append(QStringLiteral("end %1, %2 of %3")
                                                .arg(KPTimeBoxManager::rawValue(ended),
                                                     KPTimeBoxManager::rawValue(next))
                                                .arg(length));
                             });
        }
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeDisplay display;
        KPTimeBoxManager manager;
        QStringList& log = display.log;
        KPTimer& timer() { return *display.timer(); }
        // Runs the current period to its end.
        void finishPeriod()
        {
            if (timer().state() == KPTimer::State::inactive)
                timer().start();
            loop.advance(std::chrono::seconds(timer().time().totalSeconds()));
        }
    };

    static void store(const QString& key, qint64 value)
    {
        Defaults::standard().setInteger(key, value);
    }

private Q_SLOTS:
    void init() { m_home.reset(); }

    void launchState()
    {
        Setup s;
        QCOMPARE(s.log, QStringList{"color red"});
        QCOMPARE(s.manager.state(), KPTimeBoxManager::State::work);
        QCOMPARE(s.timer().state(), KPTimer::State::inactive);
        QCOMPARE(s.timer().currentTime(), (KPTime{0, 25, 0}));
        QVERIFY(!s.timer().alarmLoops());
    }

    // The colour comes before the length, the state before the count, and
    // observers hear of the end last.
    void cycleSequence()
    {
        // The stored interval (-1: none) and the work periods to run.
        const std::pair<qint64, int> cases[] = {
            {-1, 5}, {1, 3}, {-2, 4}, {0, 5}}; // a negative acts as its magnitude; 0 as 4
        for (const auto& [interval, periods] : cases) {
            m_home.reset();
            if (interval != -1)
                store(PreferenceKeys::longBreakInterval, interval);
            store(PreferenceKeys::workLength, 3);
            store(PreferenceKeys::shortBreakLength, 2);
            store(PreferenceKeys::longBreakLength, 4);
            Setup s;
            // The count is process-wide: earlier cases have added to it.
            const qint64 base = KPTimeBoxManager::cyclesSinceLaunch();
            for (int i = 0; i < periods; ++i) {
                s.log.clear();
                s.finishPeriod(); // work ends
                // Counts that are a multiple of the interval get the long break.
                const qint64 n = base + i + 1;
                const bool isLong = n % (interval == 0 || interval == -1 ? 4 : qAbs(interval)) == 0;
                QCOMPARE(s.log,
                         (QStringList{
                             isLong ? "state longBreak" : "state shortBreak",
                             isLong ? "color purple" : "color blue",
                             isLong ? "length 4" : "length 2", "cycles " + QString::number(n),
                             isLong ? "end work, longBreak of 4" : "end work, shortBreak of 2"}));
                QCOMPARE(s.timer().state(), KPTimer::State::active); // the break runs by itself
                s.log.clear();
                s.finishPeriod(); // break ends: state only, no count
                QCOMPARE(s.log, (QStringList{"state work", "color red", "length 3",
                                             isLong ? "end longBreak, work of 3"
                                                    : "end shortBreak, work of 3"}));
            }
        }
    }

    void lengthsAreReadAtEachUse()
    {
        // Stored for the work period during a break, and the length it then gets.
        // A length of no time, or less, would ring ten times a second: the default stands in.
        for (const auto& [stored, seconds] : {std::pair("3000", 3000),
                                              {"\"3000\"", 1500},
                                              {"0", 1500},
                                              {"-60", 1500},
                                              {"36000000", 35999999}}) {
            m_home.reset();
            store(PreferenceKeys::shortBreakLength, 1);
            Setup s;
            s.finishPeriod(); // work
            m_home.writeStandardFile(QByteArray("{\"shortBreakLength\": 1, \"workLength\": ") +
                                     stored + "}");
            s.finishPeriod(); // short break ends; the next work period reads the store now
            QCOMPARE(s.timer().time(), KPTime::fromTotalSeconds(seconds));
            QCOMPARE(s.timer().state(), KPTimer::State::active);
        }
    }

    void resetDuringABreakKeepsIt()
    {
        store(PreferenceKeys::workLength, 2);
        store(PreferenceKeys::longBreakInterval, 1000000);
        Setup s;
        s.finishPeriod();
        QCOMPARE(s.manager.state(), KPTimeBoxManager::State::shortBreak);
        s.loop.advance(30s);
        s.timer().reset();
        QCOMPARE(s.manager.state(), KPTimeBoxManager::State::shortBreak);
        QCOMPARE(s.timer().currentTime(), (KPTime{0, 5, 0}));
        QCOMPARE(s.timer().state(), KPTimer::State::inactive);
    }
};

QTEST_GUILESS_MAIN(KPTimeBoxManagerTest)
#include "KPTimeBoxManagerTest.moc"
