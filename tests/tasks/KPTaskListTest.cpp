#include "tasks/KPTaskList.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "platform/Defaults.h"
#include "platform/ManualRunLoop.h"
#include "tasks/KPTaskCyclesMenu.h"
#include "tasks/KPTaskListDelegate.h"
#include "tasks/KPTaskManager.h"
#include "tasks/KPTaskTableModel.h"
#include "tasks/KPTaskTextEditor.h"

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

class RecordingDelegate : public KPTaskListDelegate
{
public:
    bool canResize = true;
    int heightChanges = 0;
    QList<std::optional<int>> editedRows;

    bool taskListCanResize(KPTaskList*) override { return canResize; }
    void taskListDidChangeHeight(KPTaskList*) override { ++heightChanges; }
    void taskListDidChangeEditedRow(KPTaskList* list) override
    {
        editedRows.append(list->editedRow());
    }
};

// N words that each fill more than half of a line of the given width: N lines.
QString textOfLines(int lines, const QFont& font, int width)
{
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
    void makeList(const QList<KPTask>& tasks)
    {
        if (!tasks.isEmpty())
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
    QList<int> rowHeights()
    {
        QList<int> heights;
        for (int row = 0; row < m_list->model()->rowCount(); ++row)
            heights << table()->rowHeight(row);
        return heights;
    }
    void click(int row, int column, QPoint offset = QPoint(-1, -1))
    {
        const QRect rect = table()->visualRect(m_list->model()->index(row, column));
        const QPoint at = offset.x() < 0 ? rect.center() : rect.topLeft() + offset;
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, at);
    }

private Q_SLOTS:
    void init() { m_home.reset(); }
    void cleanup()
    {
        m_window.reset();
        m_list = nullptr;
    }

    void rowHeightsFollowWrappedLines_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("emphasized");
        QTest::addColumn<int>("height");
        QTest::newRow("one line") << 1 << false << 21;
        QTest::newRow("two lines") << 2 << false << 38;
        QTest::newRow("three lines") << 3 << false << 55;
        QTest::newRow("one line, first task") << 1 << true << 25;
        QTest::newRow("two lines, first task") << 2 << true << 46;
        QTest::newRow("three lines, first task") << 3 << true << 67;
    }
    void rowHeightsFollowWrappedLines()
    {
        QFETCH(int, lines);
        QFETCH(bool, emphasized);
        QFETCH(int, height);
        makeList(parseTasks("A B"));
        QCOMPARE(columnWidth(Column::taskColumn), 181);
        QFont font = table()->font();
        font.setPixelSize(emphasized ? 17 : 12);
        const int row = emphasized ? 0 : 1;
        manager().tasks[row].string = textOfLines(lines, font, 179);
        m_list->reloadData();
        QCOMPARE(table()->rowHeight(row), height);
        QCOMPARE(cell(row, Column::taskColumn, Qt::FontRole).value<QFont>().pixelSize(),
                 emphasized ? 17 : 12);
        QCOMPARE(m_list->contentHeight(), table()->rowHeight(0) + table()->rowHeight(1));
    }

    void completedFirstTaskIsNotEmphasized()
    {
        makeList(parseTasks("A* B"));
        QCOMPARE(rowHeights(), (QList<int>{21, 21}));
        const QFont font = cell(0, Column::taskColumn, Qt::FontRole).value<QFont>();
        QCOMPARE(font.pixelSize(), 12);
        QVERIFY(font.strikeOut());
    }

    void cyclesColumnWidth_data()
    {
        QTest::addColumn<qint64>("maxCount");
        QTest::addColumn<bool>("showing");
        QTest::addColumn<int>("width");
        QTest::newRow("no counts") << qint64(0) << true << 0;
        QTest::newRow("9") << qint64(9) << true << 15;
        QTest::newRow("10") << qint64(10) << true << 23;
        QTest::newRow("999") << qint64(999) << true << 31;
        QTest::newRow("hidden") << qint64(12) << false << 0;
    }
    void cyclesColumnWidth()
    {
        QFETCH(qint64, maxCount);
        QFETCH(bool, showing);
        QFETCH(int, width);
        QList<KPTask> tasks = parseTasks("A B");
        if (maxCount > 0)
            tasks[1].cycleCount = maxCount;
        makeList(tasks);
        m_list->setShowingCycles(showing);
        m_list->updateCyclesColumnWidth();
        QCOMPARE(columnWidth(Column::cyclesColumn), width);
        QCOMPARE(columnWidth(Column::completedColumn), 19);
        QCOMPARE(columnWidth(Column::taskColumn), 181 - width);
        // Hiding and showing again gives the difference back exactly.
        m_list->setShowingCycles(!showing);
        m_list->updateCyclesColumnWidth();
        m_list->setShowingCycles(showing);
        m_list->updateCyclesColumnWidth();
        QCOMPARE(columnWidth(Column::taskColumn) + columnWidth(Column::cyclesColumn), 181);
    }

    void cyclesMenuChangesTheCount()
    {
        makeList(parseTasks("A B"));
        QCOMPARE(cell(1, Column::cyclesColumn, Qt::ToolTipRole).toString(), "Click to Edit");
        m_list->tableRowClicked(Column::cyclesColumn, 1);
        KPTaskCyclesMenu* menu = m_list->cyclesMenu();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->representedRow(), std::optional<int>(1));
        QCOMPARE(menu->increaseButton()->toolTip(), "Increase Cycle Count");
        QCOMPARE(menu->decreaseButton()->toolTip(), "Decrease Cycle Count");

        menu->increaseButton()->click();
        QCOMPARE(manager().tasks[1].cycleCount, std::optional<qint64>(1));
        QCOMPARE(cell(1, Column::cyclesColumn).toString(), "1");
        QCOMPARE(columnWidth(Column::cyclesColumn), 15);
        QCOMPARE(columnWidth(Column::taskColumn), 166);

        menu->decreaseButton()->click();
        QVERIFY(!manager().tasks[1].cycleCount);
        QCOMPARE(cell(1, Column::cyclesColumn).toString(), QString());
        QCOMPARE(columnWidth(Column::cyclesColumn), 0);
        QCOMPARE(columnWidth(Column::taskColumn), 181);
        menu->close();
    }

    void narrowerTextColumnRewrapsRows()
    {
        ManualRunLoop loop;
        QFont font = QApplication::font();
        font.setPixelSize(12);
        const QFontMetrics metrics(font);
        // One line at the full width, two once the count column takes 15 points.
        QString text = QStringLiteral("xxxxxxxxxx x");
        while (metrics.horizontalAdvance(text) <= 164)
            text += QLatin1Char('x');
        QVERIFY(metrics.horizontalAdvance(text) <= 179);
        makeList(parseTasks("A B"));
        manager().tasks[1].string = text;
        m_list->reloadData();
        QCOMPARE(table()->rowHeight(1), 21);
        m_list->changeCycleCount(0, 1);
        QCOMPARE(columnWidth(Column::taskColumn), 166);
        QCOMPARE(table()->rowHeight(1), 38);
        QCOMPARE(m_delegate.heightChanges, 0);
        loop.runPending();
        QCOMPARE(m_delegate.heightChanges, 1);
        // The text column takes every change of the list's width.
        m_list->setGeometry(0, 0, 250, 300);
        QCOMPARE(columnWidth(Column::taskColumn), 250 - 19 - 15);
    }

    void editing_data()
    {
        QTest::addColumn<QString>("typed"); // empty: the text is deleted
        QTest::addColumn<int>("ending");    // 0 Return, 1 focus loss, 2 Escape
        QTest::addColumn<QString>("after");
        QTest::newRow("return commits") << "Buy milk" << 0 << "A Buy_milk C";
        QTest::newRow("focus loss commits") << "Buy milk" << 1 << "A Buy_milk C";
        QTest::newRow("escape keeps the old text") << "Buy milk" << 2 << "A B C";
        QTest::newRow("empty text removes the task") << "" << 0 << "A C";
        QTest::newRow("spaces are kept") << "   " << 0 << "A ___ C";
    }
    void editing()
    {
        QFETCH(QString, typed);
        QFETCH(int, ending);
        QFETCH(QString, after);
        makeList(parseTasks("A B C"));
        click(1, Column::taskColumn);
        QCOMPARE(m_list->editedRow(), std::optional<int>(1));
        QCOMPARE(m_delegate.editedRows, (QList<std::optional<int>>{1}));
        KPTaskTextEditor* editor = m_list->editor();
        QVERIFY(editor);
        QCOMPARE(editor->textCursor().selectedText(), "B");
        if (typed.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, typed);
        if (ending == 1)
            m_otherField->setFocus();
        else
            QTest::keyClick(editor, ending == 0 ? Qt::Key_Return : Qt::Key_Escape);

        QCOMPARE(describe(manager().tasks), after);
        QVERIFY(!m_list->editedRow());
        QVERIFY(!m_list->editor());
        QCOMPARE(m_delegate.editedRows.last(), std::nullopt);
        if (ending != 2)
            QCOMPARE(storedDescription(), after);
        QCOMPARE(table()->verticalHeader()->count(), int(manager().tasks.size()));
    }

    void editingAnotherRowCommitsTheFirst()
    {
        makeList(parseTasks("A B"));
        m_list->beginEditing(0);
        QTest::keyClicks(m_list->editor(), "First");
        click(1, Column::taskColumn);
        QCOMPARE(describe(manager().tasks), QStringLiteral("First B"));
        QCOMPARE(m_list->editedRow(), std::optional<int>(1));
        QCOMPARE(m_delegate.editedRows, (QList<std::optional<int>>{0, std::nullopt, 1}));
    }

    void checkboxReordersAndMovesTheEmphasis_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QList<int>>("heights");
        QTest::newRow("check first") << "A B C" << 0 << "B C A*" << QList<int>{25, 21, 21};
        QTest::newRow("uncheck last, in place")
            << "B C A*" << 2 << "B C A" << QList<int>{25, 21, 21};
        QTest::newRow("uncheck rises") << "B C* A*" << 2 << "B A C*" << QList<int>{25, 21, 21};
        QTest::newRow("uncheck to the top") << "B* C*" << 1 << "C B*" << QList<int>{25, 21};
        QTest::newRow("uncheck first") << "A* B*" << 0 << "A B*" << QList<int>{25, 21};
        QTest::newRow("only task") << "A" << 0 << "A*" << QList<int>{21};
    }
    void checkboxReordersAndMovesTheEmphasis()
    {
        QFETCH(QString, before);
        QFETCH(int, row);
        QFETCH(QString, after);
        QFETCH(QList<int>, heights);
        makeList(parseTasks(before));
        const int oldHeight = m_list->contentHeight();
        click(row, Column::completedColumn);
        QCOMPARE(describe(manager().tasks), after);
        QCOMPARE(storedDescription(), after);
        QCOMPARE(rowHeights(), heights);
        QCOMPARE(cell(0, Column::taskColumn, Qt::FontRole).value<QFont>().pixelSize(),
                 manager().tasks[0].isCompleted ? 12 : 17);
        for (int r = 0; r < heights.size(); ++r)
            QCOMPARE(cell(r, Column::completedColumn, Qt::CheckStateRole).value<Qt::CheckState>(),
                     manager().tasks[r].isCompleted ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(m_delegate.heightChanges > 0, m_list->contentHeight() != oldHeight);
    }

    void clickBesideTheCheckboxDoesNothing()
    {
        QFont font = QApplication::font();
        font.setPixelSize(12);
        makeList({{1, textOfLines(3, font, 179), false, std::nullopt}});
        // A tall row: the box sits in the middle, its top edge is empty.
        QVERIFY(table()->rowHeight(0) > 40);
        click(0, Column::completedColumn, QPoint(5, 2));
        QVERIFY(!manager().tasks[0].isCompleted);
    }

    void addGoesAboveCompletedTasksAndOpensForEditing()
    {
        ManualRunLoop loop;
        makeList(parseTasks("A B* C*"));
        m_list->addTask();
        QCOMPARE(describe(manager().tasks), QStringLiteral("A New_Task B* C*"));
        QCOMPARE(storedDescription(), QStringLiteral("A New_Task B* C*"));
        for (int row = 0; row < 4; ++row)
            QCOMPARE(cell(row, Column::taskColumn).toString(), manager().tasks[row].string);
        QCOMPARE(rowHeights(), (QList<int>{25, 21, 21, 21}));
        QCOMPARE(m_delegate.heightChanges, 1);
        QVERIFY(!m_list->editedRow());
        loop.runPending();
        QCOMPARE(m_list->editedRow(), std::optional<int>(1));
        QVERIFY(m_list->editor());
        QCOMPARE(m_list->editor()->textCursor().selectedText(), "New Task");
    }

    void addToEmptyListTakesTheEmphasis()
    {
        ManualRunLoop loop;
        makeList({});
        QCOMPARE(columnWidth(Column::cyclesColumn), 0);
        m_list->addTask();
        QCOMPARE(rowHeights(), (QList<int>{25}));
        loop.runPending();
        QCOMPARE(m_list->editedRow(), std::optional<int>(0));
    }

    void moveEditedTaskDown()
    {
        makeList(parseTasks("A B C"));
        m_list->beginEditing(0);
        m_list->moveEditedTaskDown();
        QCOMPARE(describe(manager().tasks), QStringLiteral("B A C"));
        QCOMPARE(rowHeights(), (QList<int>{25, 21, 21}));
        m_list->moveTask(2, 0);
        QCOMPARE(storedDescription(), QStringLiteral("C B A"));
        QCOMPARE(rowHeights(), (QList<int>{25, 21, 21}));
    }

    void dropValidation()
    {
        makeList(parseTasks("A B"));
        using Op = KPTaskList::DropOperation;
        QCOMPARE(m_list->validateDrop(table(), Op::above, 1), Qt::MoveAction);
        QCOMPARE(m_list->validateDrop(table(), Op::on, 1), Qt::IgnoreAction);
        QCOMPARE(m_list->validateDrop(m_otherField, Op::above, 1), Qt::IgnoreAction);
        QCOMPARE(m_list->validateDrop(nullptr, Op::above, 1), Qt::IgnoreAction);

        // A drag from outside the application has no source: refused.
        std::unique_ptr<QMimeData> data = m_list->writeRowsToPasteboard({1, 0});
        QVERIFY(data);
        QCOMPARE(KPTask::fromJson(data->data("public.kptask")), std::optional(manager().tasks[1]));
        QDragMoveEvent move(QPoint(10, 2), Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(table()->viewport(), &move);
        QVERIFY(!move.isAccepted());
        QVERIFY(!m_list->writeRowsToPasteboard({}));
    }

    void dropMovesTheTask_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<int>("above");
        QTest::addColumn<QString>("after");
        QTest::newRow("A to the end") << 0 << 4 << "B A C* D*";
        QTest::newRow("D above B") << 3 << 1 << "A D B C*";
        QTest::newRow("B above A") << 1 << 0 << "B A C* D*";
    }
    void dropMovesTheTask()
    {
        QFETCH(int, dragged);
        QFETCH(int, above);
        QFETCH(QString, after);
        makeList(parseTasks("A B C* D*"));
        const std::unique_ptr<QMimeData> data = m_list->writeRowsToPasteboard({dragged});
        QVERIFY(m_list->acceptDrop(data.get(), above));
        QCOMPARE(describe(manager().tasks), after);
        QCOMPARE(storedDescription(), after);
        QCOMPARE(rowHeights(), (QList<int>{25, 21, 21, 21}));
    }

    void badDropsChangeNothing()
    {
        makeList(parseTasks("A B"));
        QMimeData garbage;
        garbage.setData("public.kptask", "{\"id\":");
        QVERIFY(!m_list->acceptDrop(&garbage, 0));
        QMimeData stranger;
        stranger.setData("public.kptask", *KPTask{99, "X", false, std::nullopt}.toJson());
        QVERIFY(!m_list->acceptDrop(&stranger, 0));
        QMimeData text;
        text.setText("A");
        QVERIFY(!m_list->acceptDrop(&text, 0));
        QCOMPARE(describe(manager().tasks), QStringLiteral("A B"));
        QVERIFY(!Defaults::standard().contains("tasks") || storedDescription() == "A B");
    }

    void deleteFromTheRowMenu()
    {
        makeList(parseTasks("A B C"));
        m_list->beginEditing(0);
        QMenu* menu = m_list->rowMenu(0);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), "Delete");
        menu->actions().first()->trigger();
        QCOMPARE(describe(manager().tasks), QStringLiteral("B C"));
        QCOMPARE(storedDescription(), QStringLiteral("B C"));
        QCOMPARE(rowHeights(), (QList<int>{25, 21}));
        QCOMPARE(cell(0, Column::taskColumn, Qt::FontRole).value<QFont>().pixelSize(), 17);
        QVERIFY(!m_list->editedRow());
        QVERIFY(m_delegate.heightChanges > 0);
    }

    void resizingIsAskedFirst()
    {
        makeList(parseTasks("A"));
        m_delegate.canResize = false;
        m_list->requestResize();
        QCOMPARE(m_delegate.heightChanges, 0);
        m_delegate.canResize = true;
        m_list->requestResize();
        QCOMPARE(m_delegate.heightChanges, 1);
    }

    void withoutManagerNothingHappens()
    {
        KPTaskList list(QRect(0, 20, 200, 0));
        list.addTask();
        list.removeTask(0);
        list.moveTask(0, 1);
        list.beginEditing(0);
        list.changeCycleCount(0, 1);
        list.updateCyclesColumnWidth();
        list.tableRowClicked(2, 0);
        QCOMPARE(list.model()->rowCount(), 0);
        QCOMPARE(list.tableView()->columnWidth(Column::cyclesColumn), 0);
        QCOMPARE(list.tableView()->columnWidth(Column::taskColumn), 181);
        QVERIFY(!list.writeRowsToPasteboard({0}));
    }
};

QTEST_MAIN(KPTaskListTest)
#include "KPTaskListTest.moc"
