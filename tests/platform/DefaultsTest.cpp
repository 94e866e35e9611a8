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
        QVERIFY(store.remove("soundName"));
        QVERIFY(!Defaults().contains("soundName"));
    }

    void corruptFileIsMovedAside()
    {
        for (const QByteArray& content : {QByteArray("{\"workLength\": 30"), QByteArray("[1, 2]"),
                                          QByteArray("\x00\x01\x02", 3)}) {
            m_home.reset();
            m_home.writeStandardFile(content);
            Defaults store;
            QVERIFY(!store.contains("workLength"));
            QCOMPARE(readAll(store.corruptFileMovedTo()), content);
            QVERIFY(store.setInteger("workLength", 60));
            QCOMPARE(Defaults().integer("workLength"), std::optional<qint64>(60));
            QCOMPARE(readAll(store.corruptFileMovedTo()), content);
        }
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

    void leftoversOfKilledWritesAreRemovedOnOpen()
    {
        Defaults().setInteger("workLength", 60);
        const QString folder = QFileInfo(m_home.standardFilePath()).absolutePath();
        const QStringList names = {
            "defaults.json.aB3xY9", "defaults.json.Fresh1", "defaults.json.corrupt-20260101-000000",
            "defaults.json.a-b_c1", "other.json.aB3xY9",    "defaults.json.aB3xY9Z"};
        for (const QString& name : names) {
            QFile file(folder + '/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\"half\": ");
            file.flush();
            if (name != "defaults.json.Fresh1") // a write going on now
                QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                         QFileDevice::FileModificationTime));
        }
        Defaults store;
        QCOMPARE(store.integer("workLength"), std::optional<qint64>(60));
        QStringList left = QDir(folder).entryList(QDir::Files);
        left.sort();
        QCOMPARE(left, (QStringList{"defaults.json", "defaults.json.Fresh1", "defaults.json.a-b_c1",
                                    "defaults.json.aB3xY9Z",
                                    "defaults.json.corrupt-20260101-000000", "other.json.aB3xY9"}));
    }

    void unwritableStoreReportsFailure()
    {
        TemporaryStore::writeFile(m_home.path() + "/blocked", "a file where a folder should be");
        Defaults store("blocked");
        QVERIFY(!store.setInteger("x", 1));
        QCOMPARE(store.integer("x"), std::optional<qint64>(1)); // kept for this run
    }
};

QTEST_GUILESS_MAIN(DefaultsTest)
#include "DefaultsTest.moc"
