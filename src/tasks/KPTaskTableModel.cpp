#include "KPTaskTableModel.h"

#include "tasks/KPTaskCellDelegate.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"

#include <QBrush>
#include <QMimeData>
#include <QTableView>

KPTaskTableModel::KPTaskTableModel(KPTaskList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list)
{}

const char* KPTaskTableModel::identifier(int column)
{
    switch (column) {
    case taskColumn:
        return QT_TR_NOOP("Task");
    case completedColumn:
        return QT_TR_NOOP("Completed");
    case cyclesColumn:
        return QT_TR_NOOP("Cycles");
    default:
        return nullptr;
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
            return completed ? tr("Completed") : tr("Not Completed");
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
        return text.string;
    case Qt::EditRole:
        return m_list.taskManager()->tasks.at(row).string; // whole, where the display may elide
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
        return tr("Click to Edit");
    default:
        return QVariant();
    }
}

QVariant KPTaskTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const char* title = identifier(section);
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && title)
        return tr(title);
    return QVariant();
}

Qt::ItemFlags KPTaskTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
    if (index.column() == taskColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool KPTaskTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= rowCount())
        return false;
    KPTaskManager& manager = *m_list.taskManager();
    const int row = index.row();
    if (index.column() == completedColumn && role == Qt::CheckStateRole) {
        if ((value.value<Qt::CheckState>() == Qt::Checked) != manager.tasks.at(row).isCompleted)
            toggleCompleted(row, m_list.isAutorearranging());
        return true;
    }
    if (index.column() == taskColumn && role == Qt::EditRole) {
        const QString text = value.toString();
        if (KPTaskManager::renamingRemoves(text))
            return removeRows(row, 1);
        manager.renameTask(row, text);
        reloadRows(row, row, {taskColumn});
        return true;
    }
    return false;
}

bool KPTaskTableModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                                const QModelIndex& destinationParent, int destinationChild)
{
    const int rows = rowCount();
    if (sourceParent.isValid() || destinationParent.isValid() || count != 1 || sourceRow < 0 ||
        sourceRow >= rows || destinationChild < 0 || destinationChild > rows)
        return false;
    // Qt names the row before which the moved one lands, counted before the move.
    const int to = destinationChild > sourceRow ? destinationChild - 1 : destinationChild;
    apply({sourceRow, to, false});
    return true;
}

int KPTaskTableModel::apply(const KPTaskManager::Move& move)
{
    const int from = int(move.from);
    const int to = int(move.to);
    KPTaskManager& manager = *m_list.taskManager();
    if (from == to) {
        manager.apply(move);
    } else {
        beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
        manager.apply(move);
        endMoveRows();
    }
    reloadRows(to, to, {taskColumn, completedColumn});
    // The first row's emphasis may have gone to another task.
    if (from == 0 || to == 0)
        reloadRows(0, std::min(1, rowCount() - 1), {taskColumn});
    return to;
}

int KPTaskTableModel::toggleCompleted(int row, bool isAutorearranging)
{
    return apply(m_list.taskManager()->completionMove(row, isAutorearranging));
}

bool KPTaskTableModel::moveTask(int from, int to)
{
    return moveRows(QModelIndex(), from, 1, QModelIndex(), to > from ? to + 1 : to);
}

int KPTaskTableModel::addTask(bool isAutorearranging)
{
    KPTaskManager& manager = *m_list.taskManager();
    const int row = int(manager.newTaskIndex(isAutorearranging));
    beginInsertRows(QModelIndex(), row, row);
    manager.addTask(isAutorearranging);
    endInsertRows();
    return row;
}

bool KPTaskTableModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int n = 0; n < count; ++n)
        m_list.taskManager()->removeTask(row);
    endRemoveRows();
    return true;
}

QStringList KPTaskTableModel::mimeTypes() const
{
    return {KPTaskList::pasteboardType};
}

QMimeData* KPTaskTableModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty() || !indexes.first().isValid() || indexes.first().row() >= rowCount())
        return nullptr;
    const std::optional<QByteArray> json =
        m_list.taskManager()->tasks.at(indexes.first().row()).toJson();
    if (!json)
        return nullptr;
    auto* data = new QMimeData; // the caller's
    data->setData(KPTaskList::pasteboardType, *json);
    return data;
}

bool KPTaskTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                       const QModelIndex& parent) const
{
    return data && data->hasFormat(KPTaskList::pasteboardType) && action == Qt::MoveAction &&
           !parent.isValid() && row >= 0 && row <= rowCount() && m_list.taskManager();
}

bool KPTaskTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                    int column, const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const std::optional<KPTask> dragged = KPTask::fromJson(data->data(KPTaskList::pasteboardType));
    if (!dragged)
        return false;
    const std::optional<KPTaskManager::Move> move = m_list.taskManager()->dropMove(*dragged, row);
    if (!move)
        return false;
    apply(*move);
    return true;
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
