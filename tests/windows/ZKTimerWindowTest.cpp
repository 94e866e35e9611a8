#include "windows/ZKTimerWindow.h"
#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "platform/tray/StatusItemWindow.h"
#include "tasks/KPTaskManager.h"
#include "timing/KPTimer.h"
#include "windows/ZKPopover.h"
#include "windows/ZKTimerView.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>

// The timer window as the user meets it: its buttons, its task, its place.
class ZKTimerWindowTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    void buttonsDoWhatThePopoversDo()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate application;
        ZKPopover popover;
        application.givenPopover = &popover;
        KPTaskManager tasks;
        tasks.addTask(false);
        tasks.renameTask(0, "Write the report");
        ZKTimerWindow window(*application.menuBarTimeDisplay(), &tasks, Defaults::standard());
        window.setShown(true);
        ZKTimerView* view = window.view();

        QTest::mouseClick(view->startPauseButton(), Qt::LeftButton);
        QCOMPARE(application.timer().state(), KPTimer::State::active);
        QCOMPARE(view->startPauseButton()->accessibleName(), QString("Pause Timer"));
        popover.startPause(); // the popover's button pauses what the window started
        QCOMPARE(view->startPauseButton()->accessibleName(), QString("Resume Timer"));

        QTest::mouseClick(view->skipButton(), Qt::LeftButton); // as the item's Skip
        loop.runPending();
        QCOMPARE(application.timeBoxManager()->state(), KPTimeBoxManager::State::shortBreak);
        tasks.renameTask(0, "Send it");
        QCOMPARE(view->taskLabel()->accessibleName(), QString("Current task: Send it"));
    }

    void placeAndTopAreKept()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate application;
        const QPoint moved(100, 120);
        {
            ZKTimerWindow window(*application.menuBarTimeDisplay(), nullptr, Defaults::standard());
            window.setShown(true);
            QVERIFY(!window.isKeptOnTop());
            window.keepOnTopItem()->trigger();
            window.window()->move(moved); // as a drag leaves it
            loop.advance(std::chrono::seconds(1));
        }
        ZKTimerWindow again(*application.menuBarTimeDisplay(), nullptr, Defaults::standard());
        again.setShown(true);
        QCOMPARE(again.window()->pos(), moved);
        QVERIFY(again.isKeptOnTop());
        QVERIFY(again.keepOnTopItem()->isChecked());
    }
};

QTEST_MAIN(ZKTimerWindowTest)
#include "ZKTimerWindowTest.moc"
