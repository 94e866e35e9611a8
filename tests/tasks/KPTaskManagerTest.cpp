#include "tasks/KPTaskManager.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "app/PreferenceKeys.h"
#include "platform/Defaults.h"

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
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("resultIndex");
        QTest::newRow("add above completed") << "A B C*"
                                             << "add" << 1 << 0 << "A B New_Task C*" << 2;
        QTest::newRow("add appends") << "A B"
                                     << "add" << 1 << 0 << "A B New_Task" << 2;
        QTest::newRow("add, not rearranging") << "A C*"
                                              << "add" << 0 << 0 << "A C* New_Task" << 2;
        QTest::newRow("add to empty") << ""
                                      << "add" << 1 << 0 << "New_Task" << 0;
        QTest::newRow("check B") << "A B C*"
                                 << "toggle" << 1 << 1 << "A C* B*" << 2;
        QTest::newRow("uncheck C") << "A B* C*"
                                   << "toggle" << 2 << 1 << "A C B*" << 1;
        QTest::newRow("check first") << "A B C"
                                     << "toggle" << 0 << 1 << "B C A*" << 2;
        QTest::newRow("uncheck last in place") << "B C A*"
                                               << "toggle" << 2 << 1 << "B C A" << 2;
        QTest::newRow("check, not rearranging") << "A B C"
                                                << "toggle" << 0 << 0 << "A* B C" << 0;
        QTest::newRow("move down") << "A B C"
                                   << "move" << 0 << 1 << "B A C" << 1;
        QTest::newRow("move up past completed") << "A B* C"
                                                << "move" << 2 << 1 << "A C B*" << 1;
        QTest::newRow("move to end") << "A B C"
                                     << "move" << 0 << 2 << "B C A" << 2;
        QTest::newRow("drag A to end") << "A B C* D*"
                                       << "drop" << 0 << 4 << "B A C* D*" << 1;
        QTest::newRow("drag D above B") << "A B C* D*"
                                        << "drop" << 3 << 1 << "A D B C*" << 1;
        QTest::newRow("drag B above A") << "A B C* D*"
                                        << "drop" << 1 << 0 << "B A C* D*" << 0;
        QTest::newRow("drag completed first down") << "C* D*"
                                                   << "drop" << 0 << 2 << "C* D*" << 0;
        QTest::newRow("drag open below block") << "B C* A"
                                               << "drop" << 2 << 3 << "B A C*" << 1;
        QTest::newRow("remove") << "A B C"
                                << "remove" << 1 << 0 << "A C" << 1;
        QTest::newRow("rename") << "A B"
                                << "rename" << 1 << 0 << "A Renamed" << 1;
        QTest::newRow("rename to spaces") << "A B"
                                          << "spaces" << 0 << 0 << "__ B" << 0;
        QTest::newRow("rename to nothing") << "A B"
                                           << "empty" << 0 << 0 << "B" << -1;
    }
    void listRules()
    {
        QFETCH(QString, before);
        QFETCH(QString, operation);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, after);
        QFETCH(int, resultIndex);
        storeTasks(parseTasks(before));
        KPTaskManager manager;
        QCOMPARE(describe(manager.tasks), before);
        qsizetype result = -1;
        if (operation == "add") {
            result = manager.addTask(a != 0);
            QCOMPARE(manager.tasks[result].string, QStringLiteral("New Task"));
            QVERIFY(!manager.tasks[result].cycleCount);
        } else if (operation == "toggle") {
            result = manager.toggleCompleted(a, b != 0);
        } else if (operation == "move") {
            manager.moveTask(a, b);
            result = b;
        } else if (operation == "drop") {
            const auto move = manager.dropTask(manager.tasks[a], b);
            QVERIFY(move);
            result = move->to;
        } else if (operation == "remove") {
            manager.removeTask(a);
            result = a;
        } else {
            const QString text = operation == "rename"   ? "Renamed"
                                 : operation == "spaces" ? "  "
                                                         : "";
            result = manager.renameTask(a, text) ? a : -1;
        }
        QCOMPARE(describe(manager.tasks), after);
        QCOMPARE(result, qsizetype(resultIndex));
        // Every rule saves before it returns.
        QCOMPARE(storedDescription(), after);
        QCOMPARE(storedTasks(), manager.tasks);
    }

    void dropOfUnknownTaskChangesNothing()
    {
        storeTasks(parseTasks("A B"));
        KPTaskManager manager;
        KPTask stranger = manager.tasks[0];
        stranger.id += 0.5;
        QVERIFY(!manager.dropTask(stranger, 2));
        QCOMPARE(describe(manager.tasks), QStringLiteral("A B"));
    }

    void changeCycleCount_data()
    {
        QTest::addColumn<qint64>("start"); // -1: absent
        QTest::addColumn<qint64>("delta");
        QTest::addColumn<qint64>("expected"); // -1: absent
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        QTest::newRow("absent + 1") << qint64(-1) << qint64(1) << qint64(1);
        QTest::newRow("1 - 1") << qint64(1) << qint64(-1) << qint64(-1);
        QTest::newRow("absent - 1") << qint64(-1) << qint64(-1) << qint64(-1);
        QTest::newRow("5 - 1") << qint64(5) << qint64(-1) << qint64(4);
        QTest::newRow("stored 0 + 1") << qint64(0) << qint64(1) << qint64(1);
        QTest::newRow("largest + 1") << max << qint64(1) << max;
    }
    void changeCycleCount()
    {
        QFETCH(qint64, start);
        QFETCH(qint64, delta);
        QFETCH(qint64, expected);
        QList<KPTask> tasks = parseTasks("A B");
        tasks[1].cycleCount = start < 0 ? std::nullopt : std::optional<qint64>(start);
        storeTasks(tasks);
        KPTaskManager manager;
        QCOMPARE(manager.tasks[1].cycleCount, tasks[1].cycleCount);
        manager.changeCycleCount(1, delta);
        const std::optional<qint64> want =
            expected < 0 ? std::nullopt : std::optional<qint64>(expected);
        QCOMPARE(manager.tasks[1].cycleCount, want);
        QCOMPARE(storedTasks().at(1).cycleCount, want);
    }

    void derivedValues_data()
    {
        QTest::addColumn<QString>("tasks");
        QTest::addColumn<QList<qint64>>("counts"); // 0: absent
        QTest::addColumn<int>("firstCompleted");   // -1: absent
        QTest::addColumn<qint64>("maxCycleCount");
        QTest::newRow("empty") << "" << QList<qint64>{} << -1 << qint64(0);
        QTest::newRow("none completed") << "A B" << QList<qint64>{0, 0} << -1 << qint64(0);
        QTest::newRow("first completed") << "A* B" << QList<qint64>{0, 0} << 0 << qint64(0);
        QTest::newRow("mixed") << "A B C* D*" << QList<qint64>{0, 3, 12, 0} << 2 << qint64(12);
        QTest::newRow("negative never wins") << "A B" << QList<qint64>{-4, -2} << -1 << qint64(0);
    }
    void derivedValues()
    {
        QFETCH(QString, tasks);
        QFETCH(QList<qint64>, counts);
        QFETCH(int, firstCompleted);
        QFETCH(qint64, maxCycleCount);
        KPTaskManager manager;
        manager.tasks = parseTasks(tasks);
        for (qsizetype i = 0; i < counts.size(); ++i)
            if (counts[i] != 0)
                manager.tasks[i].cycleCount = counts[i];
        const std::optional<qsizetype> want =
            firstCompleted < 0 ? std::nullopt : std::optional<qsizetype>(firstCompleted);
        QCOMPARE(manager.firstCompletedTaskIndex(), want);
        QCOMPARE(manager.maxCycleCount(), maxCycleCount);
    }

    void creditingGoesToAnOpenFirstTaskOnly()
    {
        KPTaskManager empty;
        QVERIFY(!empty.creditWorkCycle());
        QVERIFY(!Defaults::standard().contains(PreferenceKeys::tasks));

        storeTasks(parseTasks("A* B"));
        KPTaskManager completedFirst;
        QVERIFY(!completedFirst.creditWorkCycle());
        QVERIFY(!completedFirst.tasks[0].cycleCount && !completedFirst.tasks[1].cycleCount);

        storeTasks(parseTasks("A B"));
        KPTaskManager open;
        QVERIFY(open.creditWorkCycle());
        QVERIFY(open.creditWorkCycle());
        QCOMPARE(storedTasks().at(0).cycleCount, std::optional<qint64>(2));
        QVERIFY(!storedTasks().at(1).cycleCount);
    }

    void jsonRoundTripKeepsIdsExactly()
    {
        QList<KPTask> tasks;
        const double ids[] = {KPTask::currentInstant(), 756234123.98765432, 1.0 / 3.0, -0.1, 1e300};
        for (double id : ids)
            tasks.append({id, QStringLiteral("ünïcødé \"quoted\"\n"), true, qint64(7)});
        tasks.append({5, QString(), false, std::nullopt});
        const auto json = KPTask::listToJson(tasks);
        QVERIFY(json);
        QCOMPARE(KPTask::listFromJson(*json), std::optional<QList<KPTask>>(tasks));
        const QJsonObject last = QJsonDocument::fromJson(*json).array().last().toObject();
        QVERIFY(!last.contains("cycleCount"));
        QCOMPARE(last.size(), 3);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("decodes");
        QTest::addColumn<bool>("hasCount");
        QTest::newRow("no cycleCount")
            << QByteArray(R"([{"id":1,"string":"A","isCompleted":false}])") << true << false;
        QTest::newRow("null cycleCount")
            << QByteArray(R"([{"id":1,"string":"A","isCompleted":true,"cycleCount":null}])") << true
            << false;
        QTest::newRow("extra members")
            << QByteArray(
                   R"([{"id":1,"string":"A","isCompleted":false,"cycleCount":3,"colour":"red","x":[1]}])")
            << true << true;
        QTest::newRow("empty array") << QByteArray("[]") << true << false;
        QTest::newRow("one lacks id")
            << QByteArray(
                   R"([{"id":1,"string":"A","isCompleted":false},{"string":"B","isCompleted":false}])")
            << false << false;
        QTest::newRow("string id")
            << QByteArray(R"([{"id":"1","string":"A","isCompleted":false}])") << false << false;
        QTest::newRow("numeric string")
            << QByteArray(R"([{"id":1,"string":5,"isCompleted":false}])") << false << false;
        QTest::newRow("integer flag")
            << QByteArray(R"([{"id":1,"string":"A","isCompleted":0}])") << false << false;
        QTest::newRow("fractional count")
            << QByteArray(R"([{"id":1,"string":"A","isCompleted":false,"cycleCount":1.5}])")
            << false << false;
        QTest::newRow("count beyond 64 bits")
            << QByteArray(R"([{"id":1,"string":"A","isCompleted":false,"cycleCount":1e19}])")
            << false << false;
        QTest::newRow("object, not array")
            << QByteArray(R"({"id":1,"string":"A","isCompleted":false})") << false << false;
        QTest::newRow("not JSON") << QByteArray("[{") << false << false;
    }
    void decoding()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, decodes);
        QFETCH(bool, hasCount);
        const auto tasks = KPTask::listFromJson(json);
        QCOMPARE(tasks.has_value(), decodes);
        if (tasks && !tasks->isEmpty()) {
            QCOMPARE(tasks->first().cycleCount.has_value(), hasCount);
            // Written back without the members it did not have.
            const QJsonObject back =
                QJsonDocument::fromJson(*KPTask::listToJson(*tasks)).array().first().toObject();
            QCOMPARE(back.size(), hasCount ? 4 : 3);
        }
    }

    void nothingIsWrittenUntilTheFirstChange()
    {
        KPTaskManager manager;
        QVERIFY(manager.tasks.isEmpty());
        QVERIFY(!Defaults::standard().contains(PreferenceKeys::tasks));
        manager.addTask(true);
        manager.removeTask(0);
        QCOMPARE(*Defaults::standard().data(PreferenceKeys::tasks), QByteArray("[]"));
    }

    void undecodableStoredListIsKeptAside_data()
    {
        QTest::addColumn<QJsonValue>("stored");
        QTest::addColumn<QByteArray>("kept");
        const QByteArray broken = R"([{"string":"Write the report","isCompleted":false}])";
        QTest::newRow("data without ids")
            << QJsonValue(QJsonObject{{"$data", QString::fromLatin1(broken.toBase64())}}) << broken;
        QTest::newRow("not a data value") << QJsonValue("my tasks") << QByteArray("\"my tasks\"");
        QTest::newRow("bad base64")
            << QJsonValue(QJsonObject{{"$data", "!!"}}) << QByteArray(R"({"$data":"!!"})");
    }
    void undecodableStoredListIsKeptAside()
    {
        QFETCH(QJsonValue, stored);
        QFETCH(QByteArray, kept);
        const QString path = m_home.standardFilePath();
        m_home.writeStandardFile(
            QJsonDocument(QJsonObject{{PreferenceKeys::tasks, stored}}).toJson());

        KPTaskManager manager;
        QVERIFY(manager.tasks.isEmpty());
        QVERIFY(manager.hasUndecodableStoredTasks());
        QVERIFY(manager.undecodableTasksPath().isEmpty());
        manager.addTask(true);

        const QString keptPath = manager.undecodableTasksPath();
        QCOMPARE(QFileInfo(keptPath).absolutePath(), QFileInfo(path).absolutePath());
        QVERIFY(QFileInfo(keptPath).fileName().startsWith("tasks.undecodable-"));
        QFile keptFile(keptPath);
        QVERIFY(keptFile.open(QIODevice::ReadOnly));
        QCOMPARE(keptFile.readAll(), kept);
        QCOMPARE(storedDescription(), QStringLiteral("New_Task"));
        // Only the first save copies it out.
        manager.addTask(true);
        QCOMPARE(QDir(QFileInfo(path).absolutePath())
                     .entryList({"tasks.undecodable-*"}, QDir::Files)
                     .size(),
                 1);
    }

    void unencodableListLeavesTheStoreAsItWas()
    {
        storeTasks(parseTasks("A"));
        KPTaskManager manager;
        manager.tasks.append({std::nan(""), "B", false, std::nullopt});
        manager.save();
        QCOMPARE(storedDescription(), QStringLiteral("A"));
    }
};

QTEST_GUILESS_MAIN(KPTaskManagerTest)
#include "KPTaskManagerTest.moc"
