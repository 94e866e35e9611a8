#pragma once

#include "tasks/KPTask.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class Defaults;

// Owns the ordered task list. Loads it once from the defaults store and writes
// the whole list back after every change.
class KPTaskManager
{
public:
    // Where a drop above row `above` takes the dragged task.
    struct DropMove
    {
        qsizetype from = 0;
        qsizetype to = 0;
        bool uncompletes = false; // a completed task dropped above the completed block
    };

    // Uses the standard store.
    KPTaskManager();
    explicit KPTaskManager(Defaults& store);
    KPTaskManager(const KPTaskManager&) = delete;
    KPTaskManager& operator=(const KPTaskManager&) = delete;

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
    void removeTask(qsizetype index);
    void moveTask(qsizetype from, qsizetype to);
    // Inverts the completed mark only.
    void toggleCompleted(qsizetype index);
    // The whole checkbox rule; returns the task's new index.
    qsizetype toggleCompleted(qsizetype index, bool isAutorearranging);
    // Where auto-rearranging takes the task at index after its mark changed.
    std::optional<qsizetype> rearrangedIndex(qsizetype index) const;
    // Nothing when no task has the dragged task's id.
    std::optional<DropMove> dropMove(const KPTask& dragged, qsizetype above) const;
    std::optional<DropMove> dropTask(const KPTask& dragged, qsizetype above);
    // A finished work cycle goes to the first task while it is open.
    bool creditWorkCycle();

    // The file that holds a stored list this run could not read, once the
    // first save has replaced it in the store; empty otherwise.
    QString undecodableTasksPath() const { return m_undecodableKeptAt; }
    bool hasUndecodableStoredTasks() const { return m_undecodable.has_value(); }

private:
    void load();
    bool keepUndecodableAside();
    void checkIndex(qsizetype index, qsizetype count, const char* operation) const;

    Defaults& m_store;
    std::optional<QByteArray> m_undecodable;
    QString m_undecodableKeptAt;
};
