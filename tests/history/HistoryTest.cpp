#include "ManualRunLoop.h"
#include "RecordedCycle.h"
#include "TemporaryStore.h"
#include "history/DailyProgress.h"
#include "history/HistoryExport.h"
#include "history/HistoryStatistics.h"
#include "history/HistoryStore.h"
#include "history/PeriodRecorder.h"
#include "windows/ZKStatisticsWindow.h"

#include <QAbstractButton>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <ctime>

Q_DECLARE_METATYPE(QList<HistoryRecord>)

namespace {

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

const QTimeZone berlin("Europe/Berlin");

// An ISO time; without an offset, Berlin's wall clock (the tests' TZ, set first).
QDateTime at(const QString& text)
{
    return QDateTime::fromString(text, Qt::ISODate).toUTC();
}

HistoryRecord period(const QString& kind, const QString& outcome, const QString& start,
                     const QString& end, qint64 counted, const QString& task = {})
{
    HistoryRecord record;
    record.kind = kind;
    record.outcome = outcome;
    record.start = at(start);
    record.end = at(end);
    record.startOffsetSeconds = record.start.toLocalTime().offsetFromUtc();
    record.plannedSeconds = record.start.secsTo(record.end);
    record.countedSeconds = counted;
    record.task = task;
    return record;
}

// A work period finished as planned.
HistoryRecord record(const char* start, const char* end, const QString& task = {})
{
    return period("work", "finished", start, end, at(start).secsTo(at(end)), task);
}

QString describe(const HistoryRecord& r)
{
    QString text = QStringLiteral("%1 %2 %3/%4")
                       .arg(r.kind, r.outcome)
                       .arg(r.plannedSeconds)
                       .arg(r.countedSeconds);
    for (const HistoryRecord::Pause& pause : r.pauses)
        text += QStringLiteral(" %1:%2").arg(pause.cause).arg(pause.seconds);
    if (!r.task.isEmpty())
        text += QStringLiteral(" [%1 %2]").arg(r.task, r.taskId);
    return text;
}

} // namespace

// The history: its store and export, the periods recorded as they end, and the
// statistics read from it.
class HistoryTest : public QObject
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
        QTEST(tasksOf(store.records(bound(since, false), bound(until, true))).join(' '), "found");
    }

    void exportKeepsTheOffsetAtStartAndQuotes()
    {
        HistoryStore store(file());
        HistoryRecord r = record("2026-03-29T00:30:00Z", "2026-03-29T01:30:00Z",
                                 QStringLiteral("Write \"intro\", draft"));
        r.taskId = QStringLiteral("1234.5");
        r.countedSeconds = 3300;
        r.pauses = {{QStringLiteral("user"), at("2026-03-29T00:40:00Z"), 300}};
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
        added.pauses = {{QStringLiteral("lock"), at("2026-12-07T10:05:00Z"), 60}};
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

    // Each row drives the timer (RecordedCycle::play) and lists the periods kept,
    // as they were told and as the store has them.
    void periodsAreKeptAsTheyEnd_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* name, const char* script, const char* kept) {
            QTest::newRow(name) << script << kept;
        };
        row("finished, then a skipped break", "go +1500 +10 skip",
            "work finished 1500/1500 [Write 1234.5] | shortBreak skipped 300/10");
        row("paused, reset while running", "go +100 go +30 go +40 reset",
            "work abandoned 1500/140 user:30");
        row("reset while paused", "go +100 go +30 reset", "work abandoned 1500/100 user:30");
        row("a preset replaces the work period", "go +60 preset:600 +600",
            "work abandoned 1500/60 | countdown finished 600/600 [Write 1234.5]");
        row("a preset while paused waits for no start", "go +60 go +5 preset:90 +100",
            "work abandoned 1500/60 user:5 | countdown finished 90/90 [Write 1234.5]");
        row("stopwatch at quit", "watch +75 quit", "stopwatch abandoned 0/75");
        row("re-timed while running", "go +100 retime:60 +60",
            "work abandoned 1500/100 | work finished 60/60 [Write 1234.5]");
        row("a pause of the screen lock", "go +100 cause:lock go +50 go +10 go +7 quit",
            "work abandoned 1500/110 lock:50 user:7");
        row("idle time taken from the count", "go +600 idle:120 +1020",
            "work finished 1500/1500 idle:120 [Write 1234.5]");
        row("more idle than counted", "go +20 go idle:90 quit", "work abandoned 1500/0 idle:20");
        row("ran out asleep, woken before the tick", "go +600 sleep jump:3600 wake +1",
            "work endedAway 1500/600 suspend:3600 [Write 1234.5]");
        row("ran out asleep, the tick before the wake", "go +600 sleep jump:3600 +1 wake",
            "work endedAway 1500/600 suspend:3600 [Write 1234.5]");
        row("woken with time left", "go +600 sleep jump:300 wake +600",
            "work finished 1500/1500 [Write 1234.5]");
        row("paused for the sleep", "go +600 cause:suspend go sleep jump:3600 wake go +900",
            "work finished 1500/1500 suspend:3600 [Write 1234.5]");
        row("nothing started, nothing kept", "+100 quit", "");
    }
    void periodsAreKeptAsTheyEnd()
    {
        QFETCH(QString, script);
        ManualRunLoop loop;
        RecordedCycle cycle(file());
        QStringList told;
        connect(&cycle.recorder, &PeriodRecorder::periodEnded,
                [&told](const HistoryRecord& r) { told << describe(r); });

        cycle.play(loop, script);
        QTEST(told.join(QLatin1String(" | ")), "kept");
        QStringList stored;
        for (const HistoryRecord& r : cycle.store.records({}, {}))
            stored << describe(r);
        QCOMPARE(stored, told);
    }

    // The statistics.
    void daysUnderAFixedZone_data()
    {
        QTest::addColumn<QList<HistoryRecord>>("records");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("hoursOfFirstDay");
        QTest::addColumn<int>("breaks");

        const QDate jan10(2026, 1, 10);
        QTest::newRow("over midnight, split by the wall clock")
            << QList{period("work", "finished", "2026-01-10T23:30", "2026-01-11T00:30", 3600)}
            << jan10 << QStringList{"2026-01-10\t0\t30", "2026-01-11\t1\t30"} << 24 << 0;
        QTest::newRow("ending on the stroke of midnight belongs to the day before")
            << QList{period("work", "finished", "2026-01-10T23:35", "2026-01-11T00:00", 1500)}
            << jan10 << QStringList{"2026-01-10\t1\t25"} << 24 << 0;
        HistoryRecord paused =
            period("work", "finished", "2026-01-10T23:00", "2026-01-11T01:00", 3600);
        paused.pauses = {{"user", at("2026-01-10T23:00"), 3600}};
        QTest::newRow("a pause is no running time, and empty days are left out")
            << QList{paused} << jan10 << QStringList{"2026-01-11\t1\t60"} << 24 << 0;
        QTest::newRow("23-hour day: clocks forward")
            << QList{period("work", "finished", "2026-03-29T01:30", "2026-03-29T03:30", 3600),
                     period("work", "finished", "2026-03-29T23:40", "2026-03-30T00:20", 2400)}
            << QDate(2026, 3, 29) << QStringList{"2026-03-29\t1\t80", "2026-03-30\t1\t20"} << 23
            << 0;
        QTest::newRow("25-hour day: clocks back")
            << QList{period("work", "finished", "2026-10-25T00:00", "2026-10-25T01:00", 3600),
                     period("work", "finished", "2026-10-25T23:40", "2026-10-26T00:20", 2400)}
            << QDate(2026, 10, 25) << QStringList{"2026-10-25\t1\t80", "2026-10-26\t1\t20"} << 25
            << 0;
        QTest::newRow("abandoned and skipped work is focused time, not finished")
            << QList{period("work", "abandoned", "2026-01-10T09:00", "2026-01-10T09:10", 600),
                     period("work", "skipped", "2026-01-10T09:10", "2026-01-10T09:15", 300),
                     period("work", "finished", "2026-01-10T10:00", "2026-01-10T10:25", 1500),
                     period("stopwatch", "finished", "2026-01-10T11:00", "2026-01-10T12:00", 3600),
                     period("shortBreak", "finished", "2026-01-10T10:25", "2026-01-10T10:30", 300),
                     period("shortBreak", "abandoned", "2026-01-10T10:55", "2026-01-10T10:56", 60),
                     period("longBreak", "skipped", "2026-01-10T10:56", "2026-01-10T10:56", 0)}
            << jan10 << QStringList{"2026-01-10\t1\t40"} << 24 << 1;
    }

    void daysUnderAFixedZone()
    {
        QFETCH(QList<HistoryRecord>, records);
        QFETCH(QDate, first);
        const HistoryStatistics statistics(records, berlin);
        const QDate last = first.addDays(1);
        QTEST(statistics.lines(first, last), "lines");
        QTEST(int(statistics.hours(first).size()), "hoursOfFirstDay");
        QTEST(statistics.totals(first, last).breaks, "breaks");
        qint64 hourly = 0;
        for (const HistoryStatistics::Bucket& hour : statistics.hours(first))
            hourly += hour.totals.focusedSeconds;
        QCOMPARE(hourly, statistics.days(first, first).first().totals.focusedSeconds);
    }

    // Each end is a finished 25-minute work period. (Days are split as daysUnderAFixedZone's.)
    void goalAndStreaks_data()
    {
        QTest::addColumn<QStringList>("ends");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("goal");
        QTest::addColumn<int>("todays");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("longest");
        const QDate jan11(2026, 1, 11);
        const QStringList twoDays{"2026-01-09T10:00", "2026-01-09T11:00", "2026-01-10T10:00",
                                  "2026-01-10T11:00"};
        QTest::newRow("today under way breaks nothing")
            << twoDays + QStringList{"2026-01-11T09:00"} << jan11 << 2 << 1 << 2 << 2;
        QTest::newRow("today met counts")
            << twoDays + QStringList{"2026-01-11T09:00", "2026-01-11T09:30"} << jan11 << 2 << 2 << 3
            << 3;
        QTest::newRow("a missed day ends a run")
            << QStringList{"2026-01-05T10:00", "2026-01-05T11:00", "2026-01-06T10:00",
                           "2026-01-06T11:00", "2026-01-07T10:00", "2026-01-07T11:00",
                           "2026-01-08T10:00", "2026-01-10T10:00", "2026-01-10T11:00"}
            << jan11 << 2 << 0 << 1 << 3;
        QTest::newRow("no goal, no streak") << twoDays << QDate(2026, 1, 10) << 0 << 2 << 0 << 0;
    }
    void goalAndStreaks()
    {
        QFETCH(QStringList, ends);
        QFETCH(QDate, today);
        QFETCH(int, goal);
        QList<HistoryRecord> records;
        for (const QString& end : ends) {
            const QString start = at(end).addSecs(-1500).toTimeZone(berlin).toString(Qt::ISODate);
            records << period("work", "finished", start.left(19), end, 1500);
        }
        const HistoryStatistics statistics(records, berlin);
        QTEST(statistics.workPeriodsOn(today), "todays");
        QTEST(statistics.streaks(goal, today).current, "current");
        QTEST(statistics.streaks(goal, today).longest, "longest");
    }

    // Today's count as the application keeps it: read from the store, again at
    // each period's end and when the local day turns.
    void countsTodayAndTurnsAtMidnight()
    {
        HistoryStore store(file());
        ManualRunLoop loop;
        // 23:59:30 on the 23-hour day, Berlin's wall clock; the clock follows the loop.
        const QDateTime start = QDateTime(QDate(2026, 3, 29), QTime(23, 59, 30), berlin);
        const auto began = loop.now();
        DailyProgress progress(store, berlin, [&] {
            return start.addMSecs((loop.now() - began) / std::chrono::milliseconds(1));
        });
        HistoryRecord work =
            period("work", "finished", "2026-03-29T23:33:30", "2026-03-29T23:58:30", 1500);
        QVERIFY(store.append(work));

        progress.setGoal(0);
        QCOMPARE(progress.text(), QString()); // no goal, nothing read or shown
        QSignalSpy changed(&progress, &DailyProgress::changed);
        progress.setGoal(4);
        QCOMPARE(progress.today(), 1);
        QCOMPARE(progress.text(), QString("1 of 4 today"));
        loop.advance(std::chrono::seconds(31)); // 00:00:01, and the second more it waits
        QCOMPARE(progress.today(), 0);
        QCOMPARE(changed.count(), 2);
    }

    // The statistics window.
    void clearingAsksFirst_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<int>("clears");
        QTest::newRow("yes") << QMessageBox::Yes << 1;
        QTest::newRow("no") << QMessageBox::No << 0;
    }

    void clearingAsksFirst()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        int clears = 0;
        ZKStatisticsWindow window(
            nullptr, [](const QDateTime&, const QDateTime&) { return std::nullopt; },
            [&clears] { return ++clears > 0; }, berlin);
        window.clearButton()->click();
        auto* question = window.findChild<QMessageBox*>();
        QVERIFY(question && question->isVisible());
        QCOMPARE(clears, 0);
        question->button(answer)->click();
        QTEST(clears, "clears");
        // Read afresh after a clear; a history unread shows no zeros.
        QCOMPARE(window.workPeriodsLabel()->text(), clears ? "The history could not be read." : "");
    }
};

QTEST_MAIN(HistoryTest)
#include "HistoryTest.moc"
