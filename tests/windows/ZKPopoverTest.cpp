#include "windows/ZKPopover.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "menus/ZKMenu.h"
#include "platform/Frame.h"
#include "platform/ManualRunLoop.h"
#include "platform/SystemStyle.h"
#include "tasks/KPTaskList.h"
#include "timing/KPTimer.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;
using State = KPTimeBoxManager::State;

class ZKPopoverTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;
    std::optional<ManualRunLoop> m_loop;

    // A shown popover over the given stored tasks.
    std::unique_ptr<ZKPopover> makePopover(const QString& tasks)
    {
        storeTasks(parseTasks(tasks));
        auto popover = std::make_unique<ZKPopover>();
        popover->move(100, 300); // away from the top of the screen
        popover->show();
        m_loop->runPending();
        return popover;
    }
    // The names saved on disk, each followed by its cycle count if it has one.
    static QStringList storedNames()
    {
        QStringList names; // read from disk by a store of its own
        const auto data = Defaults().data(PreferenceKeys::tasks).value_or("[]");
        for (const KPTask& task : KPTask::listFromJson(data).value_or(QList<KPTask>{}))
            names << task.string +
                         (task.cycleCount ? QString::number(*task.cycleCount) : QString());
        return names;
    }
    static QList<bool> enabled(const ZKPopover& popover)
    {
        return {popover.removeButton()->isEnabled(), popover.moveUpButton()->isEnabled(),
                popover.moveDownButton()->isEnabled()};
    }
    static QColor color(const QLabel* label)
    {
        return label->palette().color(QPalette::WindowText);
    }

private Q_SLOTS:
    void init()
    {
        m_home.reset();
        m_loop.emplace();
    }
    void cleanup() { m_loop.reset(); }

    void launchState()
    {
        ZKPopover popover;
        popover.setTimerSource([] { return nullptr; });
        popover.startPause(); // no timer yet: nothing to do
        QCOMPARE(popover.size(), QSize(200, 62));
        QCOMPARE(popover.stateLabel()->text(), QString("Work"));
        QCOMPARE(color(popover.stateLabel()), SystemStyle::systemRedColor());
        QCOMPARE(popover.cyclesLabel()->text(), QString("Cycles Since Launch: 0"));
        QVERIFY(!popover.isStartPauseOn());
        QCOMPARE(enabled(popover), (QList<bool>{false, false, false}));
    }

    void stateLabelFollowsTheCycle()
    {
        ZKPopover popover;
        const std::tuple<State, QString, QColor> cases[] = {
            {State::shortBreak, "Short Break", SystemStyle::systemBlueColor()},
            {State::longBreak, "Long Break", SystemStyle::systemPurpleColor()},
            {State::work, "Work", SystemStyle::systemRedColor()}};
        for (const auto& [state, title, labelColor] : cases) {
            popover.timeBoxManagerDidChangeState(nullptr, state);
            QCOMPARE(popover.stateLabel()->text(), title);
            QCOMPARE(color(popover.stateLabel()), labelColor);
        }
        QCOMPARE(popover.cyclesLabel()->text(), QString("Cycles Since Launch: 0"));
    }

    void finishedCycleCreditsTheFirstOpenTask()
    {
        const std::pair<QString, QStringList> cases[] = {
            {"A B", {"A2", "B"}}, {"", {}}, {"A* B", {"A", "B"}}}; // empty, completed: no credit
        for (const auto& [stored, after] : cases) {
            const auto popover = makePopover(stored);
            popover->timeBoxManagerDidChangeCycleCount(nullptr, 7);
            popover->timeBoxManagerDidChangeCycleCount(nullptr, 8);
            QCOMPARE(popover->cyclesLabel()->text(), QString("Cycles Since Launch: 8"));
            QCOMPARE(storedNames(), after);
        }
    }

    void buttonsFollowTheEditedRow()
    {
        const auto popover = makePopover("A B C");
        const QList<bool> expected[] = {
            {true, false, true}, {true, true, true}, {true, true, false}};
        for (int row : {0, 2, 1}) {
            popover->taskList()->beginEditing(row);
            QCOMPARE(enabled(*popover), expected[row]);
        }
    }

    void moveUpKeepsTheTaskEdited()
    {
        const auto popover = makePopover("A B C");
        popover->taskList()->beginEditing(1);
        popover->moveTaskUp();
        m_loop->runPending();
        QCOMPARE(popover->taskList()->editedRow(), std::optional<int>(0));
        QCOMPARE(storedNames(), (QStringList{"B", "A", "C"}));
        QCOMPARE(enabled(*popover), (QList<bool>{true, false, true}));
        popover->moveTaskDown();
        m_loop->runPending();
        QCOMPARE(popover->taskList()->editedRow(), std::optional<int>(1));
        QCOMPARE(storedNames(), (QStringList{"A", "B", "C"}));
    }

    void heightFollowsTheListUpToACap()
    {
        const auto popover = makePopover("");
        QCOMPARE(popover->height(), 62);
        for (int i = 0; i < 33; ++i) {
            popover->addTask();
            m_loop->runPending();
            if (i == 2) {
                QCOMPARE(popover->height(), popover->taskList()->contentHeight() + 62);
                QCOMPARE(popover->taskList()->height(), popover->height() - 62);
            }
        }
        QVERIFY(popover->taskList()->contentHeight() + 62 > 500);
        QCOMPARE(popover->height(), 500);
        // At the top of the screen there is no room to grow into.
        popover->move(popover->x(), QGuiApplication::primaryScreen()->geometry().top());
        QVERIFY(!popover->taskListCanResize(popover->taskList()));
    }

    void playButtonFollowsTheTimer()
    {
        FakeSounds sounds;
        KPTimer timer({0, 0, 2});
        timer.setAlarmLoops(false);
        ZKPopover popover;
        popover.setTimerSource([&timer] { return &timer; });
        popover.startPause();
        QCOMPARE(timer.state(), KPTimer::State::active);
        QVERIFY(popover.isStartPauseOn());
        m_loop->advance(2s); // finished: the next press rewinds, paused
        popover.startPause();
        QCOMPARE(timer.currentTime(), (KPTime{0, 0, 2}));
        QVERIFY(!popover.isStartPauseOn());

        timer.toggle(); // started from the tray, not the popover
        const QRect anchor(QGuiApplication::primaryScreen()->geometry().center(), QSize(40, 24));
        popover.showRelativeToRect(anchor);
        QVERIFY(popover.isStartPauseOn());
        QCOMPARE(popover.y(), anchor.bottom() + 1);
        popover.close();
        timer.toggle();
        popover.showRelativeToRect(anchor);
        QVERIFY(!popover.isStartPauseOn());
    }

    void settingsButtonPopsUpTheMenu()
    {
        const auto popover = makePopover("A B C");
        QVERIFY(popover->height() > 62);
        QToolButton* button = popover->settingsButton();
        QCOMPARE(Frame::of(button), QRect(180, 2, 18, 18)); // at the bottom right as it grows
        QCOMPARE(button->toolTip(), QString("Settings"));
        QVERIFY(!button->icon().isNull());

        button->click(); // no application: nothing to show
        FakeApplicationDelegate application;
        ZKMenu menu;
        application.givenMenu = &menu;
        button->click();
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.pos(), button->mapToGlobal(QPoint(0, button->height())));
    }
};

QTEST_MAIN(ZKPopoverTest)
#include "ZKPopoverTest.moc"
