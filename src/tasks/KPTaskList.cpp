#include "KPTaskList.h"

#include "platform/Frame.h"
#include "platform/RunLoop.h"
#include "tasks/KPTaskCellDelegate.h"
#include "tasks/KPTaskCyclesMenu.h"
#include "tasks/KPTaskListDelegate.h"
#include "tasks/KPTaskManager.h"
#include "tasks/KPTaskTableModel.h"
#include "tasks/KPTaskTableView.h"
#include "tasks/KPTaskTextEditor.h"

#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QResizeEvent>
#include <algorithm>

namespace {

constexpr int plainFontSize = 12;
constexpr int emphasizedFontSize = 17;

// 0 with nothing to show, else 8 points a digit and 7 more.
int cyclesColumnWidth(qint64 maxCycleCount, bool isShowingCycles)
{
    if (maxCycleCount <= 0 || !isShowingCycles)
        return 0;
    return 8 * int(QString::number(maxCycleCount).size()) + 7;
}

} // namespace

KPTaskList::KPTaskList(const QRect& frame, QWidget* parent) : QWidget(parent)
{
    if (parent)
        Frame::set(this, frame);
    else
        resize(frame.size());

    m_model = new KPTaskTableModel(*this, this);
    m_cellDelegate = new KPTaskCellDelegate(this);
    m_tableView = new KPTaskTableView(*this, this);
    m_tableView->setModel(m_model);
    m_tableView->setItemDelegate(m_cellDelegate);
    m_tableView->horizontalHeader()->hide();
    m_tableView->verticalHeader()->hide();
    m_tableView->setShowGrid(false);
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setFrameShape(QFrame::NoFrame);
    m_tableView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tableView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_tableView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_tableView->viewport()->setAutoFillBackground(false);
    m_tableView->setTabKeyNavigation(false); // Tab leaves the list, arrows move within it
    m_tableView->setAccessibleName(tr("Tasks"));
    QHeaderView* columns = m_tableView->horizontalHeader();
    columns->setMinimumSectionSize(0);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* rows = m_tableView->verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(21);
    m_tableView->setColumnWidth(KPTaskTableModel::cyclesColumn, 0);
    m_tableView->setColumnWidth(KPTaskTableModel::completedColumn, completedColumnWidth);
    m_tableView->setColumnWidth(KPTaskTableModel::taskColumn,
                                std::max(0, width() - completedColumnWidth));
    m_tableView->setGeometry(rect());
    connect(columns, &QHeaderView::sectionResized, this,
            [this](int column, int oldWidth, int newWidth) {
                if (oldWidth != newWidth)
                    columnDidResize(column);
            });
    // Whatever changed the tasks, each row is as high as its delegate wants.
    const auto remeasure = [this] { remeasureRows(0, rowCount() - 1); };
    connect(m_model, &QAbstractItemModel::dataChanged, this, remeasure);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, remeasure);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, remeasure);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, remeasure);
    connect(m_model, &QAbstractItemModel::modelReset, this, remeasure);

    m_cyclesMenu = new KPTaskCyclesMenu(this);
    connect(m_cyclesMenu, &KPTaskCyclesMenu::increaseCycleCount, this,
            &KPTaskList::increaseCycleCount);
    connect(m_cyclesMenu, &KPTaskCyclesMenu::decreaseCycleCount, this,
            &KPTaskList::decreaseCycleCount);

    m_rowMenu = new QMenu(this);
    m_deleteAction = m_rowMenu->addAction(tr("Delete"));
    connect(m_deleteAction, &QAction::triggered, this, [this] {
        const QVariant row = m_deleteAction->data();
        if (row.typeId() == QMetaType::Int)
            removeTask(row.toInt());
    });
}

KPTaskList::~KPTaskList()
{
    // The table and its editors go first, while the manager they read still exists.
    m_isDestroying = true;
    delete m_tableView;
    m_tableView = nullptr;
}

QTableView* KPTaskList::tableView() const
{
    return m_tableView;
}

KPTaskTextEditor* KPTaskList::editor() const
{
    return m_editing.editor;
}

int KPTaskList::rowCount() const
{
    return m_taskManager ? int(m_taskManager->tasks.size()) : 0;
}

int KPTaskList::contentHeight() const
{
    return m_tableView->verticalHeader()->length();
}

void KPTaskList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_tableView->setGeometry(rect());
}

void KPTaskList::tableViewDidResize()
{
    if (m_tableView && !m_isDestroying)
        layOutColumns();
}

void KPTaskList::layOutColumns()
{
    // The text column takes every change of the table's width.
    const int others = m_tableView->columnWidth(KPTaskTableModel::completedColumn) +
                       m_tableView->columnWidth(KPTaskTableModel::cyclesColumn);
    const int taskWidth = std::max(0, m_tableView->viewport()->width() - others);
    if (m_tableView->columnWidth(KPTaskTableModel::taskColumn) != taskWidth)
        m_tableView->setColumnWidth(KPTaskTableModel::taskColumn, taskWidth);
}

void KPTaskList::columnDidResize(int column)
{
    if (column != KPTaskTableModel::taskColumn || m_isDestroying || !m_tableView)
        return;
    // Text wraps anew at the new width. The container hears of it after the
    // current event, so that it never resizes the list from inside a resize.
    const int before = contentHeight();
    remeasureRows(0, rowCount() - 1);
    if (contentHeight() == before || m_isResizePending)
        return;
    m_isResizePending = true;
    RunLoop::main().post(this, [this] {
        m_isResizePending = false;
        requestResize();
    });
}

void KPTaskList::setTaskManager(std::unique_ptr<KPTaskManager> manager)
{
    if (m_editing.editor)
        endEditing(m_editing.editor, true);
    m_model->resetTasks([&] { m_taskManager = std::move(manager); });
}

void KPTaskList::setEmphasizingFirstTask(bool emphasizing)
{
    m_isEmphasizingFirstTask = emphasizing;
    remeasureRows(0, std::min(0, rowCount() - 1));
    reloadRow(0, {KPTaskTableModel::taskColumn});
}

void KPTaskList::setEditingControls(const QList<QWidget*>& controls)
{
    m_editingControls = {controls.cbegin(), controls.cend()};
}

void KPTaskList::reloadData()
{
    if (m_editing.editor)
        endEditing(m_editing.editor, true);
    m_model->resetTasks([] {});
}

bool KPTaskList::isEmphasizedRow(int row) const
{
    return row == 0 && m_isEmphasizingFirstTask && rowCount() > 0 &&
           !m_taskManager->tasks.first().isCompleted;
}

KPTask::AttributedString KPTaskList::attributedStringForRow(int row) const
{
    return m_taskManager->tasks.at(row).attributedString(isEmphasizedRow(row) ? emphasizedFontSize
                                                                              : plainFontSize);
}

int KPTaskList::rowHeight(int row) const
{
    if (row < 0 || row >= rowCount())
        return 17;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, m_tableView->columnWidth(KPTaskTableModel::taskColumn), 0);
    return m_cellDelegate->sizeHint(option, m_model->index(row, KPTaskTableModel::taskColumn))
        .height();
}

void KPTaskList::remeasureRows(int first, int last)
{
    if (!m_tableView || m_isDestroying)
        return;
    for (int row = std::max(0, first); row <= last && row < rowCount(); ++row)
        m_tableView->verticalHeader()->resizeSection(row, rowHeight(row));
}

void KPTaskList::reloadRow(int row, std::initializer_list<int> columns)
{
    m_model->reloadRows(row, row, columns);
}

void KPTaskList::requestResize()
{
    if (m_delegate && m_delegate->taskListCanResize(this))
        m_delegate->taskListDidChangeHeight(this);
}

void KPTaskList::addTask()
{
    if (!m_taskManager)
        return;
    const int row = m_model->addTask(m_isAutorearranging);
    const int last = rowCount() - 1;
    m_model->reloadRows(row, last,
                        {KPTaskTableModel::taskColumn, KPTaskTableModel::completedColumn,
                         KPTaskTableModel::cyclesColumn});
    requestResize();
    RunLoop::main().post(this, [this, row] {
        if (row >= rowCount())
            return;
        m_tableView->scrollTo(m_model->index(row, KPTaskTableModel::taskColumn));
        beginEditing(row);
    });
}

void KPTaskList::removeTask(std::optional<int> row)
{
    const std::optional<int> target = row ? row : m_editedRow;
    if (!target || !m_taskManager)
        return;
    const int r = *target;
    if (r < 0 || r >= rowCount())
        return;
    // The row's text goes with it; its editing ends without a rename.
    if (m_editing.editor && m_editing.index.row() == r)
        endEditing(m_editing.editor, false);
    QPixmap picture;
    const QRect rect(0, m_tableView->rowViewportPosition(r), m_tableView->viewport()->width(),
                     m_tableView->rowHeight(r));
    if (m_tableView->isVisible())
        picture = m_tableView->viewport()->grab(rect);
    m_model->removeRows(r, 1);
    if (!picture.isNull())
        m_tableView->slideAway(picture, rect);
    if (r == 0 && rowCount() > 0)
        reloadRow(0, {KPTaskTableModel::taskColumn});
    updateCyclesColumnWidth();
    requestResize();
}

void KPTaskList::moveTask(int from, int to)
{
    const int count = rowCount();
    if (!m_taskManager || from < 0 || from >= count || to < 0 || to >= count)
        return;
    const int before = contentHeight();
    m_model->moveTask(from, to);
    if (contentHeight() != before)
        requestResize();
}

void KPTaskList::moveEditedTaskDown()
{
    if (m_editedRow && m_taskManager && *m_editedRow < rowCount() - 1)
        moveTask(*m_editedRow, *m_editedRow + 1);
}

void KPTaskList::beginEditing(int row)
{
    if (!m_taskManager || row < 0 || row >= rowCount())
        return;
    // Follows its task if ending the current editing removes a row above it.
    const QPersistentModelIndex index = m_model->index(row, KPTaskTableModel::taskColumn);
    if (m_editing.editor)
        endEditing(m_editing.editor, true);
    if (!index.isValid())
        return;
    m_tableView->edit(index);
    auto* editor = qobject_cast<KPTaskTextEditor*>(m_tableView->indexWidget(index));
    if (!editor)
        return;
    m_editing = {editor, index};
    editor->setEditingControls(m_editingControls);
    connect(editor, &KPTaskTextEditor::committed, this,
            [this, editor] { endEditing(editor, true); });
    connect(editor, &KPTaskTextEditor::cancelled, this,
            [this, editor] { endEditing(editor, false); });
    m_editedRow = index.row();
    if (m_delegate)
        m_delegate->taskListDidChangeEditedRow(this);
}

void KPTaskList::endEditing(KPTaskTextEditor* editor, bool commit)
{
    if (m_isDestroying || !editor || m_editing.editor != editor)
        return;
    const QPersistentModelIndex index = m_editing.index;
    m_editing = {};
    const QString text = editor->toPlainText();
    m_editedRow.reset();
    if (m_delegate)
        m_delegate->taskListDidChangeEditedRow(this);
    // The view hides and deletes the editor; the focus it loses then is ignored.
    m_cellDelegate->close(editor);
    if (!m_taskManager || !index.isValid() || index.row() >= rowCount())
        return;
    const int row = index.row();
    if (!commit) {
        reloadRow(row, {KPTaskTableModel::taskColumn});
        return;
    }
    if (KPTaskManager::renamingRemoves(text)) {
        removeTask(row);
        return;
    }
    m_model->setData(m_model->index(row, KPTaskTableModel::taskColumn), text, Qt::EditRole);
    requestResize();
}

void KPTaskList::checkboxClicked(int row)
{
    if (!m_taskManager || row < 0 || row >= rowCount())
        return;
    const int before = contentHeight();
    m_model->toggleCompleted(row, m_isAutorearranging);
    if (contentHeight() != before)
        requestResize();
}

void KPTaskList::tableRowClicked(int column, int row)
{
    if (column == KPTaskTableModel::taskColumn) {
        beginEditing(row);
        return;
    }
    if (column != KPTaskTableModel::cyclesColumn || row < 0 || row >= rowCount())
        return;
    m_cyclesMenu->setRepresentedRow(row);
    const QRect cell = m_tableView->visualRect(m_model->index(row, column));
    m_cyclesMenu->popup(m_tableView->viewport()->mapToGlobal(cell.topRight() + QPoint(1, 0)));
}

void KPTaskList::increaseCycleCount()
{
    if (const std::optional<int> row = m_cyclesMenu->representedRow())
        changeCycleCount(*row, 1);
}

void KPTaskList::decreaseCycleCount()
{
    if (const std::optional<int> row = m_cyclesMenu->representedRow())
        changeCycleCount(*row, -1);
}

void KPTaskList::changeCycleCount(int row, qint64 delta)
{
    if (!m_taskManager || row < 0 || row >= rowCount())
        return;
    m_taskManager->changeCycleCount(row, delta);
    showCycleCount(row);
}

void KPTaskList::creditWorkCycle()
{
    if (m_taskManager && m_taskManager->creditWorkCycle())
        showCycleCount(0);
}

void KPTaskList::showCycleCount(int row)
{
    updateCyclesColumnWidth();
    reloadRow(row, {KPTaskTableModel::cyclesColumn});
}

void KPTaskList::updateCyclesColumnWidth()
{
    if (!m_taskManager)
        return;
    const int width = cyclesColumnWidth(m_taskManager->maxCycleCount(), m_isShowingCycles);
    const int current = m_tableView->columnWidth(KPTaskTableModel::cyclesColumn);
    if (width == current)
        return;
    const int taskWidth = m_tableView->columnWidth(KPTaskTableModel::taskColumn);
    m_tableView->setColumnWidth(KPTaskTableModel::taskColumn,
                                std::max(0, taskWidth - (width - current)));
    m_tableView->setColumnWidth(KPTaskTableModel::cyclesColumn, width);
    m_model->reloadRows(0, rowCount() - 1, {KPTaskTableModel::cyclesColumn});
}

std::unique_ptr<QMimeData> KPTaskList::writeRowsToPasteboard(const QList<int>& rows) const
{
    if (!m_taskManager || rows.isEmpty())
        return nullptr;
    return std::unique_ptr<QMimeData>(
        m_model->mimeData({m_model->index(rows.first(), KPTaskTableModel::taskColumn)}));
}

Qt::DropAction KPTaskList::validateDrop(const QObject* source, DropOperation operation, int) const
{
    if (!source || source != m_tableView || operation == DropOperation::on)
        return Qt::IgnoreAction;
    return Qt::MoveAction;
}

bool KPTaskList::acceptDrop(const QMimeData* data, int row)
{
    const int before = contentHeight();
    if (!m_model->dropMimeData(data, Qt::MoveAction, row, 0, QModelIndex()))
        return false;
    if (contentHeight() != before)
        requestResize();
    return true;
}

QMenu* KPTaskList::rowMenu(int row)
{
    m_deleteAction->setData(row);
    return m_rowMenu;
}
