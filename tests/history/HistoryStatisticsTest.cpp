#include "history/HistoryStatistics.h"
#include "ManualRunLoop.h"
#include "history/DailyProgress.h"
#include "history/HistoryStore.h"
#include "views/KPBarChart.h"
#include "windows/ZKStatisticsWindow.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(QList<HistoryRecord>)

namespace {

const QTimeZone berlin("Europe/Berlin");

// "2026-03-29T23:40" read as Berlin's wall clock.
QDateTime at(const QString& local)
{
    QDateTime time = QDateTime::fromString(local, Qt::ISODate);
    time.setTimeZone(berlin);
    return time.toUTC();
}

HistoryRecord period(const QString& kind, const QString& outcome, const QString& start,
                     const QString& end, qint64 counted, const QString& task = {})
{
    HistoryRecord record;
    record.kind = kind;
    record.outcome = outcome;
    record.start = at(start);
    record.end = at(end);
    record.countedSeconds = counted;
    record.task = task;
    return record;
}

} // namespace

class HistoryStatisticsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

    void tasksByIdUnderTheirLatestText()
    {
        QList<HistoryRecord> records{
            period("work", "finished", "2026-01-10T09:00", "2026-01-10T09:25", 1500, "Draft"),
            period("work", "abandoned", "2026-01-10T10:00", "2026-01-10T10:05", 300, "Draft v2"),
            period("work", "finished", "2026-01-10T11:00", "2026-01-10T11:25", 1500)};
        records[0].taskId = records[1].taskId = "42";
        const QList<HistoryStatistics::Task> tasks =
            HistoryStatistics(records, berlin).tasks(QDate(2026, 1, 10), QDate(2026, 1, 10));
        QCOMPARE(tasks.size(), qsizetype(1));
        QCOMPARE(tasks[0].task, QString("Draft v2"));
        QCOMPARE(tasks[0].workPeriods, 1);
        QCOMPARE(tasks[0].focusedSeconds, qint64(1800));
    }

    // Today's count as the application keeps it: read from the store, again at
    // each period's end and when the local day turns.
    void countsTodayAndTurnsAtMidnight()
    {
        QTemporaryDir folder;
        HistoryStore store(folder.filePath("history.sqlite"));
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

    void todayShowsABarPerHourWorked()
    {
        const QString today =
            QDateTime::currentDateTime().toTimeZone(berlin).date().toString(Qt::ISODate);
        const QList<HistoryRecord> records{
            period("work", "finished", today + "T10:00", today + "T10:25", 1500, "Draft"),
            period("work", "finished", today + "T14:00", today + "T14:50", 3000, "Draft")};
        ZKStatisticsWindow window(
            nullptr, [&records](const QDateTime&, const QDateTime&) { return records; }, {},
            berlin);
        window.makeKeyAndOrderFront();
        QCOMPARE(window.taskTable()->rowCount(), 1);
        // Columns painted in the bar colour, counted as separate runs.
        const QImage image = window.chart()->grab().toImage();
        const QRgb bar = window.chart()->barColor().rgb();
        int runs = 0;
        bool inBar = false;
        for (int x = 0; x < image.width(); ++x) {
            bool painted = false;
            for (int y = 0; y < image.height() && !painted; ++y)
                painted = image.pixel(x, y) == bar;
            runs += painted && !inBar;
            inBar = painted;
        }
        QCOMPARE(runs, 2);
    }
};

QTEST_MAIN(HistoryStatisticsTest)
#include "HistoryStatisticsTest.moc"
