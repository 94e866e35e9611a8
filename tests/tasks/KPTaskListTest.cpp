#include "tasks/KPTaskList.h"
#include "ManualRunLoop.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "tasks/KPTaskCellDelegate.h"
#include "tasks/KPTaskListDelegate.h"
#include "tasks/KPTaskManager.h"
#include "tasks/KPTaskTableModel.h"
#include "tasks/KPTaskTextEditor.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMimeData>
#include <QTableView>
#include <QTest>

namespace {

using Column = KPTaskTableModel::Column;

struct QuietDelegate : KPTaskListDelegate
{
    bool taskListCanResize(KPTaskList*) override { return true; }
    void taskListDidChangeHeight(KPTaskList*) override {}
    void taskListDidChangeEditedRow(KPTaskList*) override {}
};

} // namespace

class KPTaskListTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;
    std::unique_ptr<QWidget> m_window;
    KPTaskList* m_list = nullptr;
    QuietDelegate m_delegate;

    // Builds the list as its container does, over the given stored tasks.
    void makeList(const QString& tasks)
    {
        m_window.reset(); // before the store its tasks save to goes
        m_home.reset();
        storeTasks(parseTasks(tasks));
        m_window = std::make_unique<QWidget>();
        m_window->resize(200, 320);
        m_list = new KPTaskList(QRect(0, 20, 200, 0), m_window.get());
        m_list->setEmphasizingFirstTask(true);
        m_list->setAutorearranging(true);
        m_list->setDelegate(&m_delegate);
        m_list->setTaskManager(std::make_unique<KPTaskManager>());
        m_list->updateCyclesColumnWidth();
        m_list->reloadData();
        m_list->setGeometry(0, 0, 200, 300);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    KPTaskManager& manager() { return *m_list->taskManager(); }
    QTableView* table() { return m_list->tableView(); }
    QFont font(int row)
    {
        return m_list->model()->index(row, Column::taskColumn).data(Qt::FontRole).value<QFont>();
    }
    void click(int row, int column)
    {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                          table()->visualRect(m_list->model()->index(row, column)).center());
    }
    // The list, in memory and in the store; only an open first task is emphasised.
    void expect(const QString& tasks)
    {
        QCOMPARE(describe(manager().tasks), tasks);
        QCOMPARE(storedDescription(), tasks);
        const int rows = m_list->model()->rowCount();
        for (int row = 1; row < rows; ++row) {
            const bool emphasis = row == 1 && !manager().tasks[0].isCompleted;
            QCOMPARE(font(row - 1).pixelSize() > font(row).pixelSize(), emphasis);
        }
    }

private Q_SLOTS:
    void editing_data()
    {
        QTest::addColumn<QString>("typed"); // empty: the text deleted
        QTest::addColumn<int>("ending");    // a key, or none: the focus leaves
        QTest::addColumn<QString>("after");
        QTest::newRow("return") << "Buy milk" << int(Qt::Key_Return) << "A Buy_milk C";
        QTest::newRow("focus loss") << "Buy milk" << 0 << "A Buy_milk C";
        QTest::newRow("escape") << "Buy milk" << int(Qt::Key_Escape) << "A B C";
        QTest::newRow("emptied") << "" << int(Qt::Key_Return) << "A C";
    }
    void editing()
    {
        QFETCH(QString, typed);
        QFETCH(int, ending);
        QFETCH(QString, after);
        makeList("A B C");
        click(1, Column::taskColumn);
        KPTaskTextEditor* editor = m_list->editor();
        QCOMPARE(editor->textCursor().selectedText(), "B");
        if (typed.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, typed);
        if (ending)
            QTest::keyClick(editor, Qt::Key(ending));
        else
            editor->clearFocus();
        expect(after);
        QVERIFY(!m_list->editedRow() && !m_list->editor());
    }

    // Clicks, drags and edits reach the manager and the store, and the table
    // hears of each as Qt's rules for models say.
    void changesThroughTheView()
    {
        ManualRunLoop loop;
        makeList("A B C* D*");
        QAbstractItemModelTester tester(m_list->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        click(0, Column::completedColumn);
        expect("B C* D* A*");
        m_list->addTask();
        expect("B New_Task C* D* A*");
        loop.runPending();
        QCOMPARE(m_list->editedRow(), std::optional<int>(1));
        m_list->removeTask(std::nullopt); // the new task, being edited
        const std::unique_ptr<QMimeData> data = m_list->writeRowsToPasteboard({3});
        QVERIFY(m_list->acceptDrop(data.get(), 0));
        expect("A B C* D*"); // dropped among open tasks, A is open again
        QVERIFY(m_list->model()->setData(m_list->model()->index(1, Column::taskColumn), "Z",
                                         Qt::EditRole));
        expect("A Z C* D*");
        // The count column shows the largest count whole and the columns fill the table.
        m_list->changeCycleCount(2, 99999);
        QVERIFY(QFontMetrics(KPTaskCellDelegate::cycleCountFont()).horizontalAdvance("99999") <
                table()->columnWidth(Column::cyclesColumn));
        QCOMPARE(table()->columnWidth(Column::taskColumn) +
                     table()->columnWidth(Column::completedColumn) +
                     table()->columnWidth(Column::cyclesColumn),
                 table()->viewport()->width());
    }
};

QTEST_MAIN(KPTaskListTest)
#include "KPTaskListTest.moc"
