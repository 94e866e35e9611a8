#include "windows/ZKPopover.h"
#include "FakeSound.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "platform/Defaults.h"
#include "platform/ManualRunLoop.h"
#include "platform/SystemStyle.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"
#include "timing/KPTimer.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;
using State = KPTimeBoxManager::State;

Q_DECLARE_METATYPE(KPTimeBoxManager::State)

class ZKPopoverTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;

    // The names saved on disk, each followed by its cycle count if it has one.
    static QStringList storedNames()
    {
        Defaults::resetStandard();
        QStringList names;
        for (const KPTask& task : storedTasks())
            names << task.string +
                         (task.cycleCount ? QString::number(*task.cycleCount) : QString());
        return names;
    }
    static QList<bool> enabled(const ZKPopover& popover)
    {
        return {popover.removeButton()->isEnabled(), popover.moveUpButton()->isEnabled(),
                popover.moveDownButton()->isEnabled()};
    }

private Q_SLOTS:
    void init() { m_home.reset(); }

    void launchState()
    {
        ManualRunLoop loop;
        ZKPopover popover;
        popover.setTimerSource([] { return nullptr; });
        QCOMPARE(popover.size(), QSize(200, 62));
        QCOMPARE(popover.stateLabel()->text(), QString("Work"));
        QCOMPARE(popover.stateLabel()->palette().color(QPalette::WindowText),
                 SystemStyle::systemRedColor());
        QCOMPARE(popover.cyclesLabel()->text(), QString("Cycles Since Launch: 0"));
        QCOMPARE(popover.startPauseButton()->toolTip(), QString("Resume Timer"));
        QVERIFY(!popover.isStartPauseOn());
        QCOMPARE(enabled(popover), (QList<bool>{false, false, false}));
        QCOMPARE(popover.addButton()->toolTip(), QString("Add New Task"));
    }

    void stateLabelFollowsTheCycle_data()
    {
        QTest::addColumn<State>("state");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QColor>("color");
        QTest::newRow("short") << State::shortBreak << "Short Break"
                               << SystemStyle::systemBlueColor();
        QTest::newRow("long") << State::longBreak << "Long Break"
                              << SystemStyle::systemPurpleColor();
        QTest::newRow("work") << State::work << "Work" << SystemStyle::systemRedColor();
    }
    void stateLabelFollowsTheCycle()
    {
        QFETCH(State, state);
        QFETCH(QString, title);
        QFETCH(QColor, color);
        ManualRunLoop loop;
        ZKPopover popover;
        popover.timeBoxManagerDidChangeState(nullptr, State::longBreak);
        popover.timeBoxManagerDidChangeState(nullptr, state);
        QCOMPARE(popover.stateLabel()->text(), title);
        QCOMPARE(popover.stateLabel()->palette().color(QPalette::WindowText), color);
        QCOMPARE(popover.cyclesLabel()->text(), QString("Cycles Since Launch: 0"));
    }

    void finishedCycleCreditsTheFirstOpenTask_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("open first task") << "A B" << QStringList{"A1", "B"};
        QTest::newRow("empty list") << "" << QStringList{};
        QTest::newRow("completed first task") << "A* B" << QStringList{"A", "B"};
    }
    void finishedCycleCreditsTheFirstOpenTask()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, after);
        storeTasks(parseTasks(stored));
        Defaults::resetStandard();
        ManualRunLoop loop;
        ZKPopover popover;
        popover.timeBoxManagerDidChangeCycleCount(nullptr, 7);
        QCOMPARE(popover.cyclesLabel()->text(), QString("Cycles Since Launch: 7"));
        QCOMPARE(storedNames(), after);
    }

    void buttonsFollowTheEditedRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<bool>>("expected");
        QTest::newRow("first") << 0 << QList<bool>{true, false, true};
        QTest::newRow("middle") << 1 << QList<bool>{true, true, true};
        QTest::newRow("last") << 2 << QList<bool>{true, true, false};
    }
    void buttonsFollowTheEditedRow()
    {
        QFETCH(int, row);
        QFETCH(QList<bool>, expected);
        storeTasks(parseTasks("A B C"));
        Defaults::resetStandard();
        ManualRunLoop loop;
        ZKPopover popover;
        popover.show();
        loop.runPending();
        popover.taskList()->beginEditing(row);
        QCOMPARE(popover.taskList()->editedRow(), std::optional<int>(row));
        QCOMPARE(enabled(popover), expected);
    }

    void moveUpKeepsTheTaskEdited()
    {
        storeTasks(parseTasks("A B C"));
        Defaults::resetStandard();
        ManualRunLoop loop;
        ZKPopover popover;
        popover.show();
        loop.runPending();
        popover.taskList()->beginEditing(1);
        popover.moveTaskUp();
        loop.runPending();
        QCOMPARE(popover.taskList()->editedRow(), std::optional<int>(0));
        QCOMPARE(popover.taskList()->taskManager()->tasks.first().string, QString("B"));
        QCOMPARE(enabled(popover), (QList<bool>{true, false, true}));
        popover.moveTaskDown();
        loop.runPending();
        QCOMPARE(popover.taskList()->editedRow(), std::optional<int>(1));
        QCOMPARE(storedNames(), (QStringList{"A", "B", "C"}));
    }

    void heightFollowsTheListUpToACap()
    {
        ManualRunLoop loop;
        ZKPopover popover;
        popover.move(100, 300); // away from the top of the screen
        popover.show();
        loop.runPending();
        QCOMPARE(popover.height(), 62);
        for (int i = 0; i < 3; ++i) {
            popover.addTask();
            loop.runPending();
        }
        QCOMPARE(popover.height(), popover.taskList()->contentHeight() + 62);
        QCOMPARE(popover.taskList()->height(), popover.height() - 62);
        for (int i = 0; i < 30; ++i) {
            popover.addTask();
            loop.runPending();
        }
        QVERIFY(popover.taskList()->contentHeight() + 62 > 500);
        QCOMPARE(popover.height(), 500);
    }

    void noGrowthAtTheTopOfTheScreen()
    {
        ManualRunLoop loop;
        ZKPopover popover;
        popover.show();
        popover.move(popover.x(), QGuiApplication::primaryScreen()->geometry().top());
        QVERIFY(!popover.taskListCanResize(popover.taskList()));
        popover.move(popover.x(), 200);
        QVERIFY(popover.taskListCanResize(popover.taskList()));
    }

    void playButtonDrivesTheTimer()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        KPTimer timer({0, 0, 2});
        timer.setAlarmLoops(false);
        ZKPopover popover;
        popover.setTimerSource([&timer] { return &timer; });
        popover.startPause();
        QCOMPARE(timer.state(), KPTimer::State::active);
        QVERIFY(popover.isStartPauseOn());
        QCOMPARE(popover.startPauseButton()->toolTip(), QString("Pause Timer"));
        loop.advance(2s); // finished, paused at 0:0:0 by the timer itself
        popover.startPause();
        QCOMPARE(timer.state(), KPTimer::State::inactive);
        QCOMPARE(timer.currentTime(), (KPTime{0, 0, 2}));
        QVERIFY(!popover.isStartPauseOn());
        QCOMPARE(popover.startPauseButton()->toolTip(), QString("Resume Timer"));
    }

    void showingRefreshesThePlayButton()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        KPTimer timer({0, 25, 0});
        ZKPopover popover;
        popover.setTimerSource([&timer] { return &timer; });
        timer.toggle(); // started from the tray, not the popover
        const QRect anchor(QGuiApplication::primaryScreen()->geometry().center(), QSize(40, 24));
        popover.showRelativeToRect(anchor);
        QVERIFY(popover.isStartPauseOn());
        QCOMPARE(popover.startPauseButton()->toolTip(), QString("Pause Timer"));
        QCOMPARE(popover.y(), anchor.bottom() + 1);
        popover.close();
        timer.toggle();
        popover.showRelativeToRect(anchor);
        QVERIFY(!popover.isStartPauseOn());
    }
};

QTEST_MAIN(ZKPopoverTest)
#include "ZKPopoverTest.moc"
