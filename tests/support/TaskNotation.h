#pragma once

#include "platform/store/Defaults.h"
#include "tasks/KPTask.h"
#include "timing/PreferenceKeys.h"

#include <QStringList>

// A task list written as words: "A B* C#3" is one task per word, '*' marks it
// completed, '#' gives its cycle count, '_' stands for a space. Each task gets
// its own fractional id, clear of the small whole ids tests write by hand.
inline QList<KPTask> parseTasks(const QString& text)
{
    QList<KPTask> tasks;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        QString word = words[i].section(QLatin1Char('#'), 0, 0);
        const QString count = words[i].section(QLatin1Char('#'), 1);
        const bool completed = word.endsWith(QLatin1Char('*'));
        if (completed)
            word.chop(1);
        tasks.append({100.25 + double(i), word.replace(QLatin1Char('_'), QLatin1Char(' ')),
                      completed,
                      count.isEmpty() ? std::nullopt : std::optional(count.toLongLong())});
    }
    return tasks;
}

inline QString describe(const QList<KPTask>& tasks)
{
    QStringList words;
    for (const KPTask& task : tasks)
        words << QString(task.string).replace(QLatin1Char(' '), QLatin1Char('_')) +
                     (task.isCompleted ? QStringLiteral("*") : QString()) +
                     (task.cycleCount ? QStringLiteral("#%1").arg(*task.cycleCount) : QString());
    return words.join(QLatin1Char(' '));
}

// Saves the list in the standard store as the app does.
inline void storeTasks(const QList<KPTask>& tasks)
{
    Defaults::standard().setData(PreferenceKeys::tasks, *KPTask::listToJson(tasks));
}

// The list in the standard store; empty when there is none or it does not decode.
inline QList<KPTask> storedTasks()
{
    const auto data = Defaults::standard().data(PreferenceKeys::tasks);
    return data ? KPTask::listFromJson(*data).value_or(QList<KPTask>{}) : QList<KPTask>{};
}

inline QString storedDescription()
{
    return describe(storedTasks());
}
