#pragma once

#include "tasks/KPTask.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class Defaults;

// Owns the ordered task list and the rules that change it. Loads it once from
// the defaults store and writes the whole list back after every change. The
// views ask where a change takes a task before they make it, so that they can
// announce it.
class KPTaskManager : public QObject
{
    Q_OBJECT

public:
    // What a click on a checkbox or a drop does to one task: its mark may flip,
    // then it moves (perhaps onto its own index).
    struct Move
    {
        qsizetype from = 0;
        qsizetype to = 0;
        bool togglesCompleted = false;
    };

    // Uses the standard store.
    KPTaskManager();
    explicit KPTaskManager(Defaults& store);

    // The list in display order. Clients that change it call save().
    QList<KPTask> tasks;

    // Returns whether the whole list is now on disk.
    bool save();

    std::optional<qsizetype> firstCompletedTaskIndex() const;
    qint64 maxCycleCount() const;

    // The list rules. Every index must be inside the list; each rule saves.
    void changeCycleCount(qsizetype index, qint64 delta);
    // Returns the new task's index.
    qsizetype addTask(bool isAutorearranging);
    qsizetype newTaskIndex(bool isAutorearranging) const;
    // Empty text is not stored: the task is removed and false returned.
    bool renameTask(qsizetype index, const QString& text);
    static bool renamingRemoves(const QString& text);
    void removeTask(qsizetype index);
    // The checkbox rule: the mark flips and, auto-rearranging, a completed task
    // goes to the end and an open one above the completed block.
    Move completionMove(qsizetype index, bool isAutorearranging) const;
    // An open task stops above the completed block; a completed one dropped
    // above it is open again. Nothing when no task has the dragged task's id.
    std::optional<Move> dropMove(const KPTask& dragged, qsizetype above) const;
    // Flips the mark if the move says so, then moves the task: also a plain move.
    void apply(const Move& move);
    // A finished work cycle goes to the first task while it is open; returns
    // that task as credited.
    std::optional<KPTask> creditWorkCycle();
    // The task a work period is for: the first, while it is open.
    std::optional<KPTask> firstOpenTask() const;

    // The file that holds a stored list this run could not read, once the
    // first save has replaced it in the store; empty otherwise.
    QString undecodableTasksPath() const { return m_undecodableKeptAt; }
    bool hasUndecodableStoredTasks() const { return m_undecodable.has_value(); }

Q_SIGNALS:
    // At every save: the list may read differently now.
    void tasksChanged();
    // After the credit is saved; the task with its new count.
    void workCycleCredited(const KPTask& task);

private:
    void load();
    bool keepUndecodableAside();
    void checkIndex(qsizetype index, qsizetype count, const char* operation) const;

    Defaults& m_store;
    std::optional<QByteArray> m_undecodable;
    QString m_undecodableKeptAt;
};
