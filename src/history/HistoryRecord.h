#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One period as it ended. Kinds and outcomes are kept as the words that are
// stored and exported, so a record reads the same in the file, in the CSV and
// on the bus.
struct HistoryRecord
{
    // One pause inside the period; cause is "user", "lock", "suspend" or "idle".
    struct Pause
    {
        QString cause;
        QDateTime start; // UTC
        qint64 seconds = 0;
    };

    qint64 id = 0;              // assigned by the store
    QDateTime start;            // UTC
    int startOffsetSeconds = 0; // the local UTC offset when the period started
    QDateTime end;              // UTC
    QString kind;               // "work", "shortBreak", "longBreak", "stopwatch", "countdown"
    qint64 plannedSeconds = 0;  // 0 for a stopwatch
    qint64 countedSeconds = 0;  // pauses excluded
    QList<Pause> pauses;
    QString outcome; // "finished", "skipped", "abandoned", "endedAway" (ran out asleep)
    QString task;    // the task credited, as it read then; empty for none
    QString taskId;

    qint64 pausedSeconds() const
    {
        qint64 total = 0;
        for (const Pause& pause : pauses)
            total += pause.seconds;
        return total;
    }
};
