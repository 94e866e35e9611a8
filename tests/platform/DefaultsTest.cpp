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
        QVERIFY(readAll(store.filePath()).contains("\"workLength\": 1501"));
        QCOMPARE(changed.count(), 2);
    }

    // A suite shared with another program: each write builds on the file as
    // it is, so neither side's keys are lost to the other's older copy.
    void writesKeepWhatAnotherProgramStoredMeanwhile_data()
    {
        QTest::addColumn<Defaults::Durability>("durability");
        QTest::newRow("synced") << Defaults::Durability::synced;
        QTest::newRow("unsynced") << Defaults::Durability::unsynced;
    }
    void writesKeepWhatAnotherProgramStoredMeanwhile()
    {
        QFETCH(Defaults::Durability, durability);
        Defaults ours("horva-group", durability);
        Defaults theirs("horva-group");
        QVERIFY(ours.setString("currentTime", "0:25:0"));
        QVERIFY(theirs.setBoolean("siblingsOwnKey", true));
        QVERIFY(ours.setString("currentTime", "0:24:59"));
        const Defaults reread("horva-group");
        QCOMPARE(reread.boolean("siblingsOwnKey"), std::optional<bool>(true));
        QCOMPARE(reread.string("currentTime"), std::optional<QString>("0:24:59"));
        QCOMPARE(ours.boolean("siblingsOwnKey"), std::optional<bool>(true));
    }

    // A write killed half way leaves only the store's own temporary name,
    // which the next write takes over; files of the user's beside it stay.
    void aWriteCutShortLeavesNothingThatPilesUp()
    {
        QVERIFY(Defaults().setInteger("workLength", 60));
        const QString folder = QFileInfo(m_home.standardFilePath()).absolutePath();
        for (const QString& name :
             {QStringLiteral("defaults.json.new"), QStringLiteral("defaults.json.backup")})
            TemporaryStore::writeFile(folder + '/' + name, "{\"half\": ");
        QFile::setPermissions(m_home.standardFilePath(), QFile::ReadOwner | QFile::WriteOwner);
        Defaults store;
        QCOMPARE(store.integer("workLength"), std::optional<qint64>(60));
        QVERIFY(store.setInteger("workLength", 120));
        QCOMPARE(Defaults().integer("workLength"), std::optional<qint64>(120));
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 (QStringList{"defaults.json", "defaults.json.backup"}));
        // The user's choice of who may read it stays.
        QVERIFY(!(QFile::permissions(m_home.standardFilePath()) &
                  (QFile::ReadGroup | QFile::ReadOther)));
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
