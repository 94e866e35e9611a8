#pragma once

#include "FakeSound.h"
#include "FakeTimeDisplay.h"
#include "history/HistoryStore.h"
#include "history/PeriodRecorder.h"
#include "tasks/KPTaskManager.h"

// The cycle on a fake display as the application wires it: one open task,
// "Write", credited with each work period before the recorder hears the
// cycle move. Build it after the run loop, in a temporary store.
struct RecordedCycle
{
    explicit RecordedCycle(const QString& historyPath) : store(historyPath), recorder(wire(), store)
    {
        QObject::connect(&tasks, &KPTaskManager::workCycleCredited, &recorder,
                         &PeriodRecorder::taskCredited);
    }
    KPTimer& timer() { return *display.timer(); }

    FakeSounds sounds;
    FakeTimeDisplay display;
    KPTimeBoxManager manager;
    KPTaskManager tasks;
    HistoryStore store;
    PeriodRecorder recorder;

private:
    KPTimeBoxManager& wire()
    {
        manager.setMenuBarTimeDisplay(&display);
        tasks.tasks = {{1234.5, QStringLiteral("Write"), false, std::nullopt}};
        QObject::connect(&manager, &KPTimeBoxManager::periodDidEnd, &tasks,
                         [this](KPTimeBoxManager::State ended) {
                             if (ended == KPTimeBoxManager::State::work)
                                 tasks.creditWorkCycle();
                         });
        return manager;
    }
};
