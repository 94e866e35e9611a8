#include "tasks/KPTaskManager.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <cmath>
#include <limits>

class KPTaskManagerTest : public QObject
{
    Q_OBJECT

private:
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
        row("add, not rearranging", "A C*", "add 0", "A C* New_Task", 2);
        row("add to empty", "", "add 1", "New_Task", 0);
        row("check B", "A B C*", "toggle 1 1", "A C* B*", 2);
        row("uncheck C", "A B* C*", "toggle 2 1", "A C B*", 1);
        row("check first", "A B C", "toggle 0 1", "B C A*", 2);
        row("check, not rearranging", "A B C", "toggle 0 0", "A* B C", 0);
        row("move up past completed", "A B* C", "move 2 1", "A C B*", 1);
        row("drag A to end", "A B C* D*", "drop 0 4", "B A C* D*", 1);
        row("drag D above B", "A B C* D*", "drop 3 1", "A D B C*", 1);
        row("drag B above A", "A B C* D*", "drop 1 0", "B A C* D*", 0);
        row("drag completed first down", "C* D*", "drop 0 2", "C* D*", 0);
        row("drag open below block", "B C* A", "drop 2 3", "B A C*", 1);
        row("remove", "A B C", "remove 1", "A C", 1);
        row("rename", "A B", "rename 1 Renamed", "A Renamed", 1);
        row("rename to nothing", "A B", "rename 0", "B", -1);
    }
    void listRules()
    {
        QFETCH(QString, before);
        QFETCH(QString, operation);
        QFETCH(QString, after);
        QFETCH(int, resultIndex);
        storeTasks(parseTasks(before));
        KPTaskManager manager;
        QCOMPARE(describe(manager.tasks), before);
        const QStringList words = operation.split(' ') << QString() << QString();
        const QString rule = words[0];
        const int a = words[1].toInt(), b = words[2].toInt();
        qsizetype result = -1;
        if (rule == "add") {
            result = manager.addTask(a != 0);
            QVERIFY(!manager.tasks[result].cycleCount);
        } else if (rule == "toggle") {
            result = manager.toggleCompleted(a, b != 0);
        } else if (rule == "move") {
            manager.moveTask(a, b);
            result = b;
        } else if (rule == "drop") {
            const auto move = manager.dropTask(manager.tasks[a], b);
            QVERIFY(move);
            result = move->to;
        } else if (rule == "remove") {
            manager.removeTask(a);
            result = a;
        } else {
            result = manager.renameTask(a, QString(words[2]).replace('_', ' ')) ? a : -1;
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

    void jsonRoundTripKeepsIdsExactly()
    {
        QList<KPTask> tasks;
        for (double id : {KPTask::currentInstant(), 756234123.98765432, 1.0 / 3.0, -0.1, 1e300})
            tasks.append({id, QStringLiteral("ünïcødé \"quoted\"\n"), true, qint64(7)});
        tasks.append({5, QString(), false, std::nullopt});
        const auto json = KPTask::listToJson(tasks);
        QVERIFY(json);
        QCOMPARE(KPTask::listFromJson(*json), std::optional<QList<KPTask>>(tasks));
        const QJsonObject last = QJsonDocument::fromJson(*json).array().last().toObject();
        QCOMPARE(last.keys(), (QStringList{"id", "isCompleted", "string"}));
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("members"); // of the first task written back; -1: rejected
        const auto row = [](const char* name, const char* json, int members) {
            QTest::newRow(name) << QByteArray(json) << members;
        };
        row("no cycleCount", R"([{"id":1,"string":"A","isCompleted":false}])", 3);
        row("extra members",
            R"([{"id":1,"string":"A","isCompleted":false,"cycleCount":3,"colour":"red","x":[1]}])",
            4);
        row("one lacks id",
            R"([{"id":1,"string":"A","isCompleted":false},{"string":"B","isCompleted":false}])",
            -1);
        row("string id", R"([{"id":"1","string":"A","isCompleted":false}])", -1);
        row("integer flag", R"([{"id":1,"string":"A","isCompleted":0}])", -1);
        row("fractional count", R"([{"id":1,"string":"A","isCompleted":false,"cycleCount":1.5}])",
            -1);
        row("empty list", "[]", 0);
    }
    void decoding()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, members);
        const auto tasks = KPTask::listFromJson(json);
        QCOMPARE(tasks.has_value(), members >= 0);
        if (members > 0) // written back without the members it did not have
            QCOMPARE(QJsonDocument::fromJson(*KPTask::listToJson(*tasks))[0].toObject().size(),
                     members);
    }

    void undecodableStoredListIsKeptAside()
    {
        const QByteArray broken = R"([{"string":"Write the report","isCompleted":false}])";
        // What the store holds, and what is kept aside.
        const std::pair<QJsonValue, QByteArray> cases[] = {
            {QJsonObject{{"$data", QString::fromLatin1(broken.toBase64())}}, broken},
            {QJsonValue("my tasks"), "\"my tasks\""}, // not a data value
            {QJsonObject{{"$data", "!!"}}, R"({"$data":"!!"})"}};
        for (const auto& [stored, kept] : cases) {
            m_home.reset();
            const QString folder = QFileInfo(m_home.standardFilePath()).absolutePath();
            m_home.writeStandardFile(
                QJsonDocument(QJsonObject{{PreferenceKeys::tasks, stored}}).toJson());
            KPTaskManager manager;
            QVERIFY(manager.tasks.isEmpty());
            QVERIFY(manager.hasUndecodableStoredTasks());
            QVERIFY(manager.undecodableTasksPath().isEmpty());
            manager.addTask(true);
            QFile keptFile(manager.undecodableTasksPath());
            QCOMPARE(QFileInfo(keptFile).absolutePath(), folder);
            QVERIFY(keptFile.open(QIODevice::ReadOnly));
            QCOMPARE(keptFile.readAll(), kept);
            QCOMPARE(storedDescription(), QStringLiteral("New_Task"));
            // Only the first save copies it out.
            manager.addTask(true);
            QCOMPARE(QDir(folder).entryList({"tasks.undecodable-*"}, QDir::Files).size(), 1);
        }
    }

    void unencodableListLeavesTheStoreAsItWas()
    {
        storeTasks(parseTasks("A"));
        KPTaskManager manager;
        manager.tasks.append({std::nan(""), "B", false, std::nullopt});
        QVERIFY(!manager.save());
        QCOMPARE(storedDescription(), QStringLiteral("A"));
        manager.tasks.removeLast();
        QVERIFY(manager.save());
    }
};

QTEST_GUILESS_MAIN(KPTaskManagerTest)
#include "KPTaskManagerTest.moc"
