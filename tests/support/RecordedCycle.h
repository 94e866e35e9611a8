#pragma once

#include "FakeSound.h"
#include "FakeTimeDisplay.h"
#include "ManualRunLoop.h"
#include "history/HistoryStore.h"
#include "history/PeriodRecorder.h"
#include "tasks/KPTaskManager.h"

#include <QRegularExpression>
#include <functional>

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

    // Drives the timer as the user, a shortcut or the away hooks do, step by step:
    // "go" toggles, "+N" lets N seconds pass, "jump:N" moves the clock alone (asleep),
    // "skip", "reset", "preset:N" (a countdown), "watch" (a stopwatch), "retime:N",
    // "cause:C" (of the next pause), "sleep", "wake", "quit" (the recorder flushes),
    // and "C:N" for N seconds taken back as the idle prompt does. After each step, after().
    void play(ManualRunLoop& loop, const QString& script, const std::function<void()>& after = {})
    {
        static const QRegularExpression step(QStringLiteral("^([a-z+]*):?(\\w*)$"));
        for (const QString& token : script.split(QLatin1Char(' '))) {
            const QRegularExpressionMatch m = step.match(token);
            const QString verb = m.captured(1);
            const qint64 n = m.captured(2).toLongLong();
            if (verb == QLatin1String("go"))
                timer().toggle();
            else if (verb == QLatin1String("+"))
                loop.advance(std::chrono::seconds(n));
            else if (verb == QLatin1String("jump"))
                loop.jump(std::chrono::seconds(n));
            else if (verb == QLatin1String("skip"))
                timer().finish();
            else if (verb == QLatin1String("reset"))
                timer().reset();
            else if (verb == QLatin1String("preset"))
                timer().setTime(KPTime::fromTotalSeconds(n), KPTimer::CountType::down);
            else if (verb == QLatin1String("watch"))
                timer().setTime(KPTime{}, KPTimer::CountType::up);
            else if (verb == QLatin1String("retime"))
                timer().setCurrentTime(KPTime::fromTotalSeconds(n));
            else if (verb == QLatin1String("cause"))
                recorder.setNextPauseCause(m.captured(2));
            else if (verb == QLatin1String("sleep") || verb == QLatin1String("wake"))
                recorder.sleepChanged(verb == QLatin1String("sleep"));
            else if (verb == QLatin1String("quit"))
                recorder.flush();
            else {
                recorder.discardCounted(n, verb);
                const qint64 back = timer().currentTime().totalSeconds() + n;
                timer().setCurrentTime(
                    KPTime::fromTotalSeconds(std::min(back, timer().time().totalSeconds())));
            }
            if (after)
                after();
        }
    }

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
