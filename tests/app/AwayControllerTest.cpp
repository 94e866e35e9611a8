#include "timing/AwayController.h"
#include "FakeLogind.h"
#include "FakeSound.h"
#include "FakeTimeDisplay.h"
#include "ManualRunLoop.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "platform/session/BusIdleTime.h"
#include "platform/session/SessionWatcher.h"
#include "timing/PreferenceKeys.h"
#include "windows/ZKIdlePromptWindow.h"

#include <QApplication>
#include <QDBusMessage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono;

namespace {

QString sessionBusAddress;
QString systemBusAddress;

class FakeScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    int asked = 0;
    uint idleSeconds = 0;

public Q_SLOTS:
    Q_SCRIPTABLE bool GetActive() { return ++asked, false; }
    Q_SCRIPTABLE uint GetSessionIdleTime() { return idleSeconds; }
};

// No input since lastInput, on the test's clock.
class FakeIdleTime : public IdleTime
{
public:
    RunLoop::Instant lastInput{};
    bool isAvailable() const override { return true; }
    void query(Answer answer) override
    {
        answer(duration_cast<milliseconds>(RunLoop::main().now() - lastInput));
    }
};

} // namespace

class AwayControllerTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;
    QDBusConnection m_system{QString()};
    QDBusConnection m_session{QString()};
    FakeLogind m_logind;
    FakeScreenSaver m_screenSaver;

    // A 60-second work period and the controller, its watcher following both buses.
    struct Fixture
    {
        explicit Fixture(AwayControllerTest& test, IdleTime* idle = nullptr)
            : reads(test.m_logind.session.reads), asked(test.m_screenSaver.asked),
              away(manager, watcher, idle)
        {
            watcher.start();
        }
        KPTimer& timer() { return *display.timer(); }

        const int reads;
        const int asked;
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeTimeDisplay display;
        KPTimeBoxManager manager;
        const bool hasTimer = (manager.setMenuBarTimeDisplay(&display), true); // before away
        SessionWatcher watcher;
        AwayController away;
    };

    // Both buses have heard the watcher's matches: it asked for what they watch.
    bool following(const Fixture& f) const
    {
        return m_logind.session.reads > f.reads && m_screenSaver.asked > f.asked;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_system = QDBusConnection::connectToBus(systemBusAddress, "fake-system");
        m_session = QDBusConnection::connectToBus(sessionBusAddress, "fake-session");
        QVERIFY(m_logind.serve(m_system));
        QVERIFY(m_session.registerService("org.freedesktop.ScreenSaver"));
        QVERIFY(m_session.registerObject("/org/freedesktop/ScreenSaver", &m_screenSaver,
                                         QDBusConnection::ExportScriptableSlots));
    }

    void init()
    {
        m_home.reset();
        Defaults::standard().setInteger(PreferenceKeys::workLength, 60);
    }

    // A signal that the user went away, time passing, and one that they are back.
    void awayAndBack_data()
    {
        QTest::addColumn<bool>("pausing");
        QTest::addColumn<QString>("messages"); // away, back
        QTest::addColumn<int>("awaySeconds");
        QTest::addColumn<bool>("tickedBeforeBack");
        QTest::addColumn<int>("remaining"); // -1: the period ran out
        QTest::addColumn<int>("endedAway");
        QTest::newRow("logind hint") << true << "LockedHint UnlockedHint" << 5 << true << 50 << 0;
        QTest::newRow("screensaver") << true << "ActiveChanged" << 5 << true << 50 << 0;
        QTest::newRow("unlock unheard") << true << "Lock Lock" << 5 << true << 50 << 0;
        QTest::newRow("lock, switch off") << false << "Lock Unlock" << 5 << true << 45 << 0;
        QTest::newRow("sleep") << true << "Sleep Wake" << 1800 << false << 50 << 0;
        QTest::newRow("ran out, woke first") << false << "Sleep Wake" << 1800 << false << -1 << 1;
        QTest::newRow("ran out, ticked first") << false << "Sleep Wake" << 1800 << true << -1 << 1;
        QTest::newRow("short nap") << false << "Sleep Wake" << 30 << false << 20 << 0;
    }
    void awayAndBack()
    {
        QFETCH(bool, pausing);
        QFETCH(QString, messages);
        QFETCH(int, awaySeconds);
        QFETCH(bool, tickedBeforeBack);
        QFETCH(int, remaining);
        QFETCH(int, endedAway);
        Defaults::standard().setBoolean(PreferenceKeys::isPausingWhenLocked, pausing);
        Fixture f(*this);
        QTRY_VERIFY(following(f));
        f.timer().start();
        f.loop.advance(seconds(10));
        QSignalSpy locks(&f.watcher, &SessionWatcher::lockChanged);
        QSignalSpy sleeps(&f.watcher, &SessionWatcher::sleepChanged);
        QStringList causes; // told while the timer still runs, for the history to note
        connect(&f.away, &AwayController::pausingFor, this, [&](const QString& cause) {
            causes << cause + (f.timer().state() == KPTimer::State::active ? " before" : "");
        });
        QSignalSpy ended(&f.away, &AwayController::periodEndedAway);
        const auto send = [&](bool away) {
            if (messages != "ActiveChanged")
                return m_logind.send(messages.split(' ')[away ? 0 : 1]);
            return m_session.send(QDBusMessage::createSignal("/org/freedesktop/ScreenSaver",
                                                             "org.freedesktop.ScreenSaver",
                                                             messages)
                                  << away);
        };
        QVERIFY(send(true));
        QTRY_COMPARE(locks.count() + sleeps.count(), 1);
        const QString cause = messages.startsWith("Sleep") ? "suspend before" : "lock before";
        QCOMPARE(causes, pausing ? QStringList{cause} : QStringList());
        QCOMPARE(f.away.pauseNote().isEmpty(), !pausing);
        f.loop.jump(seconds(awaySeconds));
        if (tickedBeforeBack)
            f.loop.runPending();
        QVERIFY(send(false));
        QTRY_COMPARE(locks.count() + sleeps.count(), 2);
        f.loop.runPending();
        QCOMPARE(ended.count(), endedAway);
        QCOMPARE(f.manager.state(), remaining < 0 ? KPTimeBoxManager::State::shortBreak
                                                  : KPTimeBoxManager::State::work);
        if (remaining >= 0)
            QCOMPARE(f.timer().currentTime().totalSeconds(), remaining);
        QCOMPARE(f.timer().state(), pausing ? KPTimer::State::inactive : KPTimer::State::active);
        f.timer().start();
        QCOMPARE(f.away.pauseNote(), "");
        if (pausing) { // and away again
            QVERIFY(send(true));
            QTRY_COMPARE(f.timer().state(), KPTimer::State::inactive);
        }
    }

    // Twelve minutes without input in a work period, then the user's answer.
    void idleReturnIsAsked_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("remaining");
        QTest::newRow("keep") << "Keep as Work" << 690;
        QTest::newRow("discard") << "Discard" << 690 + 720;
    }
    void idleReturnIsAsked()
    {
        QFETCH(QString, answer);
        QFETCH(int, remaining);
        Defaults::standard().setInteger(PreferenceKeys::workLength, 1500);
        Defaults::standard().setInteger(PreferenceKeys::idlePromptMinutes, 5);
        FakeIdleTime idle;
        Fixture f(*this, &idle);
        ZKIdlePromptWindow window(nullptr, f.away);
        QSignalSpy discarded(&f.away, &AwayController::countedDiscarded);
        f.timer().start();
        QCOMPARE(f.loop.repeatingTimerCount(), 1); // the tick's alone
        f.loop.advance(seconds(60));
        idle.lastInput = f.loop.now();
        f.loop.advance(minutes(12));
        QVERIFY(window.isHidden());
        idle.lastInput = f.loop.now();
        f.loop.advance(AwayController::idlePollInterval);
        QVERIFY(window.isVisible());
        QCOMPARE(window.questionLabel()->text(), "You were away 12 minutes.");
        (answer == "Discard" ? window.discardButton() : window.keepButton())->click();
        QVERIFY(window.isHidden());
        QCOMPARE(f.timer().currentTime().totalSeconds(), remaining);
        QCOMPARE(discarded.count(), answer == "Discard" ? 1 : 0);
        if (answer == "Discard")
            QCOMPARE(discarded.first(), (QVariantList{qint64(720), "idle"}));
    }

    void idleTimeFromTheSessionBus()
    {
        ManualRunLoop loop;
        BusIdleTime idle;
        QTRY_VERIFY(idle.isAvailable());
        m_screenSaver.idleSeconds = 420;
        std::optional<milliseconds> told;
        idle.query([&told](std::optional<milliseconds> ms) { told = ms; });
        QTRY_COMPARE(told, std::optional<milliseconds>(seconds(420)));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PrivateSessionBus sessionBus;
    PrivateSessionBus systemBus;
    sessionBusAddress = sessionBus.address();
    systemBusAddress = systemBus.address();
    if (sessionBusAddress.isEmpty() || systemBusAddress.isEmpty())
        return skipReturnCode;
    qputenv("DBUS_SESSION_BUS_ADDRESS", sessionBusAddress.toUtf8());
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", systemBusAddress.toUtf8());
    SdBusConnection shared;
    shared.shareAsSession();
    AwayControllerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AwayControllerTest.moc"
