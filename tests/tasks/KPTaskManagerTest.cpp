#include "tasks/KPTaskManager.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <limits>

class KPTaskManagerTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    void listRules_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("operation"); // a rule and its arguments
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("resultIndex");
        const auto row = [](const char* name, const char* before, const char* operation,
                            const char* after, int result) {
            QTest::newRow(name) << before << operation << after << result;
        };
        row("add above completed", "A B C*", "add 1", "A B New_Task C*", 2);
        row("check B", "A B C*", "toggle 1 1", "A C* B*", 2);
        row("uncheck C", "A B* C*", "toggle 2 1", "A C B*", 1);
        row("check first", "A B C", "toggle 0 1", "B C A*", 2);
        row("drag A to end", "A B C* D*", "drop 0 4", "B A C* D*", 1);
        row("drag D above B", "A B C* D*", "drop 3 1", "A D B C*", 1);
        row("drag open below block", "B C* A", "drop 2 3", "B A C*", 1);
    }
    void listRules()
    {
        QFETCH(QString, before);
        QFETCH(QString, operation);
        QFETCH(QString, after);
        QFETCH(int, resultIndex);
        storeTasks(parseTasks(before));
        KPTaskManager manager;
        const QStringList words = operation.split(' ');
        const QString rule = words[0];
        const int a = words[1].toInt(), b = words.value(2).toInt();
        qsizetype result = -1;
        if (rule == "add") {
            result = manager.addTask(a != 0);
        } else if (rule == "toggle") {
            result = manager.toggleCompleted(a, b != 0);
        } else {
            const auto move = manager.dropTask(manager.tasks[a], b);
            QVERIFY(move);
            result = move->to;
        }
        QCOMPARE(describe(manager.tasks), after);
        QCOMPARE(result, qsizetype(resultIndex));
        // Every rule saves before it returns.
        QCOMPARE(storedTasks(), manager.tasks);
    }

    void changeCycleCount()
    {
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        const auto count = [](qint64 n) { return n < 0 ? std::nullopt : std::optional(n); };
        // The stored count (-1: absent), the change and the count after it.
        const std::tuple<qint64, qint64, qint64> cases[] = {{-1, 1, 1}, {1, -1, -1}, {-1, -1, -1},
                                                            {5, -1, 4}, {0, 1, 1},   {max, 1, max}};
        for (const auto& [start, delta, expected] : cases) {
            QList<KPTask> tasks = parseTasks("A B");
            tasks[1].cycleCount = count(start);
            storeTasks(tasks);
            KPTaskManager manager;
            manager.changeCycleCount(1, delta);
            QCOMPARE(manager.tasks[1].cycleCount, count(expected));
            QCOMPARE(storedTasks().at(1).cycleCount, count(expected));
        }
    }

    // Members beside the known ones are passed over; a missing id, an integer
    // flag or a fractional count make the whole list undecodable.
    void decoding()
    {
        QVERIFY(KPTask::listFromJson(R"([{"id":1,"string":"A","isCompleted":false,"x":[1]}])"));
        for (const char* json : {R"([{"id":1,"string":"A","isCompleted":false},{"string":"B"}])",
                                 R"([{"id":1,"string":"A","isCompleted":0}])",
                                 R"([{"id":1,"string":"A","isCompleted":true,"cycleCount":1.5}])"})
            QVERIFY2(!KPTask::listFromJson(json), json);
    }

    void undecodableStoredListIsKeptAside()
    {
        // Not a data value: kept aside as the store held it, on the first save only.
        m_home.writeStandardFile(R"({"tasks": "my tasks"})");
        const QString folder = QFileInfo(m_home.standardFilePath()).absolutePath();
        KPTaskManager manager;
        QVERIFY(manager.tasks.isEmpty() && manager.hasUndecodableStoredTasks());
        manager.addTask(true);
        manager.addTask(true);
        QFile keptFile(manager.undecodableTasksPath());
        QCOMPARE(QFileInfo(keptFile).absolutePath(), folder);
        QVERIFY(keptFile.open(QIODevice::ReadOnly));
        QCOMPARE(keptFile.readAll(), "\"my tasks\"");
        QCOMPARE(storedDescription(), QStringLiteral("New_Task New_Task"));
        QCOMPARE(QDir(folder).entryList({"tasks.undecodable-*"}, QDir::Files).size(), 1);
    }
};

QTEST_GUILESS_MAIN(KPTaskManagerTest)
#include "KPTaskManagerTest.moc"
