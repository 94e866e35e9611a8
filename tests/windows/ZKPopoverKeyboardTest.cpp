#include "FakeSound.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "platform/ManualRunLoop.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskTextEditor.h"
#include "timing/KPTimer.h"
#include "windows/ZKPopover.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;

// The popover without a mouse: every control named for a screen reader, Tab
// through them in order, Return and Space on the focused one, Escape to close.
class ZKPopoverKeyboardTest : public QObject
{
    Q_OBJECT

    struct Shown
    {
        explicit Shown(const QString& tasks)
        {
            storeTasks(parseTasks(tasks));
            popover.emplace();
            popover->setTimerSource([this] { return &timer; });
            const QRect anchor(QGuiApplication::primaryScreen()->geometry().center(),
                               QSize(40, 24));
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
        // The tasks as saved on disk, read by a store of its own.
        QString stored() const
        {
            const QByteArray data = Defaults().data(PreferenceKeys::tasks).value_or("[]");
            return describe(KPTask::listFromJson(data).value_or(QList<KPTask>{}));
        }
        QWidget* table() const { return popover->taskList()->tableView(); }
        std::optional<int> editedRow() const { return popover->taskList()->editedRow(); }

        ManualRunLoop loop;
        FakeSounds sounds;
        KPTimer timer{KPTime{0, 25, 0}};
        std::optional<ZKPopover> popover;
    };

    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    void everyControlIsNamed()
    {
        Shown shown("A B*");
        ZKPopover& popover = *shown.popover;
        const QList<QPair<QWidget*, QString>> named = {
            {popover.startPauseButton(), "Resume Timer"},
            {popover.addButton(), "Add New Task"},
            {popover.removeButton(), "Remove Selected Task"},
            {popover.moveUpButton(), "Move Up Selected Task"},
            {popover.moveDownButton(), "Move Down Selected Task"},
            {popover.settingsButton(), "Settings"},
            {shown.table(), "Tasks"}};
        for (const auto& [widget, name] : named)
            QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
        QCOMPARE(
            QAccessible::queryAccessibleInterface(popover.stateLabel())->text(QAccessible::Name),
            QString("Work"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(popover.cyclesLabel())->text(QAccessible::Name),
            QString("Cycles Since Launch: 0"));

        // The play button says what it will do.
        popover.startPause();
        QCOMPARE(popover.startPauseButton()->accessibleName(), QString("Pause Timer"));
        popover.startPause();
        QCOMPARE(popover.startPauseButton()->accessibleName(), QString("Resume Timer"));

        // The rows read as their tasks, each with its check state.
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(shown.table())->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 2);
        const QStringList expected = {"A", "Not Completed", "B", "Completed"};
        QStringList read;
        for (int row = 0; row < 2; ++row)
            for (int column : {0, 1})
                read << table->cellAt(row, column)->text(QAccessible::Name);
        QCOMPARE(read, expected);
    }

    void tabGoesThroughTheControlsInOrder()
    {
        Shown shown("A B C");
        ZKPopover& popover = *shown.popover;
        // Nothing inside has the focus at first; the toolbar's row controls
        // are off while no task is edited.
        QVERIFY(!popover.tabOrder().contains(shown.focused()));
        const QList<QWidget*> round = {popover.startPauseButton(), shown.table(),
                                       popover.addButton(), popover.settingsButton(),
                                       popover.startPauseButton()};
        QCOMPARE(shown.tabbedThrough(5), round);
        const QList<QWidget*> back = {popover.settingsButton(), popover.addButton(), shown.table(),
                                      popover.startPauseButton()};
        QCOMPARE(shown.tabbedThrough(4, Qt::Key_Backtab), back);

        // From the task being edited Tab reaches the controls that act on it,
        // and the edit stays open until the focus leaves them.
        popover.taskList()->beginEditing(1);
        QTest::keyClicks(popover.taskList()->editor(), "x");
        const QList<QWidget*> editing = {popover.addButton(), popover.removeButton(),
                                         popover.moveUpButton(), popover.moveDownButton()};
        QCOMPARE(shown.tabbedThrough(4), editing);
        QCOMPARE(shown.editedRow(), std::optional<int>(1));
        QCOMPARE(shown.tabbedThrough(1), QList<QWidget*>{popover.settingsButton()});
        QCOMPARE(shown.editedRow(), std::nullopt);
        QCOMPARE(shown.stored(), QString("A x C")); // typed over the selected text
    }

    void returnAndSpacePressTheFocusedButton()
    {
        Shown shown("A");
        ZKPopover& popover = *shown.popover;
        shown.press(Qt::Key_Tab);
        QCOMPARE(shown.focused(), popover.startPauseButton());
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.timer.state(), KPTimer::State::active);
        QCOMPARE(popover.startPauseButton()->accessibleName(), QString("Pause Timer"));
        shown.press(Qt::Key_Space);
        QCOMPARE(shown.timer.state(), KPTimer::State::inactive);
        shown.press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shown.timer.state(), KPTimer::State::active);

        // Add: a new task, its editor open for typing.
        shown.tabbedThrough(2);
        QCOMPARE(shown.focused(), popover.addButton());
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.focused(), popover.taskList()->editor());
        QTest::keyClicks(shown.focused(), "New");
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.stored(), QString("A New"));
        QVERIFY(popover.isVisible());
    }

    void theEditedTaskIsMovedAndRemovedByKeyboard()
    {
        Shown shown("A B C");
        ZKPopover& popover = *shown.popover;
        popover.taskList()->beginEditing(2);
        shown.tabbedThrough(3);
        QCOMPARE(shown.focused(), popover.moveUpButton());
        shown.press(Qt::Key_Return); // the button keeps the keyboard: Return again moves again
        QCOMPARE(shown.stored(), QString("A C B"));
        QCOMPARE(shown.focused(), popover.moveUpButton());
        shown.press(Qt::Key_Return); // at the top, Up goes off: back to the text
        QCOMPARE(shown.stored(), QString("C A B"));
        QCOMPARE(shown.editedRow(), std::optional<int>(0));
        QCOMPARE(shown.focused(), popover.taskList()->editor());

        shown.tabbedThrough(2);
        QCOMPARE(shown.focused(), popover.removeButton());
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.stored(), QString("A B"));
        QCOMPARE(shown.editedRow(), std::nullopt);
        QCOMPARE(shown.focused(), popover.settingsButton()); // the next control still on
    }

    void theTaskListTakesReturnSpaceAndArrows()
    {
        Shown shown("A B");
        ZKPopover& popover = *shown.popover;
        shown.tabbedThrough(2);
        QCOMPARE(shown.focused(), shown.table());
        shown.press(Qt::Key_Down);
        shown.press(Qt::Key_Space); // checks the current row's task off
        QCOMPARE(shown.stored(), QString("A B*"));
        shown.press(Qt::Key_Up);
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.editedRow(), std::optional<int>(0));
        QCOMPARE(shown.focused(), popover.taskList()->editor());
        shown.press(Qt::Key_Escape); // gives the edit up, the popover stays
        QCOMPARE(shown.editedRow(), std::nullopt);
        QVERIFY(popover.isVisible());
        QCOMPARE(shown.focused(), shown.table());
    }

    void escapeCloses_data()
    {
        QTest::addColumn<int>("tabs");
        QTest::newRow("nothing focused") << 0;
        QTest::newRow("the play button") << 1;
        QTest::newRow("the task list") << 2;
        QTest::newRow("the settings button") << 4;
    }
    void escapeCloses()
    {
        QFETCH(int, tabs);
        Shown shown("A");
        QSignalSpy closed(&*shown.popover, &ZKPopover::popoverDidClose);
        shown.tabbedThrough(tabs);
        shown.press(Qt::Key_Escape);
        QVERIFY(!shown.popover->isVisible());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(shown.timer.state(), KPTimer::State::inactive);

        // Shown again, the first Tab starts over at the play button.
        shown.popover->showRelativeToRect(QRect(QPoint(500, 0), QSize(40, 24)));
        shown.press(Qt::Key_Tab);
        QCOMPARE(shown.focused(), shown.popover->startPauseButton());
    }

    void clicksLeaveTheFocusWhereItIs()
    {
        Shown shown("A B");
        ZKPopover& popover = *shown.popover;
        popover.taskList()->beginEditing(1);
        QWidget* editor = popover.taskList()->editor();
        QCOMPARE(shown.focused(), editor);
        for (QToolButton* button : {popover.moveUpButton(), popover.startPauseButton()})
            QCOMPARE(button->focusPolicy(), Qt::TabFocus);
        QTest::mouseClick(popover.startPauseButton(), Qt::LeftButton);
        QCOMPARE(shown.timer.state(), KPTimer::State::active);
        QCOMPARE(shown.focused(), editor);
        QCOMPARE(shown.editedRow(), std::optional<int>(1));
    }
};

QTEST_MAIN(ZKPopoverKeyboardTest)
#include "ZKPopoverKeyboardTest.moc"
