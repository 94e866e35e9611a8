#include "KPTaskTableModel.h"

#include "tasks/KPTaskCellDelegate.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"

#include <QBrush>
#include <QTableView>

KPTaskTableModel::KPTaskTableModel(KPTaskList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list)
{}

QString KPTaskTableModel::identifier(int column)
{
    switch (column) {
    case taskColumn:
        return QStringLiteral("Task");
    case completedColumn:
        return QStringLiteral("Completed");
    case cyclesColumn:
        return QStringLiteral("Cycles");
    default:
        return QString();
    }
}

int KPTaskTableModel::rowCount(const QModelIndex& parent) const
{
    const KPTaskManager* manager = m_list.taskManager();
    return parent.isValid() || !manager ? 0 : int(manager->tasks.size());
}

int KPTaskTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(numberOfColumns);
}

QVariant KPTaskTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    switch (index.column()) {
    case taskColumn:
        return taskData(index.row(), role);
    case completedColumn: {
        const bool completed = m_list.taskManager()->tasks.at(index.row()).isCompleted;
        if (role == Qt::AccessibleTextRole)
            return completed ? QStringLiteral("Completed") : QStringLiteral("Not Completed");
        if (role != Qt::CheckStateRole)
            return QVariant();
        return completed ? Qt::Checked : Qt::Unchecked;
    }
    case cyclesColumn:
        return cyclesData(index.row(), role);
    default:
        return QVariant();
    }
}

QVariant KPTaskTableModel::taskData(int row, int role) const
{
    const KPTask::AttributedString text = m_list.attributedStringForRow(row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text.string;
    case Qt::FontRole:
        return KPTaskCellDelegate::textFont(m_list.tableView()->font(), text);
    case Qt::ForegroundRole:
        return QBrush(KPTaskCellDelegate::textColor(m_list.tableView()->palette(), text.colorRole));
    default:
        return QVariant();
    }
}

QVariant KPTaskTableModel::cyclesData(int row, int role) const
{
    switch (role) {
    case Qt::DisplayRole: {
        const std::optional<qint64> count = m_list.taskManager()->tasks.at(row).cycleCount;
        return count ? QString::number(*count) : QString();
    }
    case Qt::FontRole:
        return KPTaskCellDelegate::cycleCountFont();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        return cyclesToolTip;
    default:
        return QVariant();
    }
}

QVariant KPTaskTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return identifier(section);
    return QVariant();
}

Qt::ItemFlags KPTaskTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (index.column() == taskColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

void KPTaskTableModel::insertTaskRow(int row, const std::function<void()>& change)
{
    beginInsertRows(QModelIndex(), row, row);
    change();
    endInsertRows();
}

void KPTaskTableModel::removeTaskRow(int row, const std::function<void()>& change)
{
    beginRemoveRows(QModelIndex(), row, row);
    change();
    endRemoveRows();
}

void KPTaskTableModel::moveTaskRow(int from, int to, const std::function<void()>& change)
{
    // Qt names the row before which the moved one lands, counted before the move.
    if (from == to ||
        !beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to)) {
        change();
        return;
    }
    change();
    endMoveRows();
}

void KPTaskTableModel::resetTasks(const std::function<void()>& change)
{
    beginResetModel();
    change();
    endResetModel();
}

void KPTaskTableModel::reloadRows(int first, int last, std::initializer_list<int> columns)
{
    if (first > last || first < 0 || last >= rowCount())
        return;
    for (int column : columns)
        Q_EMIT dataChanged(index(first, column), index(last, column));
}
