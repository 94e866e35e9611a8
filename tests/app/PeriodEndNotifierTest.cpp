#include "app/PeriodEndNotifier.h"
#include "FakeNotificationDesktop.h"
#include "FakeSound.h"
#include "FakeTimeDisplay.h"
#include "ManualRunLoop.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "app/Translations.h"
#include "timing/PreferenceKeys.h"

#include <QRegularExpression>
#include <QTest>

static QString busAddress;

class PeriodEndNotifierTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachEndIsShownInPlaceOfTheLast()
    {
        // No Portuguese of Portugal; English comes first and brings its plural forms.
        QCOMPARE(Translations::install({"pt-PT", "en-US", "de"}), "en");
        TemporaryStore home;
        home.reset();
        Defaults::standard().setInteger(PreferenceKeys::shortBreakLength, 90);
        KPTimeBoxManager manager;
        PeriodEndNotifier notifier(manager);
        QTest::failOnWarning(QRegularExpression(".*")); // nor without a server or a bus
        SdBusConnection none;
        PeriodEndNotifier offline(manager, none);
        manager.timeDisplayTimerDidFinish(nullptr);
        manager.timeDisplayTimerDidFinish(nullptr);
        FakeNotificationDesktop server("dunst", busAddress);
        server.holding = true;
        manager.timeDisplayTimerDidFinish(nullptr); // without a display: the end alone
        QTRY_COMPARE(server.shown.size(), 1);
        // Two more ends before the server has answered: the last one waits for
        // the answer to take the first one's place; the one between is dropped.
        manager.timeDisplayTimerDidFinish(nullptr);
        manager.timeDisplayTimerDidFinish(nullptr);
        // Every reply to what was sent so far has come back and been handled.
        SdBusConnection::session().hasOwner("x.y", std::chrono::seconds(5));
        QCoreApplication::processEvents();
        QCOMPARE(server.shown.size(), 1);
        server.release();
        QTRY_COMPARE(server.shown.size(), 2);
        server.release();
        // The switch is read at each end.
        Defaults::standard().setBoolean(PreferenceKeys::isNotifyingAtPeriodEnd, false);
        manager.timeDisplayTimerDidFinish(nullptr);
        manager.timeDisplayTimerDidFinish(nullptr);
        Defaults::standard().setBoolean(PreferenceKeys::isNotifyingAtPeriodEnd, true);
        notifier.setNextEndAway(); // ran out while the machine slept
        manager.timeDisplayTimerDidFinish(nullptr);
        QTRY_COMPARE(server.shown.size(), 3);
        const QString work = "Work period finished: Next: short break, 1 minute 30 seconds";
        QCOMPARE(server.shown,
                 (QStringList{work + ", replaces 0", work + ", replaces 41",
                              "Break ended while away: Next: work period, 25 minutes, "
                              "replaces 42"}));
        server.release();
        notifier.tellPaused(QString()); // the pause ended: nothing to tell
        notifier.tellPaused("Paused: screen locked");
        QTRY_COMPARE(server.shown.size(), 4);
        QCOMPARE(server.shown.last(),
                 "Paused: screen locked: Resume the timer when you are back., replaces 43");
        QCOMPARE(PeriodEndNotifier::describeLength(-5), "0 seconds"); // hand-edited
    }

    // The buttons run the timer's commands for the period they were offered
    // for; the body opens the popover; a closed one, or another's, does nothing.
    void actionsAnswerTheEnd()
    {
        TemporaryStore home;
        home.reset();
        Defaults::standard().setBoolean(PreferenceKeys::isStartingWorkAutomatically, false);
        FakeNotificationDesktop server("dunst", busAddress);
        server.capabilities << "actions";
        // Whatever the server said before is handled once it answers a ping.
        const auto caughtUp = [&] {
            sd_bus_message_unref(SdBusConnection::session().callAndWait(
                server.name().toUtf8().constData(), "/", "org.freedesktop.DBus.Peer",
                "Ping", std::chrono::seconds(5)));
            QCoreApplication::processEvents();
        };
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeTimeDisplay display;
        KPTimeBoxManager manager;
        manager.setMenuBarTimeDisplay(&display);
        PeriodEndNotifier notifier(manager);
        int opened = 0;
        connect(&notifier, &PeriodEndNotifier::openRequested, [&] { ++opened; });
        display.timer()->finish(); // work ends; the break runs
        QTRY_COMPARE(server.actions,
                     (QList<QStringList>{{"skip", "Skip Break", "default", "Show Zembrak"}}));
        caughtUp();
        server.tell("ActionInvoked", 8, "skip"); // another program's
        server.tell("ActionInvoked", 7, "default");
        QTRY_COMPARE(opened, 1);
        QCOMPARE(manager.state(), KPTimeBoxManager::State::shortBreak);
        server.tell("ActionInvoked", 7, "skip");
        QTRY_COMPARE(server.actions.size(), 2); // the break ended; work waits
        caughtUp();
        QCOMPARE(server.actions.last(),
                 (QStringList{"start", "Start Work", "default", "Show Zembrak"}));
        QCOMPARE(display.timer()->state(), KPTimer::State::inactive);
        server.tell("ActionInvoked", 7, "start");
        QTRY_COMPARE(display.timer()->state(), KPTimer::State::active);
        server.tell("ActionInvoked", 7, "start"); // running already: no pause
        server.tell("NotificationClosed", 7, 1u);
        server.tell("ActionInvoked", 7, "default"); // closed: no answer
        caughtUp();
        QCOMPARE(display.timer()->state(), KPTimer::State::active);
        QCOMPARE(opened, 1);
        server.capabilities = QStringList{"body"};
        display.timer()->finish();
        QTRY_COMPARE(server.actions.size(), 3);
        QCOMPARE(server.actions.last(), QStringList());
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QCoreApplication, PeriodEndNotifierTest>(argc, argv, &busAddress);
}

#include "PeriodEndNotifierTest.moc"
