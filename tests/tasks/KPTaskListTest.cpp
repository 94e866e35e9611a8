#include "tasks/KPTaskList.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
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
using Heights = QList<int>;

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
    Heights rowHeights()
    {
        Heights heights;
        for (int row = 0; row < m_list->model()->rowCount(); ++row)
            heights << table()->rowHeight(row);
        return heights;
    }
    void click(int row, int column)
    {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                          table()->visualRect(m_list->model()->index(row, column)).center());
    }
    // The list, in memory and in the store, and its row heights.
    void expect(const QString& tasks, const Heights& heights)
    {
        QCOMPARE(describe(manager().tasks), tasks);
        QCOMPARE(storedDescription(), tasks);
        QCOMPARE(rowHeights(), heights);
    }

private Q_SLOTS:
    void cleanup()
    {
        m_window.reset();
        m_list = nullptr;
    }

    void rowHeightsFollowWrappedLines()
    {
        makeList("A B");
        QCOMPARE(columnWidth(Column::taskColumn), 181);
        const int heights[2][3] = {{21, 38, 55}, {25, 46, 67}}; // plain, first task
        for (int row : {0, 1}) {
            const int pixelSize = row == 0 ? 17 : 12;
            for (int lines = 1; lines <= 3; ++lines) {
                manager().tasks[row].string = textOfLines(lines, pixelSize, 179);
                m_list->reloadData();
                QCOMPARE(table()->rowHeight(row), heights[1 - row][lines - 1]);
                QCOMPARE(font(row).pixelSize(), pixelSize);
                QCOMPARE(m_list->contentHeight(), table()->rowHeight(0) + table()->rowHeight(1));
            }
        }
    }

    // Each step starts from the widths the one before left.
    void cyclesColumnGivesAndTakesWidth()
    {
        makeList("A B");
        // The largest count, whether counts show, and the column's width.
        const int steps[][3] = {{0, 1, 0},  {9, 1, 15},  {10, 1, 23}, {999, 1, 31},
                                {12, 0, 0}, {12, 1, 23}, {0, 1, 0}};
        for (const auto& [count, showing, width] : steps) {
            manager().tasks[1].cycleCount = count ? std::optional<qint64>(count) : std::nullopt;
            m_list->setShowingCycles(showing);
            m_list->updateCyclesColumnWidth();
            QCOMPARE(columnWidth(Column::cyclesColumn), width);
            QCOMPARE(columnWidth(Column::taskColumn), 181 - width);
        }
        QCOMPARE(columnWidth(Column::completedColumn), 19);
    }

    void cyclesMenuNarrowsTheTextColumnAndRewraps()
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
        makeList(QList<KPTask>{{1, "A", false, std::nullopt}, {2, text, false, std::nullopt}});
        QCOMPARE(table()->rowHeight(1), 21);

        m_list->tableRowClicked(Column::cyclesColumn, 1);
        KPTaskCyclesMenu* menu = m_list->cyclesMenu();
        QVERIFY(menu->isVisible());
        menu->increaseButton()->click();
        QCOMPARE(storedTasks().at(1).cycleCount, std::optional<qint64>(1));
        QCOMPARE(cell(1, Column::cyclesColumn).toString(), "1");
        QCOMPARE(columnWidth(Column::cyclesColumn), 15);
        QCOMPARE(columnWidth(Column::taskColumn), 166);
        QCOMPARE(table()->rowHeight(1), 38);
        QCOMPARE(m_delegate.heightChanges, 0); // told after the current event
        loop.runPending();
        QCOMPARE(m_delegate.heightChanges, 1);

        m_delegate.canResize = false; // asked first: the list stays as it is
        menu->decreaseButton()->click();
        QVERIFY(!manager().tasks[1].cycleCount);
        QCOMPARE(cell(1, Column::cyclesColumn).toString(), QString());
        QCOMPARE(columnWidth(Column::cyclesColumn), 0);
        QCOMPARE(columnWidth(Column::taskColumn), 181);
        QCOMPARE(table()->rowHeight(1), 21);
        loop.runPending();
        QCOMPARE(m_delegate.heightChanges, 1);
        menu->close();
        // The text column takes every change of the list's width.
        m_list->setGeometry(0, 0, 250, 300);
        QCOMPARE(columnWidth(Column::taskColumn), 250 - 19);
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

            QCOMPARE(describe(manager().tasks), after);
            QVERIFY(!m_list->editedRow() && !m_list->editor());
            QCOMPARE(m_delegate.editedRows.last(), std::nullopt);
            QCOMPARE(storedDescription(), ending == byEscape ? "A B C" : after);
            QCOMPARE(table()->verticalHeader()->count(), int(manager().tasks.size()));
        }
    }

    void editingAnotherRowCommitsTheFirst()
    {
        makeList("A B");
        m_list->beginEditing(0);
        QTest::keyClicks(m_list->editor(), "First");
        click(1, Column::taskColumn);
        QCOMPARE(describe(manager().tasks), QStringLiteral("First B"));
        QCOMPARE(m_delegate.editedRows, (QList<std::optional<int>>{0, std::nullopt, 1}));
    }

    void checkboxReordersAndMovesTheEmphasis()
    {
        const std::tuple<QString, int, QString, Heights> cases[] = {
            {"A B C", 0, "B C A*", {25, 21, 21}},   // check the first
            {"B C* A*", 2, "B A C*", {25, 21, 21}}, // uncheck: rises above the completed
            {"B* C*", 1, "C B*", {25, 21}},         // uncheck: to the top
            {"A* B*", 0, "A B*", {25, 21}},         // uncheck the first, in place
            {"A", 0, "A*", {21}}};
        for (const auto& [before, row, after, heights] : cases) {
            makeList(before);
            const int oldHeight = m_list->contentHeight();
            click(row, Column::completedColumn);
            expect(after, heights);
            const bool firstDone = manager().tasks[0].isCompleted;
            QCOMPARE(font(0).pixelSize(), firstDone ? 12 : 17);
            QCOMPARE(font(0).strikeOut(), firstDone);
            for (int r = 0; r < heights.size(); ++r)
                QCOMPARE(
                    cell(r, Column::completedColumn, Qt::CheckStateRole).value<Qt::CheckState>(),
                    manager().tasks[r].isCompleted ? Qt::Checked : Qt::Unchecked);
            QCOMPARE(m_delegate.heightChanges > 0, m_list->contentHeight() != oldHeight);
        }
    }

    void addOpensTheNewTaskForEditing()
    {
        const std::tuple<QString, QString, Heights, int> cases[] = {
            {"A B* C*", "A New_Task B* C*", {25, 21, 21, 21}, 1}, {"", "New_Task", {25}, 0}};
        for (const auto& [before, after, heights, row] : cases) {
            ManualRunLoop loop;
            makeList(before);
            m_list->addTask();
            expect(after, heights);
            for (int r = 0; r < heights.size(); ++r)
                QCOMPARE(cell(r, Column::taskColumn).toString(), manager().tasks[r].string);
            QCOMPARE(m_delegate.heightChanges, 1);
            QVERIFY(!m_list->editedRow());
            loop.runPending();
            QCOMPARE(m_list->editedRow(), std::optional<int>(row));
            QCOMPARE(m_list->editor()->textCursor().selectedText(), "New Task");
        }
    }

    void movesCarryTheEmphasis()
    {
        makeList("A B C");
        m_list->beginEditing(0);
        m_list->moveEditedTaskDown();
        expect("B A C", {25, 21, 21});
        m_list->moveTask(2, 0);
        expect("C B A", {25, 21, 21});
    }

    void dropValidation()
    {
        makeList("A B");
        using Op = KPTaskList::DropOperation;
        QCOMPARE(m_list->validateDrop(table(), Op::above, 1), Qt::MoveAction);
        QCOMPARE(m_list->validateDrop(table(), Op::on, 1), Qt::IgnoreAction);
        QCOMPARE(m_list->validateDrop(m_otherField, Op::above, 1), Qt::IgnoreAction);
        QCOMPARE(m_list->validateDrop(nullptr, Op::above, 1), Qt::IgnoreAction);
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
        QCOMPARE(describe(manager().tasks), QStringLiteral("A B"));
    }

    void dropMovesTheTask()
    {
        const std::tuple<int, int, QString> cases[] = {
            {0, 4, "B A C* D*"}, {3, 1, "A D B C*"}, {1, 0, "B A C* D*"}};
        for (const auto& [dragged, above, after] : cases) {
            makeList("A B C* D*");
            const std::unique_ptr<QMimeData> data = m_list->writeRowsToPasteboard({dragged});
            QVERIFY(m_list->acceptDrop(data.get(), above));
            expect(after, {25, 21, 21, 21});
        }
    }

    void deleteFromTheRowMenu()
    {
        makeList("A B C");
        m_list->beginEditing(0);
        QMenu* menu = m_list->rowMenu(0);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), "Delete");
        menu->actions().first()->trigger();
        expect("B C", {25, 21});
        QCOMPARE(font(0).pixelSize(), 17);
        QVERIFY(!m_list->editedRow());
        QVERIFY(m_delegate.heightChanges > 0);
    }
};

QTEST_MAIN(KPTaskListTest)
#include "KPTaskListTest.moc"
