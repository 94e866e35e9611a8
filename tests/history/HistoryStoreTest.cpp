#include "history/HistoryStore.h"
#include "TemporaryStore.h"
#include "history/HistoryExport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <ctime>

namespace {

QDateTime utc(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toUTC();
}

HistoryRecord record(const char* start, const char* end, const QString& task = QString())
{
    HistoryRecord r;
    r.start = utc(start);
    r.end = utc(end);
    r.startOffsetSeconds = r.start.toLocalTime().offsetFromUtc();
    r.kind = QStringLiteral("work");
    r.plannedSeconds = r.start.secsTo(r.end);
    r.countedSeconds = r.plannedSeconds;
    r.outcome = QStringLiteral("finished");
    r.task = task;
    return r;
}

QStringList tasksOf(const QList<HistoryRecord>& records)
{
    QStringList tasks;
    for (const HistoryRecord& r : records)
        tasks << r.task;
    return tasks;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class HistoryStoreTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;
    QString file() const { return m_home.path() + QStringLiteral("/zembrak/history.sqlite"); }

private Q_SLOTS:
    void initTestCase()
    {
        // Days of 23 and 25 hours, and midnights an hour off UTC's.
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    void init() { m_home.reset(); }

    // A period counts in every range it overlaps; a day is the local one.
    void rangesFollowLocalDays_data()
    {
        QTest::addColumn<QString>("since");
        QTest::addColumn<QString>("until");
        QTest::addColumn<QString>("found");
        const auto row = [](const char* since, const char* until, const char* found) {
            QTest::addRow("%s..%s", since, until) << since << until << found;
        };
        row("2026-03-29", "2026-03-29", "over-midnight over-spring");
        row("", "2026-03-28", "over-midnight");
        row("2026-10-25", "2026-10-25", "autumn-first autumn-last");
        row("2026-10-26", "", "");
        row("2026-03-29T02:00:00+01:00", "", "over-spring autumn-first autumn-last");
        row("", "2026-03-29T00:30:00Z", "over-midnight over-spring");
    }
    void rangesFollowLocalDays()
    {
        QFETCH(QString, since);
        QFETCH(QString, until);
        QFETCH(QString, found);
        HistoryStore store(file());
        for (HistoryRecord r :
             {record("2026-03-28T22:50:00Z", "2026-03-28T23:15:00Z", "over-midnight"),
              record("2026-03-29T00:30:00Z", "2026-03-29T01:30:00Z", "over-spring"),
              record("2026-10-24T22:30:00Z", "2026-10-24T23:00:00Z", "autumn-first"),
              record("2026-10-25T22:30:00Z", "2026-10-25T22:59:00Z", "autumn-last")})
            QVERIFY(store.append(r));
        const auto bound = [](const QString& text, bool isUpper) {
            return text.isEmpty() ? QDateTime() : HistoryExport::parseBound(text, isUpper).value();
        };
        QCOMPARE(tasksOf(store.records(bound(since, false), bound(until, true))).join(' '), found);
    }

    void exportKeepsTheOffsetAtStartAndQuotes()
    {
        HistoryStore store(file());
        HistoryRecord r = record("2026-03-29T00:30:00Z", "2026-03-29T01:30:00Z",
                                 QStringLiteral("Write \"intro\", draft"));
        r.taskId = QStringLiteral("1234.5");
        r.countedSeconds = 3300;
        r.pauses = {{QStringLiteral("user"), utc("2026-03-29T00:40:00Z"), 300}};
        QVERIFY(store.append(r));
        const QList<HistoryRecord> read = store.records({}, {});
        QCOMPARE(HistoryExport::document(read, HistoryExport::Format::csv),
                 QByteArray("start,end,kind,plannedSeconds,countedSeconds,pauses,pausedSeconds,"
                            "outcome,task,taskId\r\n"
                            "2026-03-29T01:30:00+01:00,2026-03-29T02:30:00+01:00,work,3600,3300,1,"
                            "300,finished,\"Write \"\"intro\"\", draft\",1234.5\r\n"));
        const QJsonObject object =
            QJsonDocument::fromJson(HistoryExport::document(read, HistoryExport::Format::json))[0]
                .toObject();
        QCOMPARE(object.value("taskId"), QJsonValue("1234.5"));
        QCOMPARE(object.value("pausedSeconds"), QJsonValue(300));
        QCOMPARE(object.value("pauseList")[0]["start"], QJsonValue("2026-03-29T01:40:00+01:00"));
    }

    void aFirstVersionFileIsBroughtUpToDate()
    {
        QDir().mkpath(QFileInfo(file()).absolutePath());
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v1");
            db.setDatabaseName(file());
            QVERIFY(db.open());
            QSqlQuery q(db);
            for (const char* statement :
                 {"CREATE TABLE period(id INTEGER PRIMARY KEY, start INTEGER NOT NULL,"
                  " startOffset INTEGER NOT NULL, end INTEGER NOT NULL, kind TEXT NOT NULL,"
                  " plannedSeconds INTEGER NOT NULL, countedSeconds INTEGER NOT NULL,"
                  " outcome TEXT NOT NULL, task TEXT NOT NULL DEFAULT '')",
                  "INSERT INTO period VALUES(7, 1790000000, 3600, 1790001500, 'work', 1500, 1400,"
                  " 'finished', 'Old task')",
                  "PRAGMA user_version=1"})
                QVERIFY(q.exec(QString::fromLatin1(statement)));
            db.close();
        }
        QSqlDatabase::removeDatabase("v1");
        HistoryStore store(file());
        HistoryRecord added = record("2026-12-07T10:00:00Z", "2026-12-07T10:30:00Z", "New");
        added.pauses = {{QStringLiteral("lock"), utc("2026-12-07T10:05:00Z"), 60}};
        QVERIFY(store.append(added));
        const QList<HistoryRecord> read = store.records({}, {});
        QCOMPARE(HistoryExport::document(read, HistoryExport::Format::csv).split('\n').mid(1, 2),
                 (QList<QByteArray>{"2026-09-21T15:13:20+01:00,2026-09-21T15:38:20+01:00,work,1500,"
                                    "1400,0,0,finished,Old task,\r",
                                    "2026-12-07T11:00:00+01:00,2026-12-07T11:30:00+01:00,work,1800,"
                                    "1800,1,60,finished,New,\r"}));
    }

    // What the file held, and whatever else the folder holds, stays as it was.
    void aDamagedFileIsMovedAsideWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not a database") << QByteArray("tasks I wrote down\n");
        QTest::newRow("damaged pages")
            << QByteArray("SQLite format 3\0", 16) + QByteArray(8192, '\x5a');
    }
    void aDamagedFileIsMovedAsideWhole()
    {
        QFETCH(QByteArray, bytes);
        const QString notes = QFileInfo(file()).absolutePath() + QStringLiteral("/notes.txt");
        TemporaryStore::writeFile(file(), bytes);
        TemporaryStore::writeFile(file() + QStringLiteral("-wal"), "journal");
        TemporaryStore::writeFile(notes, "mine");
        HistoryStore reader(file(), HistoryStore::Role::reader); // the command line
        bool read = true;
        reader.records({}, {}, &read);
        QVERIFY(!read && reader.corruptFileMovedTo().isEmpty());
        QCOMPARE(contents(file()), bytes);
        HistoryStore store(file());
        HistoryRecord r = record("2026-12-07T10:00:00Z", "2026-12-07T10:25:00Z");
        QVERIFY(store.append(r));
        QVERIFY(store.corruptFileMovedTo().startsWith(file() + QStringLiteral(".corrupt-")));
        QCOMPARE(contents(store.corruptFileMovedTo()), bytes);
        QCOMPARE(contents(store.corruptFileMovedTo() + QStringLiteral("-wal")), "journal");
        QCOMPARE(contents(notes), "mine");
        QCOMPARE(store.records({}, {}).size(), 1);
    }

    // What is written after the user deletes the file is in the new one, seen
    // at once and after a new launch.
    void aDeletedFileTakesTheNextPeriods()
    {
        {
            HistoryStore store(file());
            HistoryRecord r = record("2026-12-07T09:00:00Z", "2026-12-07T09:25:00Z", "old");
            QVERIFY(store.append(r));
            QVERIFY(QFile::remove(file()));
            r = record("2026-12-07T10:00:00Z", "2026-12-07T10:25:00Z", "after");
            QVERIFY(store.append(r));
            QCOMPARE(tasksOf(HistoryStore(file()).records({}, {})), QStringList{"after"});
        }
        QCOMPARE(tasksOf(HistoryStore(file()).records({}, {})), QStringList{"after"});
    }

    // Nothing is made by reading, a second reader sees what is committed, and a
    // place where nothing can be written fails the write, holding the record
    // for when it can.
    void opensOnlyWhenUsedAndFailsSoftly()
    {
        HistoryStore writer(file());
        const HistoryStore reader(file());
        bool ok = false;
        QVERIFY(reader.records({}, {}, &ok).isEmpty() && ok);
        QVERIFY(!QFileInfo::exists(file()));
        HistoryRecord r = record("2026-12-07T10:00:00Z", "2026-12-07T10:25:00Z");
        QVERIFY(writer.append(r) && r.id > 0);
        QCOMPARE(reader.records({}, {}).size(), 1);
        QVERIFY(writer.clear() && reader.records({}, {}).isEmpty());

        TemporaryStore::writeFile(m_home.path() + QStringLiteral("/plain"), "a file, no folder");
        HistoryStore nowhere(m_home.path() + QStringLiteral("/plain/zembrak/history.sqlite"));
        QVERIFY(!nowhere.append(r));
        QVERIFY(QFile::remove(m_home.path() + QStringLiteral("/plain")));
        QVERIFY(nowhere.append(r) && nowhere.records({}, {}).size() == 2);
    }
};

QTEST_GUILESS_MAIN(HistoryStoreTest)
#include "HistoryStoreTest.moc"
