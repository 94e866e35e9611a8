#include "timing/KPTimeBoxManager.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "app/PreferenceKeys.h"
#include "platform/Defaults.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimeBoxManagerDelegate.h"
#include "timing/KPTimer.h"
#include "timing/KPTimerDelegate.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

QString colorName(const QColor& c)
{
    if (c == KPTimeBoxManager::colorFor(KPTimeBoxManager::State::work))
        return "red";
    if (c == KPTimeBoxManager::colorFor(KPTimeBoxManager::State::shortBreak))
        return "blue";
    if (c == KPTimeBoxManager::colorFor(KPTimeBoxManager::State::longBreak))
        return "purple";
    return c.name();
}

// Stands in for the menu-bar display: owns the timer, passes its end on, and
// logs what the manager does to it.
class FakeDisplay : public KPTimeBoxManager::Display, public KPTimerDelegate
{
public:
    explicit FakeDisplay(QStringList* log) : m_log(log) {}

    void setDelegate(KPTimeDisplayDelegate* delegate) override { m_delegate = delegate; }
    KPTimer* timer() const override { return m_timer.get(); }
    void setTimer(std::unique_ptr<KPTimer> timer) override
    {
        m_timer = std::move(timer);
        m_timer->setDelegate(this);
    }
    void setIndicatorColor(const QColor& color) override
    {
        m_log->append("color " + colorName(color));
    }

    void timerDidChangeTime(KPTimer*) override {}
    void timerDidChangeState(KPTimer*) override {}
    void timerDidFinish(KPTimer*) override
    {
        if (m_delegate)
            m_delegate->timeDisplayTimerDidFinish(nullptr);
    }
    void timerDidChangeHoursVisibility(KPTimer*) override {}
    void timerDidRepeatAlarm(KPTimer*) override {}

private:
    QStringList* m_log;
    KPTimeDisplayDelegate* m_delegate = nullptr;
    std::unique_ptr<KPTimer> m_timer;
};

class RecordingDelegate : public KPTimeBoxManagerDelegate
{
public:
    explicit RecordingDelegate(QStringList* log) : m_log(log) {}
    void timeBoxManagerDidChangeState(KPTimeBoxManager*, KPTimeBoxManager::State state) override
    {
        m_log->append("state " + KPTimeBoxManager::rawValue(state));
    }
    void timeBoxManagerDidChangeCycleCount(KPTimeBoxManager*, qint64 count) override
    {
        m_log->append("cycles " + QString::number(count));
    }

private:
    QStringList* m_log;
};

} // namespace

class KPTimeBoxManagerTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;
    QStringList m_log;

    struct Setup
    {
        explicit Setup(QStringList* log) : display(log), delegate(log)
        {
            manager.setDelegate(&delegate);
            manager.setMenuBarTimeDisplay(&display);
        }
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeDisplay display;
        RecordingDelegate delegate;
        KPTimeBoxManager manager;
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
    void init()
    {
        m_home.reset();
        m_log.clear();
    }

    void launchState()
    {
        Setup s(&m_log);
        QCOMPARE(m_log, QStringList{"color red"});
        QCOMPARE(s.manager.state(), KPTimeBoxManager::State::work);
        QCOMPARE(s.timer().state(), KPTimer::State::inactive);
        QCOMPARE(s.timer().currentTime(), (KPTime{0, 25, 0}));
        QVERIFY(!s.timer().alarmLoops());
    }

    void cycleSequence_data()
    {
        QTest::addColumn<qint64>("interval"); // -1: nothing stored
        QTest::addColumn<int>("periods");
        QTest::newRow("default") << qint64(-1) << 5;
        QTest::newRow("every period") << qint64(1) << 3;
        QTest::newRow("negative acts as magnitude") << qint64(-2) << 4;
        QTest::newRow("zero falls back to 4") << qint64(0) << 5;
    }
    void cycleSequence()
    {
        QFETCH(qint64, interval);
        QFETCH(int, periods);
        if (interval != -1)
            store(PreferenceKeys::longBreakInterval, interval);
        store(PreferenceKeys::workLength, 3);
        store(PreferenceKeys::shortBreakLength, 2);
        store(PreferenceKeys::longBreakLength, 4);
        Setup s(&m_log);
        // The count is process-wide: earlier rows have added to it.
        const qint64 base = KPTimeBoxManager::cyclesSinceLaunch();
        for (int i = 0; i < periods; ++i) {
            m_log.clear();
            s.finishPeriod(); // work ends
            const QString next = KPTimeBoxManager::rawValue(s.manager.state());
            // Counts that are a multiple of the interval get the long break.
            const qint64 n = base + i + 1;
            const qint64 i0 = interval == 0 || interval == -1 ? 4 : qAbs(interval);
            QCOMPARE(next, n % i0 == 0 ? QString("longBreak") : QString("shortBreak"));
            QCOMPARE(m_log,
                     (QStringList{"state " + next,
                                  "color " + QString(next == "longBreak" ? "purple" : "blue"),
                                  "cycles " + QString::number(n)}));
            QCOMPARE(s.timer().state(), KPTimer::State::active); // the break runs by itself
            m_log.clear();
            s.finishPeriod(); // break ends: state only, no count
            QCOMPARE(m_log, (QStringList{"state work", "color red"}));
            QCOMPARE(s.timer().time(), (KPTime{0, 0, 3}));
        }
    }

    void lengthsAreReadAtEachUse_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("3000") << QByteArray("3000") << qint64(3000);
        QTest::newRow("string") << QByteArray("\"3000\"") << qint64(1500);
    }
    void lengthsAreReadAtEachUse()
    {
        QFETCH(QByteArray, stored);
        QFETCH(qint64, seconds);
        store(PreferenceKeys::shortBreakLength, 1);
        Setup s(&m_log);
        s.finishPeriod(); // work
        m_home.writeStandardFile("{\"shortBreakLength\": 1, \"workLength\": " + stored + "}");
        s.finishPeriod(); // short break ends; the next work period reads the store now
        QCOMPARE(s.timer().time(), KPTime::fromTotalSeconds(seconds));
        QCOMPARE(s.timer().state(), KPTimer::State::active);
    }

    void resetDuringABreakKeepsIt()
    {
        store(PreferenceKeys::workLength, 2);
        store(PreferenceKeys::longBreakInterval, 1000000);
        Setup s(&m_log);
        s.finishPeriod();
        QCOMPARE(s.manager.state(), KPTimeBoxManager::State::shortBreak);
        s.loop.advance(30s);
        s.timer().reset();
        QCOMPARE(s.manager.state(), KPTimeBoxManager::State::shortBreak);
        QCOMPARE(s.timer().currentTime(), (KPTime{0, 5, 0}));
        QCOMPARE(s.timer().state(), KPTimer::State::inactive);
    }

    void rawValues()
    {
        for (auto state : {KPTimeBoxManager::State::work, KPTimeBoxManager::State::shortBreak,
                           KPTimeBoxManager::State::longBreak})
            QCOMPARE(KPTimeBoxManager::fromRawValue(KPTimeBoxManager::rawValue(state)), state);
        QVERIFY(!KPTimeBoxManager::fromRawValue("Work"));
        QVERIFY(!KPTimeBoxManager::fromRawValue(""));
    }

    void withoutDisplayTheStateStillMoves()
    {
        RecordingDelegate delegate(&m_log);
        KPTimeBoxManager manager;
        manager.setDelegate(&delegate);
        const qint64 before = KPTimeBoxManager::cyclesSinceLaunch();
        manager.timeDisplayTimerDidFinish(nullptr);
        QCOMPARE(KPTimeBoxManager::cyclesSinceLaunch(), before + 1);
        QCOMPARE(m_log.size(), 2);
        QCOMPARE(m_log.first(), "state " + KPTimeBoxManager::rawValue(manager.state()));
    }
};

QTEST_GUILESS_MAIN(KPTimeBoxManagerTest)
#include "KPTimeBoxManagerTest.moc"
