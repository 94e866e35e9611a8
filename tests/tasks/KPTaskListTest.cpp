#include "tasks/KPTaskList.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "platform/ManualRunLoop.h"
#include "tasks/KPTaskCellDelegate.h"
#include "tasks/KPTaskCyclesMenu.h"
#include "tasks/KPTaskListDelegate.h"
#include "tasks/KPTaskManager.h"
#include "tasks/KPTaskTableModel.h"
#include "tasks/KPTaskTextEditor.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

using Column = KPTaskTableModel::Column;

struct RecordingDelegate : KPTaskListDelegate
{
    bool taskListCanResize(KPTaskList*) override { return canResize; }
    void taskListDidChangeHeight(KPTaskList*) override { ++heightChanges; }
    void taskListDidChangeEditedRow(KPTaskList* l) override { editedRows << l->editedRow(); }
    bool canResize = true;
    int heightChanges = 0;
    QList<std::optional<int>> editedRows;
};

// N words that each fill more than half of a line of the given width: N lines.
QString textOfLines(int lines, int pixelSize, int width)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    QString word = QStringLiteral("x");
    while (metrics.horizontalAdvance(word + QStringLiteral(" x")) <= width * 0.6)
        word += QLatin1Char('x');
    return QStringList(lines, word).join(QLatin1Char(' '));
}

} // namespace

class KPTaskListTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;
    std::unique_ptr<QWidget> m_window;
    KPTaskList* m_list = nullptr;
    QLineEdit* m_otherField = nullptr;
    RecordingDelegate m_delegate;

    // Builds the list as its container does, over the given stored tasks.
    void makeList(const QString& tasks) { makeList(parseTasks(tasks)); }
    void makeList(const QList<KPTask>& tasks)
    {
        m_window.reset(); // before the store its tasks save to goes
        m_home.reset();
        storeTasks(tasks);
        m_window = std::make_unique<QWidget>();
        m_window->resize(200, 320);
        m_otherField = new QLineEdit(m_window.get());
        m_otherField->setGeometry(0, 300, 200, 20);
        m_list = new KPTaskList(QRect(0, 20, 200, 0), m_window.get());
        m_list->setEmphasizingFirstTask(true);
        m_list->setAutorearranging(true);
        m_list->setDelegate(&m_delegate);
        m_list->setTaskManager(std::make_unique<KPTaskManager>());
        m_list->updateCyclesColumnWidth();
        m_list->reloadData();
        m_list->setGeometry(0, 0, 200, 300);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        m_delegate = RecordingDelegate();
    }
    KPTaskManager& manager() { return *m_list->taskManager(); }
    QTableView* table() { return m_list->tableView(); }
    int columnWidth(int column) { return table()->columnWidth(column); }
    QVariant cell(int row, int column, int role = Qt::DisplayRole)
    {
        return m_list->model()->index(row, column).data(role);
    }
    QFont font(int row) { return cell(row, Column::taskColumn, Qt::FontRole).value<QFont>(); }
    void click(int row, int column)
    {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                          table()->visualRect(m_list->model()->index(row, column)).center());
    }
    // The list, in memory and in the store; only an open first task is
    // emphasised, and rows of one line are as high as each other.
    void expect(const QString& tasks)
    {
        QCOMPARE(describe(manager().tasks), tasks);
        QCOMPARE(storedDescription(), tasks);
        const int rows = m_list->model()->rowCount();
        const bool emphasis = rows > 0 && !manager().tasks[0].isCompleted;
        int height = 0;
        for (int row = 0; row < rows; ++row) {
            height += table()->rowHeight(row);
            if (row == 0 || rows == 1)
                continue;
            QCOMPARE(table()->rowHeight(row), table()->rowHeight(rows - 1));
            QCOMPARE(font(row).pixelSize(), font(rows - 1).pixelSize());
        }
        QCOMPARE(m_list->contentHeight(), height);
        if (rows > 1) {
            QCOMPARE(table()->rowHeight(0) > table()->rowHeight(1), emphasis);
            QCOMPARE(font(0).pixelSize() > font(1).pixelSize(), emphasis);
        }
        for (int r = 0; r < rows; ++r)
            QCOMPARE(cell(r, Column::completedColumn, Qt::CheckStateRole).value<Qt::CheckState>(),
                     manager().tasks[r].isCompleted ? Qt::Checked : Qt::Unchecked);
    }
    // The count column shows every count whole and the columns fill the table.
    void expectColumnsFit()
    {
        const QFontMetrics metrics(KPTaskCellDelegate::cycleCountFont());
        for (const KPTask& task : manager().tasks)
            if (task.cycleCount && m_list->isShowingCycles())
                QVERIFY(metrics.horizontalAdvance(QString::number(*task.cycleCount)) <
                        columnWidth(Column::cyclesColumn));
        QCOMPARE(columnWidth(Column::taskColumn) + columnWidth(Column::completedColumn) +
                     columnWidth(Column::cyclesColumn),
                 table()->viewport()->width());
    }

private Q_SLOTS:
    void cleanup()
    {
        m_window.reset();
        m_list = nullptr;
    }

    // Each wrapped line adds the same height, and no line is cut.
    void rowHeightsFollowWrappedLines()
    {
        makeList("A B");
        const int width = columnWidth(Column::taskColumn) - KPTaskCellDelegate::textLeft;
        for (int row : {0, 1}) {
            int previous = 0;
            int step = 0;
            for (int lines = 1; lines <= 3; ++lines) {
                manager().tasks[row].string = textOfLines(lines, font(row).pixelSize(), width);
                m_list->reloadData();
                const int height = table()->rowHeight(row);
                QVERIFY(height >= lines * QFontMetrics(font(row)).height());
                if (lines == 3)
                    QCOMPARE(height - previous, step);
                step = height - previous;
                previous = height;
                QCOMPARE(m_list->contentHeight(), table()->rowHeight(0) + table()->rowHeight(1));
            }
        }
    }

    void cyclesColumnFitsTheLargestCount()
    {
        makeList("A B");
        // The largest count, and whether counts show.
        const std::pair<qint64, bool> steps[] = {{9, true}, {99999, true}, {12, false}, {0, true}};
        for (const auto& [count, showing] : steps) {
            manager().tasks[1].cycleCount = count ? std::optional<qint64>(count) : std::nullopt;
            m_list->setShowingCycles(showing);
            m_list->updateCyclesColumnWidth();
            QCOMPARE(columnWidth(Column::cyclesColumn) == 0, count == 0 || !showing);
            expectColumnsFit();
        }
    }

    void cyclesMenuNarrowsTheTextColumnAndRewraps()
    {
        ManualRunLoop loop;
        makeList("A B");
        // One line at the full width, two once the count column takes its room.
        const QFontMetrics metrics(font(1));
        QString text = QStringLiteral("xxxxxxxxxx x");
        const int room = columnWidth(Column::taskColumn) - KPTaskCellDelegate::textLeft;
        while (metrics.horizontalAdvance(text) <= room - 8) // a one-digit count is wider
            text += QLatin1Char('x');
        QVERIFY(metrics.horizontalAdvance(text) <= room);
        manager().tasks[1].string = text;
        m_list->reloadData();
        const int oneLine = table()->rowHeight(1);

        m_list->tableRowClicked(Column::cyclesColumn, 1);
        KPTaskCyclesMenu* menu = m_list->cyclesMenu();
        QVERIFY(menu->isVisible());
        menu->increaseButton()->click();
        QCOMPARE(storedTasks().at(1).cycleCount, std::optional<qint64>(1));
        QCOMPARE(cell(1, Column::cyclesColumn).toString(), "1");
        expectColumnsFit();
        QVERIFY(table()->rowHeight(1) > oneLine);
        QCOMPARE(m_delegate.heightChanges, 0); // told after the current event
        loop.runPending();
        QCOMPARE(m_delegate.heightChanges, 1);

        m_delegate.canResize = false; // asked first: the list stays as it is
        menu->decreaseButton()->click();
        QVERIFY(!manager().tasks[1].cycleCount);
        QCOMPARE(cell(1, Column::cyclesColumn).toString(), QString());
        QCOMPARE(columnWidth(Column::cyclesColumn), 0);
        QCOMPARE(table()->rowHeight(1), oneLine);
        loop.runPending();
        QCOMPARE(m_delegate.heightChanges, 1);
        menu->close();
        m_list->setGeometry(0, 0, 250, 300); // the text column takes every change of width
        expectColumnsFit();
    }

    void editing()
    {
        constexpr int byReturn = 0, byFocusLoss = 1, byEscape = 2;
        // Typed (empty: the text deleted), how the editing ends, the list after it.
        const std::tuple<QString, int, QString> cases[] = {
            {"Buy milk", byReturn, "A Buy_milk C"},
            {"Buy milk", byFocusLoss, "A Buy_milk C"},
            {"Buy milk", byEscape, "A B C"},
            {"", byReturn, "A C"},         // removed
            {"   ", byReturn, "A ___ C"}}; // spaces are kept
        for (const auto& [typed, ending, after] : cases) {
            makeList("A B C");
            click(1, Column::taskColumn);
            QCOMPARE(m_delegate.editedRows, (QList<std::optional<int>>{1}));
            KPTaskTextEditor* editor = m_list->editor();
            QVERIFY(editor);
            QCOMPARE(editor->textCursor().selectedText(), "B");
            if (typed.isEmpty())
                QTest::keyClick(editor, Qt::Key_Delete);
            else
                QTest::keyClicks(editor, typed);
            if (ending == byFocusLoss)
                m_otherField->setFocus();
            else
                QTest::keyClick(editor, ending == byReturn ? Qt::Key_Return : Qt::Key_Escape);
            expect(after);
            QVERIFY(!m_list->editedRow() && !m_list->editor());
            QCOMPARE(m_delegate.editedRows.last(), std::nullopt);
        }
        makeList("A B"); // editing another row commits the first
        m_list->beginEditing(0);
        QTest::keyClicks(m_list->editor(), "First");
        click(1, Column::taskColumn);
        QCOMPARE(describe(manager().tasks), QStringLiteral("First B"));
        QCOMPARE(m_delegate.editedRows, (QList<std::optional<int>>{0, std::nullopt, 1}));
    }

    void checkboxReordersAndMovesTheEmphasis()
    {
        // The rules themselves are the task manager's (KPTaskManagerTest).
        const std::tuple<QString, int, QString> cases[] = {
            {"A B C", 0, "B C A*"}, {"B* C*", 1, "C B*"}, {"A", 0, "A*"}};
        for (const auto& [before, row, after] : cases) {
            makeList(before);
            const int oldHeight = m_list->contentHeight();
            click(row, Column::completedColumn);
            expect(after);
            QCOMPARE(font(0).strikeOut(), manager().tasks[0].isCompleted);
            QCOMPARE(m_delegate.heightChanges > 0, m_list->contentHeight() != oldHeight);
        }
    }

    void addOpensTheNewTaskForEditing()
    {
        const std::tuple<QString, QString, int> cases[] = {{"A B* C*", "A New_Task B* C*", 1},
                                                           {"", "New_Task", 0}};
        for (const auto& [before, after, row] : cases) {
            ManualRunLoop loop;
            makeList(before);
            m_list->addTask();
            expect(after);
            QCOMPARE(m_delegate.heightChanges, 1);
            QVERIFY(!m_list->editedRow());
            loop.runPending();
            QCOMPARE(m_list->editedRow(), std::optional<int>(row));
            QCOMPARE(m_list->editor()->textCursor().selectedText(), "New Task");
        }
    }

    void movesAndDropsCarryTheEmphasis()
    {
        makeList("A B C");
        m_list->beginEditing(0);
        m_list->moveEditedTaskDown();
        expect("B A C");
        m_list->moveTask(2, 0);
        expect("C B A");
        // The dragged row, the row it is dropped above, the list after it.
        const std::tuple<int, int, QString> drops[] = {{0, 4, "B A C* D*"}, {3, 1, "A D B C*"}};
        for (const auto& [dragged, above, after] : drops) {
            makeList("A B C* D*");
            const std::unique_ptr<QMimeData> data = m_list->writeRowsToPasteboard({dragged});
            QVERIFY(m_list->acceptDrop(data.get(), above));
            expect(after);
        }
    }

    void refusedDrops()
    {
        makeList("A B");
        using Op = KPTaskList::DropOperation;
        QCOMPARE(m_list->validateDrop(table(), Op::above, 1), Qt::MoveAction);
        QCOMPARE(m_list->validateDrop(table(), Op::on, 1), Qt::IgnoreAction);
        QCOMPARE(m_list->validateDrop(m_otherField, Op::above, 1), Qt::IgnoreAction);
        QVERIFY(!m_list->writeRowsToPasteboard({}));
        // A drag from outside the application has no source: refused.
        std::unique_ptr<QMimeData> data = m_list->writeRowsToPasteboard({1, 0});
        QCOMPARE(KPTask::fromJson(data->data("public.kptask")), std::optional(manager().tasks[1]));
        QDragMoveEvent move(QPoint(10, 2), Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(table()->viewport(), &move);
        QVERIFY(!move.isAccepted());
        QMimeData garbage, stranger, text;
        garbage.setData("public.kptask", "{\"id\":");
        stranger.setData("public.kptask", *KPTask{99, "X", false, std::nullopt}.toJson());
        text.setText("A");
        for (const QMimeData* bad : {&garbage, &stranger, &text})
            QVERIFY(!m_list->acceptDrop(bad, 0));
        expect("A B");
    }

    void deleteFromTheRowMenu()
    {
        makeList("A B C");
        m_list->beginEditing(0);
        QMenu* menu = m_list->rowMenu(0);
        QCOMPARE(menu->actions().first()->text(), "Delete");
        menu->actions().first()->trigger();
        expect("B C");
        QVERIFY(!m_list->editedRow());
        QVERIFY(m_delegate.heightChanges > 0);
    }

    // Every change the list makes reaches the table as Qt's rules for models say.
    void theModelKeepsToQtsRules()
    {
        ManualRunLoop loop;
        makeList("A B C* D*");
        QAbstractItemModelTester tester(m_list->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_list->addTask();
        loop.runPending();
        m_list->removeTask(std::nullopt); // the new task, being edited
        m_list->moveTask(0, 1);
        m_list->checkboxClicked(0);
        m_list->changeCycleCount(0, 3);
        const std::unique_ptr<QMimeData> data = m_list->writeRowsToPasteboard({2});
        QVERIFY(m_list->acceptDrop(data.get(), 0));
        QVERIFY(m_list->model()->setData(m_list->model()->index(1, Column::taskColumn), "Z",
                                         Qt::EditRole));
        expect("D Z C* B*");
        QVERIFY(!m_list->model()->moveRows({}, 0, 2, {}, 4)); // one row at a time
    }

    // Laying out one unbroken run of text takes time in proportion to its
    // length (bench/task-title-bench measures it).
    void aLongTitleIsShownShortAndKeptWhole()
    {
        const QString title(128 * 1024, QLatin1Char('x'));
        makeList(QList<KPTask>{{1, title, false, std::nullopt}});
        const QString shown = cell(0, Column::taskColumn).toString();
        QVERIFY(shown.size() < 1000 && shown.endsWith(QChar(0x2026)));
        QVERIFY(title.startsWith(shown.chopped(1)));
        QCOMPARE(cell(0, Column::taskColumn, Qt::EditRole).toString(), title);
        m_list->checkboxClicked(0);
        QCOMPARE(storedTasks().first().string, title);
    }
};

QTEST_MAIN(KPTaskListTest)
#include "KPTaskListTest.moc"
