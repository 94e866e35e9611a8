#pragma once

#include "tasks/KPTaskManager.h"

#include <QAbstractTableModel>
#include <functional>
#include <initializer_list>

class KPTaskList;

// The rows of the task list, read from the list's task manager. Every change
// to the tasks goes through here, so that the table hears of it around the
// change: moves, the "public.kptask" drag and drop, checking off, renaming.
// The manager's rules decide each change; this only announces it.
class KPTaskTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        taskColumn = 0,
        completedColumn = 1,
        cyclesColumn = 2,
        numberOfColumns = 3
    };
    static const char* identifier(int column); // untranslated; nullptr past the last

    explicit KPTaskTableModel(KPTaskList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The check state of the "Completed" column, as a click on the checkbox;
    // the text of the "Task" column.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // One row at a time; a move onto the row itself still saves.
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                  const QModelIndex& destinationParent, int destinationChild) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    QStringList mimeTypes() const override;
    // The first row's task in its JSON form.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    // Between rows only, never onto one.
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // Adds a new task where the list rules put it; its row.
    int addTask(bool isAutorearranging);
    // The checkbox rule; the task's new row.
    int toggleCompleted(int row, bool isAutorearranging);
    // Moves the row so that it ends at index `to`.
    bool moveTask(int from, int to);
    void resetTasks(const std::function<void()>& change);
    // Rebuilds the cells of rows first to last in the given columns.
    void reloadRows(int first, int last, std::initializer_list<int> columns);

private:
    int apply(const KPTaskManager::Move& move);
    QVariant taskData(int row, int role) const;
    QVariant cyclesData(int row, int role) const;

    KPTaskList& m_list;
};
