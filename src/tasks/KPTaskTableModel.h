#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <initializer_list>

class KPTaskList;

// The rows of the task list, read from the list's task manager. Structural
// changes go through the wrappers below so that the table hears of them around
// the change to the manager's tasks.
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
    static QString identifier(int column);
    static inline const QString cyclesToolTip = QStringLiteral("Click to Edit");

    explicit KPTaskTableModel(KPTaskList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void insertTaskRow(int row, const std::function<void()>& change);
    void removeTaskRow(int row, const std::function<void()>& change);
    // The row ends at index `to`; a move to the same row only runs the change.
    void moveTaskRow(int from, int to, const std::function<void()>& change);
    void resetTasks(const std::function<void()>& change);
    // Rebuilds the cells of rows first to last in the given columns.
    void reloadRows(int first, int last, std::initializer_list<int> columns);

private:
    QVariant taskData(int row, int role) const;
    QVariant cyclesData(int row, int role) const;

    KPTaskList& m_list;
};
