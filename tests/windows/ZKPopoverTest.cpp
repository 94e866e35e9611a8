#include "windows/ZKPopover.h"
#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "platform/tray/StatusItemWindow.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"
#include "tasks/KPTaskTextEditor.h"
#include "timing/KPTimer.h"
#include "windows/ZKTimerView.h"
#include "windows/ZKTimerWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>

// The popover shown in an application, driven by mouse and keyboard, and the
// timer window that stands in for it.
class ZKPopoverTest : public QObject
{
    Q_OBJECT

    struct Shown
    {
        explicit Shown(const QString& tasks)
        {
            storeTasks(parseTasks(tasks));
            popover.emplace();
            application.givenPopover = &*popover;
            popover->showRelativeToRect(anchor);
            loop.runPending();
        }
        // Pressed where the keyboard is, as the window system delivers it.
        void press(int key)
        {
            QTest::keyClick(popover->windowHandle(), Qt::Key(key));
            loop.runPending();
        }
        QWidget* focused() const { return QApplication::focusWidget(); }
        void tab(int presses)
        {
            while (presses--)
                press(Qt::Key_Tab);
        }
        KPTaskList* list() const { return popover->taskList(); }
        KPTimer& timer() { return application.timer(); }

        const QRect anchor{QGuiApplication::primaryScreen()->geometry().center(), QSize(40, 24)};
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate application;
        std::optional<ZKPopover> popover;
    };

    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    // Crediting the first task at a period's end is the popover run's.
    void followsTheTimer()
    {
        Shown shown("A");
        shown.timer().toggle(); // started from the tray: shown again, the button knows
        shown.popover->close();
        shown.popover->showRelativeToRect(shown.anchor);
        QVERIFY(shown.popover->isStartPauseOn());
        QCOMPARE(shown.popover->startPauseButton()->accessibleName(), QString("Pause Timer"));
    }

    // Why the timer was paused stands, unshortened, in place of the period's name.
    void pauseNoteStandsForTheTitle()
    {
        Shown shown("A");
        QLabel* label = shown.popover->stateLabel();
        for (const QString note : {"Paused: screen locked", "Paused: went to sleep"}) {
            shown.popover->setPauseNote(note);
            QCOMPARE(label->text(), note);
        }
        shown.popover->setPauseNote(QString());
        QCOMPARE(label->text(), "Work");
    }

    void keysPressTheFocusedControl()
    {
        Shown shown("A B C");
        shown.press(Qt::Key_Tab);
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.timer().state(), KPTimer::State::active);
        shown.press(Qt::Key_Space);
        QCOMPARE(shown.timer().state(), KPTimer::State::inactive);
        shown.press(Qt::Key_Tab); // the list: Space checks off
        shown.press(Qt::Key_Down);
        shown.press(Qt::Key_Space);
        QCOMPARE(storedDescription(), QString("A C B*"));
        shown.list()->beginEditing(1);
        shown.tab(3);
        QCOMPARE(shown.focused(), shown.popover->moveUpButton());
        shown.press(Qt::Key_Return); // at the top, Up goes off: back to the text
        QCOMPARE(storedDescription(), QString("C A B*"));
        QCOMPARE(shown.focused(), shown.list()->editor());
        shown.tab(2);
        shown.press(Qt::Key_Return);
        QCOMPARE(storedDescription(), QString("A B*"));
        QCOMPARE(shown.focused(), shown.popover->settingsButton());
    }

    // The timer window's buttons do what the popover's do; its task follows the list.
    void timerWindowButtonsDoWhatThePopoversDo()
    {
        Shown shown("Write_the_report");
        ZKTimerWindow window(*shown.application.menuBarTimeDisplay(), shown.list()->taskManager(),
                             Defaults::standard());
        window.setShown(true);
        ZKTimerView* view = window.view();
        QTest::mouseClick(view->startPauseButton(), Qt::LeftButton);
        QCOMPARE(shown.timer().state(), KPTimer::State::active);
        QCOMPARE(view->startPauseButton()->accessibleName(), QString("Pause Timer"));
        shown.popover->startPause(); // the popover's button pauses what the window started
        QCOMPARE(view->startPauseButton()->accessibleName(), QString("Resume Timer"));
        QTest::mouseClick(view->skipButton(), Qt::LeftButton); // as the item's Skip
        shown.loop.runPending();
        QCOMPARE(shown.application.timeBoxManager()->state(), KPTimeBoxManager::State::shortBreak);
        shown.list()->taskManager()->renameTask(0, "Send it");
        QCOMPARE(view->taskLabel()->accessibleName(), QString("Current task: Send it"));
    }

    void timerWindowKeepsItsPlaceAndTop()
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
        QVERIFY(again.isKeptOnTop() && again.keepOnTopItem()->isChecked());
    }
};

QTEST_MAIN(ZKPopoverTest)
#include "ZKPopoverTest.moc"
