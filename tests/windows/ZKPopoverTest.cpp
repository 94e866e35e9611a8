#include "windows/ZKPopover.h"
#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskTextEditor.h"
#include "timing/KPTimer.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>

// The popover shown in an application, driven by mouse and keyboard.
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

    void followsTheCycleAndTheTimer()
    {
        Shown shown("A");
        shown.popover->timeBoxManagerDidChangeCycleCount(nullptr, 7); // a work period counted
        QCOMPARE(storedDescription(), QString("A#1"));
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
};

QTEST_MAIN(ZKPopoverTest)
#include "ZKPopoverTest.moc"
