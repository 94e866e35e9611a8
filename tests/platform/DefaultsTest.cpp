#include "platform/Defaults.h"
#include "TemporaryStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

static constexpr int writesEach = 300;

class DefaultsTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    void typesSurviveAReload()
    {
        const QByteArray bytes("[{\"id\":1}]\0\xff", 13);
        {
            Defaults store;
            QVERIFY(store.setInteger("big", std::numeric_limits<qint64>::max()));
            QVERIFY(store.setBoolean("isShowingSeconds", false));
            QVERIFY(store.setString("soundName", "Ice"));
            QVERIFY(store.setData("tasks", bytes));
            QVERIFY(store.setStringArray("shortcutStrings", {"toggleActivation", "reset"}));
            QVERIFY(store.remove("soundName"));
        }
        Defaults store;
        QCOMPARE(store.integer("big"), std::optional<qint64>(std::numeric_limits<qint64>::max()));
        QCOMPARE(store.boolean("isShowingSeconds"), std::optional<bool>(false));
        QVERIFY(!store.contains("soundName"));
        QCOMPARE(store.data("tasks"), std::optional<QByteArray>(bytes));
        QCOMPARE(store.stringArray("shortcutStrings"),
                 std::optional<QStringList>(QStringList{"toggleActivation", "reset"}));

        // Unwritable: the write fails, the value holds for this run.
        TemporaryStore::writeFile(m_home.path() + "/blocked", "a file where a folder should be");
        Defaults blocked("blocked");
        QVERIFY(!blocked.setInteger("x", 1));
        QCOMPARE(blocked.integer("x"), std::optional<qint64>(1));
    }

    // A name taken from a stored list ("" or none at all) is a key like any other.
    void anEmptyNameIsAKey()
    {
        QDir().mkpath(m_home.path() + "/zembrak");
        TemporaryStore::writeFile(m_home.standardFilePath(),
                                  R"({"shortcutStrings": [""], "": "Ctrl+P"})");
        {
            Defaults store;
            const std::optional<QStringList> names = store.stringArray("shortcutStrings");
            QVERIFY(names && names->size() == 1);
            QCOMPARE(store.string(names->first()), std::optional<QString>("Ctrl+P"));
            QVERIFY(store.setString(names->first(), "Ctrl+R"));
            QVERIFY(store.setString(QString(), "Ctrl+S"));
        }
        QCOMPARE(Defaults().string(""), std::optional<QString>("Ctrl+S"));
    }

    // What the user had stays whole: moved aside (the suffix names why), or,
    // unreadable, left where it is and never written over.
    void unusableFileIsKept_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("movedAs");
        QTest::newRow("unfinished") << "file" << QByteArray("{\"workLength\": 30") << "corrupt";
        QTest::newRow("array") << "file" << QByteArray("[1, 2]") << "corrupt";
        QTest::newRow("binary") << "file" << QByteArray("\x00\x01\x02", 3) << "corrupt";
        QTest::newRow("over 16 MiB") << "huge" << QByteArray() << "refused";
        QTest::newRow("fifo") << "fifo" << QByteArray() << "refused";
        QTest::newRow("unreadable") << "unreadable" << QByteArray("{\"workLength\": 30}") << "";
    }
    void unusableFileIsKept()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, movedAs);
        if (kind == "unreadable" && ::geteuid() == 0)
            QSKIP("root reads a file of mode 000");
        const QString path = m_home.standardFilePath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            TemporaryStore::writeFile(path, content);
        if (kind == "huge")
            QVERIFY(QFile::resize(path, 16 * 1024 * 1024 + 1));
        if (kind == "unreadable")
            QVERIFY(QFile::setPermissions(path, {}));
        struct stat before
        {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);

        Defaults store;
        QVERIFY(!store.contains("workLength"));
        QCOMPARE(store.setInteger("workLength", 60), !movedAs.isEmpty());
        QCOMPARE(store.setInteger("workLength", 60), !movedAs.isEmpty()); // again, still unsaved
        QCOMPARE(store.integer("workLength"), std::optional<qint64>(60));
        const QString kept = movedAs.isEmpty() ? path : store.corruptFileMovedTo();
        QVERIFY2(kept.startsWith(movedAs.isEmpty() ? path : path + '.' + movedAs),
                 qPrintable(kept));
        struct stat after
        {};
        QCOMPARE(::stat(QFile::encodeName(kept).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_size, before.st_size);
        if (!movedAs.isEmpty())
            QCOMPARE(Defaults().integer("workLength"), std::optional<qint64>(60));
    }

    void aLinkIsWrittenThrough()
    {
        const QString target = m_home.path() + "/dotfiles/zembrak.json";
        TemporaryStore::writeFile(target, "{\"soundName\": \"Ice\"}");
        const QString link = m_home.standardFilePath();
        QDir().mkpath(QFileInfo(link).absolutePath());
        QVERIFY(QFile::link(target, link));
        QVERIFY(Defaults().setInteger("workLength", 60));
        QCOMPARE(QFileInfo(link).symLinkTarget(), target);
        const Defaults reread;
        QCOMPARE(reread.string("soundName"), std::optional<QString>("Ice"));
        QCOMPARE(reread.integer("workLength"), std::optional<qint64>(60));
    }

    // The sibling writes the shared suite from its own process at the same time.
    void twoProcessesWritingLoseNothing()
    {
        QProcess sibling;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DEFAULTS_TEST_SIBLING", "1");
        sibling.setProcessEnvironment(environment);
        sibling.start(QCoreApplication::applicationFilePath());
        QVERIFY(sibling.waitForReadyRead()); // it has begun writing
        {
            Defaults ours("horva-group", Defaults::Durability::unsynced);
            for (int i = 0; i < writesEach; ++i)
                QVERIFY(ours.setInteger("ours" + QString::number(i), i));
            QVERIFY(sibling.waitForFinished());
            QCOMPARE(sibling.exitCode(), 0);
        }
        const Defaults reread("horva-group");
        // Nothing but the store and its lock is left once both are done.
        QCOMPARE(QFileInfo(reread.filePath()).dir().entryList(QDir::Files),
                 QStringList({"defaults.json", "defaults.json.lock"}));
        for (int i = 0; i < writesEach; ++i) {
            QVERIFY(reread.contains("ours" + QString::number(i)));
            QVERIFY(reread.contains("theirs" + QString::number(i)));
        }
    }
};

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (qEnvironmentVariableIsSet("DEFAULTS_TEST_SIBLING")) {
        Defaults theirs("horva-group", Defaults::Durability::unsynced);
        int failed = 0;
        for (int i = 0; i < writesEach; ++i) {
            failed += !theirs.setInteger("theirs" + QString::number(i), i);
            if (i == 0) {
                std::puts("writing");
                std::fflush(stdout);
            }
        }
        return failed;
    }
    DefaultsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "DefaultsTest.moc"
