#include "windows/ZKPopover.h"
#include "FakeAppDelegate.h"
#include "FakeFullScreenFocus.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "RecordedCycle.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "platform/tray/StatusItemWindow.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"
#include "tasks/KPTaskTextEditor.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "windows/ZKBreakScreen.h"
#include "windows/ZKBreakScreenPanel.h"
#include "windows/ZKTimerView.h"
#include "windows/ZKTimerWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// The popover shown in an application, driven by mouse and keyboard, the
// timer window that stands in for it, and the break screen.
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

    // Each row ends a work period, then acts on the break: what shows after
    // each step ("-" for no screen, else the state and the time it shows).
    // Escape, and a screen on each monitor, are the breaks run's.
    void theScreenFollowsTheBreak_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("inBreak"); // at the end
        QTest::newRow("shown for the break, gone at its end") << "+60 +240"
                                                              << "shortBreak 04:00|-" << false;
        QTest::newRow("skip ends the break") << "skip +60"
                                             << "-|-" << false;
        QTest::newRow("postponed for a minute") << "postpone +59 +1 +10"
                                                << "-|-|shortBreak 04:00|shortBreak 03:50" << true;
        QTest::newRow("waits while a full-screen window has the focus")
            << "full +1 free +1"
            << "-|-|-|shortBreak 04:58" << true;
        QTest::newRow("off: no screen") << "off"
                                        << "-" << true;
    }
    void theScreenFollowsTheBreak()
    {
        QFETCH(QString, script);
        QFETCH(QString, shown);
        QFETCH(bool, inBreak);
        const bool off = script == QLatin1String("off");
        Defaults::standard().setBoolean(PreferenceKeys::isShowingBreakScreen, !off);
        // The cycle's count lives as long as the process: every row gets a short break.
        Defaults::standard().setInteger(PreferenceKeys::longBreakInterval, 1000);
        bool fullScreen = script.startsWith(QLatin1String("full"));
        ManualRunLoop loop;
        RecordedCycle cycle(m_home.path() + QStringLiteral("/history.sqlite"));
        KPTimeBoxManager& manager = cycle.manager;
        KPTimer& timer = cycle.timer();
        ZKBreakScreen screen(cycle.recorder, manager, &cycle.tasks,
                             std::make_unique<FakeFullScreenFocus>(&fullScreen));
        timer.start();
        timer.finish();
        loop.runPending();
        QStringList seen;
        for (const QString& step : script.split(QLatin1Char(' '))) {
            ZKBreakScreenPanel* panel =
                screen.panels().empty() ? nullptr : screen.panels()[0].get();
            if (step == QLatin1String("skip"))
                panel->skipButton()->click();
            else if (step == QLatin1String("postpone"))
                panel->postponeButton()->click();
            else if (step == QLatin1String("free"))
                fullScreen = false;
            else if (step.startsWith(QLatin1Char('+')))
                loop.advance(std::chrono::seconds(step.mid(1).toInt()));
            loop.runPending();
            if (screen.panels().empty()) {
                seen << QStringLiteral("-");
                continue;
            }
            panel = screen.panels()[0].get();
            QVERIFY(panel->isVisible());
            const QList<QLabel*> labels = panel->findChildren<QLabel*>();
            QCOMPARE(labels.last()->text(), QStringLiteral("Next: Write"));
            seen << KPTimeBoxManager::rawValue(manager.state()) + QLatin1Char(' ') +
                        labels[1]->text();
        }
        QCOMPARE(seen.join(QLatin1Char('|')), shown);
        QCOMPARE(manager.state() == KPTimeBoxManager::State::shortBreak, inBreak);
        QVERIFY(timer.state() == KPTimer::State::active);
    }
};

QTEST_MAIN(ZKPopoverTest)
#include "ZKPopoverTest.moc"
