#include "platform/Defaults.h"
#include "TemporaryStore.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class DefaultsTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() { m_home.reset(); }

    void pathsFollowSuites()
    {
        QCOMPARE(Defaults().filePath(), m_home.path() + "/zembrak/defaults.json");
        QCOMPARE(Defaults("horva-group").filePath(), m_home.path() + "/horva-group/defaults.json");
        QCOMPARE(&Defaults::standard(), &Defaults::standard());
    }

    void typesSurviveAReload()
    {
        {
            Defaults store;
            QVERIFY(store.setInteger("workLength", 3000));
            QVERIFY(store.setInteger("big", std::numeric_limits<qint64>::max()));
            QVERIFY(store.setBoolean("isShowingSeconds", false));
            QVERIFY(store.setString("soundName", "Ice"));
            QVERIFY(store.setData("tasks", QByteArray("[{\"id\":1}]\0\xff", 13)));
            QVERIFY(store.setStringArray("shortcutStrings", {"toggleActivation", "reset"}));
        }
        Defaults store;
        QCOMPARE(store.integer("workLength"), std::optional<qint64>(3000));
        QCOMPARE(store.integer("big"), std::optional<qint64>(std::numeric_limits<qint64>::max()));
        QCOMPARE(store.boolean("isShowingSeconds"), std::optional<bool>(false));
        QCOMPARE(store.string("soundName"), std::optional<QString>("Ice"));
        QCOMPARE(store.data("tasks"),
                 std::optional<QByteArray>(QByteArray("[{\"id\":1}]\0\xff", 13)));
        QCOMPARE(store.stringArray("shortcutStrings"),
                 std::optional<QStringList>(QStringList{"toggleActivation", "reset"}));
        // The file speaks plain JSON types.
        QVERIFY(readAll(store.filePath()).contains("\"workLength\": 3000"));
        QVERIFY(readAll(store.filePath()).contains("\"$data\""));
    }

    void wrongTypesReadAsAbsent_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("isInteger");
        QTest::addColumn<bool>("isBoolean");
        QTest::addColumn<bool>("isString");
        QTest::addColumn<bool>("isData");
        QTest::addColumn<bool>("isStringArray");
        QTest::newRow("integer") << QByteArray("5") << true << false << false << false << false;
        QTest::newRow("fraction") << QByteArray("2.5") << false << false << false << false << false;
        QTest::newRow("too large")
            << QByteArray("1e300") << false << false << false << false << false;
        QTest::newRow("boolean") << QByteArray("true") << false << true << false << false << false;
        QTest::newRow("string") << QByteArray("\"1500\"") << false << false << true << false
                                << false;
        QTest::newRow("data") << QByteArray(R"({"$data":"AAE="})") << false << false << false
                              << true << false;
        QTest::newRow("bad base64")
            << QByteArray(R"({"$data":"*!"})") << false << false << false << false << false;
        QTest::newRow("other object")
            << QByteArray(R"({"a":1})") << false << false << false << false << false;
        QTest::newRow("strings") << QByteArray(R"(["a","b"])") << false << false << false << false
                                 << true;
        QTest::newRow("mixed array")
            << QByteArray(R"(["a",1])") << false << false << false << false << false;
        QTest::newRow("null") << QByteArray("null") << false << false << false << false << false;
    }
    void wrongTypesReadAsAbsent()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, isInteger);
        QFETCH(bool, isBoolean);
        QFETCH(bool, isString);
        QFETCH(bool, isData);
        QFETCH(bool, isStringArray);
        m_home.writeStandardFile("{\"k\": " + value + "}");
        Defaults store;
        QVERIFY(store.contains("k"));
        QCOMPARE(store.integer("k").has_value(), isInteger);
        QCOMPARE(store.boolean("k").has_value(), isBoolean);
        QCOMPARE(store.string("k").has_value(), isString);
        QCOMPARE(store.data("k").has_value(), isData);
        QCOMPARE(store.stringArray("k").has_value(), isStringArray);
    }

    void corruptFileIsMovedAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("truncated") << QByteArray("{\"workLength\": 30");
        QTest::newRow("not an object") << QByteArray("[1, 2]");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02", 3);
    }
    void corruptFileIsMovedAside()
    {
        QFETCH(QByteArray, content);
        m_home.writeStandardFile(content);
        Defaults store;
        QVERIFY(!store.contains("workLength"));
        QVERIFY(!store.corruptFileMovedTo().isEmpty());
        QCOMPARE(readAll(store.corruptFileMovedTo()), content);
        QVERIFY(store.setInteger("workLength", 60));
        QCOMPARE(Defaults().integer("workLength"), std::optional<qint64>(60));
        QCOMPARE(readAll(store.corruptFileMovedTo()), content);
    }

    void equalWriteLeavesTheFileAlone()
    {
        Defaults store;
        QSignalSpy changed(&store, &Defaults::valueChanged);
        QVERIFY(store.setInteger("workLength", 1500));
        QCOMPARE(changed.count(), 1);
        // Swap the file underneath: an equal write must not rewrite it.
        TemporaryStore::writeFile(store.filePath(), "{\"workLength\": 1500, \"marker\": true}");
        QVERIFY(store.setInteger("workLength", 1500));
        QVERIFY(store.remove("neverStored"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(readAll(store.filePath()).contains("marker"));
        QVERIFY(store.setInteger("workLength", 1501));
        QVERIFY(!readAll(store.filePath()).contains("marker"));
        QCOMPARE(changed.count(), 2);
    }

    void unwritableStoreReportsFailure()
    {
        TemporaryStore::writeFile(m_home.path() + "/blocked", "a file where a folder should be");
        Defaults store("blocked");
        QVERIFY(!store.setInteger("x", 1));
        QCOMPARE(store.integer("x"), std::optional<qint64>(1)); // kept for this run
    }

    void removeDeletesTheKey()
    {
        Defaults store;
        store.setString("soundName", "Ice");
        QVERIFY(store.remove("soundName"));
        QVERIFY(!Defaults().contains("soundName"));
    }
};

QTEST_GUILESS_MAIN(DefaultsTest)
#include "DefaultsTest.moc"
