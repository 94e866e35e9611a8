#include "platform/store/Defaults.h"
#include "TemporaryStore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

static QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

    // What the user had stays whole: moved aside, or, unreadable, left where it
    // is and never written over.
    void unusableFileIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("movedAs"); // empty: unreadable, left where it is
        QTest::newRow("unfinished") << QByteArray("{\"workLength\": 30") << "corrupt";
        QTest::newRow("array") << QByteArray("[1, 2]") << "corrupt";
        QTest::newRow("unreadable") << QByteArray("{\"workLength\": 30}") << "";
    }
    void unusableFileIsKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, movedAs);
        if (movedAs.isEmpty() && ::geteuid() == 0)
            QSKIP("root reads a file of mode 000");
        const QString path = m_home.standardFilePath();
        TemporaryStore::writeFile(path, content);
        if (movedAs.isEmpty())
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

    // The shown second, written every second, costs nothing of the sibling's
    // data: its bytes stay on disk as the sibling wrote them.
    void oneMemberChangesAlone()
    {
        const QString path = m_home.path() + "/horva-group/defaults.json";
        const QByteArray head =
            "{\"siblingData\" : [ \"" + QByteArray(1 << 20, 'x') + "\", 1 ],\n\t\"currentTime\":";
        const QByteArray tail = ",\"zz\":true}";
        TemporaryStore::writeFile(path, head + R"({"$data":"e30="})" + tail);
        Defaults ours("horva-group", Defaults::Durability::unsynced);
        // Lengths that change and lengths that stay.
        for (const int seconds : {59, 58, 9, 8, 0, 59}) {
            const QByteArray time =
                R"({"hours":0,"minutes":24,"seconds":)" + QByteArray::number(seconds) + '}';
            QVERIFY(ours.setData("currentTime", time));
            const QByteArray now = contentOf(path);
            QVERIFY(now.startsWith(head) && now.endsWith(tail));
            QCOMPARE(Defaults("horva-group").data("currentTime"), std::optional<QByteArray>(time));
        }
        QVERIFY(ours.setInteger("added", 1));
        QVERIFY(contentOf(path).startsWith(head));

        // Rewritten by the sibling, members moved, the length kept.
        const QByteArray before = contentOf(path);
        const QByteArray member =
            before.mid(before.indexOf("\"currentTime\""),
                       before.indexOf(",\"zz\"") - before.indexOf("\"currentTime\""));
        QByteArray theirs = before;
        theirs.replace(",\n\t" + member, "").insert(1, member + ",\n\t");
        QCOMPARE(theirs.size(), before.size());
        QSaveFile save(path);
        QVERIFY(save.open(QIODevice::WriteOnly));
        save.write(theirs);
        QVERIFY(save.commit());
        const QByteArray time = R"({"hours":0,"minutes":24,"seconds":58})";
        QVERIFY(ours.setData("currentTime", time));
        const Defaults reread("horva-group");
        QCOMPARE(reread.data("currentTime"), std::optional<QByteArray>(time));
        QVERIFY(contentOf(path).contains(head.mid(1, head.indexOf("\n") - 1)));
        QCOMPARE(reread.boolean("zz"), std::optional<bool>(true));
        QCOMPARE(reread.integer("added"), std::optional<qint64>(1));
    }
};

QTEST_GUILESS_MAIN(DefaultsTest)
#include "DefaultsTest.moc"
