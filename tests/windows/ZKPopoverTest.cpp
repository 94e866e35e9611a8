#include "windows/ZKPopover.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "menus/ZKMenu.h"
#include "platform/ManualRunLoop.h"
#include "platform/SystemStyle.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskTextEditor.h"
#include "timing/KPTimer.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;
using State = KPTimeBoxManager::State;

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
        void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        {
            QTest::keyClick(popover->windowHandle(), Qt::Key(key), modifiers);
            loop.runPending();
        }
        QWidget* focused() const { return QApplication::focusWidget(); }
        QList<QWidget*> tabbedThrough(int presses, int key = Qt::Key_Tab)
        {
            QList<QWidget*> reached;
            for (int n = 0; n < presses; ++n) {
                press(key);
                reached << focused();
            }
            return reached;
        }
        QString stored() const { return storedDescription(); }
        KPTaskList* list() const { return popover->taskList(); }
        QWidget* table() const { return list()->tableView(); }
        QList<bool> enabled() const
        {
            return {popover->removeButton()->isEnabled(), popover->moveUpButton()->isEnabled(),
                    popover->moveDownButton()->isEnabled()};
        }
        KPTimer& timer() { return application.timer(); }

        const QRect anchor{QGuiApplication::primaryScreen()->geometry().center(), QSize(40, 24)};
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeApplicationDelegate application;
        std::optional<ZKPopover> popover;
    };

    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    void labelsFollowTheCycle()
    {
        ManualRunLoop loop;
        ZKPopover popover;
        popover.startPause(); // no application yet: nothing to do
        QVERIFY(!popover.isStartPauseOn());
        QCOMPARE(popover.cyclesLabel()->text(), QString("Cycles Since Launch: 0"));
        QCOMPARE(
            QList<bool>({popover.removeButton()->isEnabled(), popover.moveUpButton()->isEnabled()}),
            QList<bool>({false, false}));
        const std::tuple<State, QString, QColor> cases[] = {
            {State::work, "Work", SystemStyle::systemRedColor()},
            {State::shortBreak, "Short Break", SystemStyle::systemBlueColor()},
            {State::longBreak, "Long Break", SystemStyle::systemPurpleColor()}};
        for (const auto& [state, title, color] : cases) {
            popover.timeBoxManagerDidChangeState(nullptr, state);
            QCOMPARE(popover.stateLabel()->text(), title);
            QCOMPARE(popover.stateLabel()->palette().color(QPalette::WindowText), color);
        }
    }

    void finishedCycleCreditsTheFirstOpenTask()
    {
        const std::pair<QString, QString> cases[] = {{"A B", "A:2 B"}, {"", ""}, {"A* B", "A* B"}};
        for (const auto& [before, after] : cases) {
            Shown shown(before);
            shown.popover->timeBoxManagerDidChangeCycleCount(nullptr, 7);
            shown.popover->timeBoxManagerDidChangeCycleCount(nullptr, 8);
            QCOMPARE(shown.popover->cyclesLabel()->text(), QString("Cycles Since Launch: 8"));
            QStringList counted;
            for (const KPTask& task : storedTasks())
                counted << describe({task}) +
                               (task.cycleCount ? ":" + QString::number(*task.cycleCount) : "");
            QCOMPARE(counted.join(' '), after);
        }
    }

    void theToolbarActsOnTheEditedTask()
    {
        Shown shown("A B C");
        const QList<bool> expected[] = {
            {true, false, true}, {true, true, true}, {true, true, false}};
        for (int row : {0, 2, 1}) {
            shown.list()->beginEditing(row);
            QCOMPARE(shown.enabled(), expected[row]);
        }
        shown.popover->moveTaskUp();
        shown.loop.runPending();
        QCOMPARE(shown.list()->editedRow(), std::optional<int>(0));
        QCOMPARE(shown.stored(), QString("B A C"));
        QCOMPARE(shown.enabled(), expected[0]);
        shown.popover->moveTaskDown();
        shown.loop.runPending();
        QCOMPARE(shown.list()->editedRow(), std::optional<int>(1));
        QCOMPARE(shown.stored(), QString("A B C"));
    }

    void heightFollowsTheListUpToACap()
    {
        Shown shown("");
        for (int i = 0; i < 33; ++i) {
            shown.popover->addTask();
            shown.loop.runPending();
            if (i == 2)
                QCOMPARE(shown.list()->height(), shown.list()->contentHeight());
        }
        QCOMPARE(shown.popover->height(), ZKPopover::maximumHeight);
        QVERIFY(shown.list()->height() < shown.list()->contentHeight());
        // At the top of the screen there is no room to grow into.
        shown.popover->move(shown.popover->x(), shown.popover->screen()->geometry().top());
        QVERIFY(!shown.popover->taskListCanResize(shown.list()));
    }

    void playButtonFollowsTheTimer()
    {
        Shown shown("A");
        shown.popover->startPause();
        QCOMPARE(shown.timer().state(), KPTimer::State::active);
        QVERIFY(shown.popover->isStartPauseOn());
        shown.popover->startPause();
        QVERIFY(shown.timer().state() != KPTimer::State::active);
        QVERIFY(!shown.popover->isStartPauseOn());
        QCOMPARE(shown.popover->startPauseButton()->accessibleName(), QString("Resume Timer"));
        shown.timer().toggle(); // started from the tray: shown again, the button knows
        shown.popover->close();
        shown.popover->showRelativeToRect(shown.anchor);
        QVERIFY(shown.popover->isStartPauseOn());
        QCOMPARE(shown.popover->startPauseButton()->accessibleName(), QString("Pause Timer"));
    }

    void settingsButtonPopsUpTheMenu()
    {
        Shown shown("A");
        ZKMenu menu;
        shown.application.givenMenu = &menu;
        shown.popover->settingsButton()->click();
        QVERIFY(menu.isVisible());
    }

    void tabGoesThroughTheControlsInOrder()
    {
        Shown shown("A B C");
        ZKPopover& popover = *shown.popover;
        QVERIFY(!popover.tabOrder().contains(shown.focused()));
        const QList<QWidget*> round = {popover.startPauseButton(), shown.table(),
                                       popover.addButton(), popover.settingsButton(),
                                       popover.startPauseButton()};
        QCOMPARE(shown.tabbedThrough(5), round);
        QCOMPARE(shown.tabbedThrough(1, Qt::Key_Backtab), {popover.settingsButton()});
        // From the edited task Tab reaches the controls that act on it; the
        // edit stays open until the focus leaves them.
        shown.list()->beginEditing(1);
        QTest::keyClicks(shown.list()->editor(), "x");
        const QList<QWidget*> editing = {popover.addButton(), popover.removeButton(),
                                         popover.moveUpButton(), popover.moveDownButton()};
        QCOMPARE(shown.tabbedThrough(4), editing);
        QCOMPARE(shown.list()->editedRow(), std::optional<int>(1));
        QCOMPARE(shown.tabbedThrough(1), {popover.settingsButton()});
        QCOMPARE(shown.list()->editedRow(), std::nullopt);
        QCOMPARE(shown.stored(), QString("A x C"));
    }

    void keysPressTheFocusedControl()
    {
        Shown shown("A B C");
        ZKPopover& popover = *shown.popover;
        shown.press(Qt::Key_Tab);
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.timer().state(), KPTimer::State::active);
        shown.press(Qt::Key_Space);
        QCOMPARE(shown.timer().state(), KPTimer::State::inactive);
        shown.press(Qt::Key_Tab); // the list: Space checks off, Return edits
        shown.press(Qt::Key_Down);
        shown.press(Qt::Key_Space);
        QCOMPARE(shown.stored(), QString("A C B*"));
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.focused(), shown.list()->editor());
        shown.press(Qt::Key_Escape); // gives the edit up, the popover stays
        QCOMPARE(shown.list()->editedRow(), std::nullopt);
        QCOMPARE(shown.focused(), shown.table());
        shown.list()->beginEditing(1);
        shown.tabbedThrough(3);
        QCOMPARE(shown.focused(), popover.moveUpButton());
        shown.press(Qt::Key_Return); // at the top, Up goes off: back to the text
        QCOMPARE(shown.stored(), QString("C A B*"));
        QCOMPARE(shown.focused(), shown.list()->editor());
        shown.tabbedThrough(2);
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.stored(), QString("A B*"));
        QCOMPARE(shown.focused(), popover.settingsButton());
        shown.tabbedThrough(3); // Add: a new task, open for typing
        QCOMPARE(shown.focused(), popover.addButton());
        shown.press(Qt::Key_Return);
        QTest::keyClicks(shown.focused(), "New");
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.stored(), QString("A New B*"));
    }

    void escapeClosesAndTabStartsOver()
    {
        Shown shown("A");
        QSignalSpy closed(&*shown.popover, &ZKPopover::popoverDidClose);
        shown.press(Qt::Key_Escape);
        QVERIFY(!shown.popover->isVisible());
        QCOMPARE(closed.count(), 1);
        shown.popover->showRelativeToRect(shown.anchor);
        shown.press(Qt::Key_Tab);
        QCOMPARE(shown.focused(), shown.popover->startPauseButton());
    }

    void clicksLeaveTheFocusWhereItIs()
    {
        Shown shown("A B");
        shown.list()->beginEditing(1);
        QWidget* editor = shown.list()->editor();
        QTest::mouseClick(shown.popover->startPauseButton(), Qt::LeftButton);
        QCOMPARE(shown.timer().state(), KPTimer::State::active);
        QCOMPARE(shown.focused(), editor);
        QCOMPARE(shown.list()->editedRow(), std::optional<int>(1));
    }
};

QTEST_MAIN(ZKPopoverTest)
#include "ZKPopoverTest.moc"
