#pragma once

#include "tasks/KPTask.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class KPTaskCellDelegate;
class KPTaskCyclesMenu;
class KPTaskListDelegate;
class KPTaskManager;
class KPTaskTableModel;
class KPTaskTableView;
class KPTaskTextEditor;
class QMenu;
class QMimeData;
class QTableView;

// The table of the user's tasks: text, checkbox and cycle count per row. Hands
// the user's changes to its manager's rules and refreshes the rows they change.
class KPTaskList : public QWidget
{
    Q_OBJECT

public:
    enum class DropOperation
    {
        on = 0,
        above = 1
    };
    static inline const QString pasteboardType = QStringLiteral("public.kptask");
    static constexpr int completedColumnWidth = 19;

    // The frame is in the parent's bottom-left coordinates.
    explicit KPTaskList(const QRect& frame, QWidget* parent = nullptr);
    ~KPTaskList() override;

    KPTaskListDelegate* delegate() const { return m_delegate; }
    void setDelegate(KPTaskListDelegate* delegate) { m_delegate = delegate; }
    KPTaskManager* taskManager() const { return m_taskManager.get(); }
    void setTaskManager(std::unique_ptr<KPTaskManager> manager);
    bool isEmphasizingFirstTask() const { return m_isEmphasizingFirstTask; }
    void setEmphasizingFirstTask(bool emphasizing);
    bool isAutorearranging() const { return m_isAutorearranging; }
    void setAutorearranging(bool autorearranging) { m_isAutorearranging = autorearranging; }
    bool isShowingCycles() const { return m_isShowingCycles; }
    void setShowingCycles(bool showing) { m_isShowingCycles = showing; }
    std::optional<int> editedRow() const { return m_editedRow; }
    // The controls that act on the edited row: the focus may go to them without ending the edit.
    void setEditingControls(const QList<QWidget*>& controls);
    KPTaskCyclesMenu* cyclesMenu() const { return m_cyclesMenu; }
    // The table is its own scroll view.
    QTableView* tableView() const;
    KPTaskTableModel* model() const { return m_model; }
    // The open text editor, if a row is being edited.
    KPTaskTextEditor* editor() const;
    // The height of all rows together.
    int contentHeight() const;

    void reloadData();
    void addTask();
    // Without a row, the edited row.
    void removeTask(std::optional<int> row = std::nullopt);
    void moveTask(int from, int to);
    void moveEditedTaskDown();
    void beginEditing(int row);
    void changeCycleCount(int row, qint64 delta);
    // A finished work cycle, credited as the manager's rule says.
    void creditWorkCycle();
    void updateCyclesColumnWidth();
    void requestResize();

    // What the table asks of its data source and delegate.
    int rowHeight(int row) const;
    bool isEmphasizedRow(int row) const;
    KPTask::AttributedString attributedStringForRow(int row) const;
    void tableRowClicked(int column, int row);
    void checkboxClicked(int row);
    void increaseCycleCount();
    void decreaseCycleCount();
    std::unique_ptr<QMimeData> writeRowsToPasteboard(const QList<int>& rows) const;
    Qt::DropAction validateDrop(const QObject* source, DropOperation operation, int row) const;
    bool acceptDrop(const QMimeData* data, int row);
    // The row's context menu, with "Delete" in it.
    QMenu* rowMenu(int row);
    void tableViewDidResize();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Editing
    {
        QPointer<KPTaskTextEditor> editor;
        QPersistentModelIndex index;
    };

    int rowCount() const;
    void endEditing(KPTaskTextEditor* editor, bool commit);
    void remeasureRows(int first, int last);
    void reloadRow(int row, std::initializer_list<int> columns);
    void showCycleCount(int row);
    void layOutColumns();
    void columnDidResize(int column);

    KPTaskListDelegate* m_delegate = nullptr;
    std::unique_ptr<KPTaskManager> m_taskManager;
    bool m_isEmphasizingFirstTask = false;
    bool m_isAutorearranging = false;
    bool m_isShowingCycles = true;
    std::optional<int> m_editedRow;
    KPTaskCyclesMenu* m_cyclesMenu = nullptr;
    KPTaskTableView* m_tableView = nullptr;
    KPTaskTableModel* m_model = nullptr;
    KPTaskCellDelegate* m_cellDelegate = nullptr;
    QMenu* m_rowMenu = nullptr;
    QAction* m_deleteAction = nullptr;
    Editing m_editing;
    QList<QPointer<QWidget>> m_editingControls;
    bool m_isResizePending = false;
    bool m_isDestroying = false;
};
