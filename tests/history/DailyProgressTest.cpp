#include "history/DailyProgress.h"
#include "history/HistoryStore.h"
#include "ManualRunLoop.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Today's count as the application keeps it: read from the store, again at
// each period's end and when the local day turns.
class DailyProgressTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsTodayAndTurnsAtMidnight()
    {
        QTemporaryDir folder;
        HistoryStore store(folder.filePath("history.sqlite"));
        const QTimeZone berlin("Europe/Berlin");
        ManualRunLoop loop;
        // 23:59:30 on the 23-hour day, Berlin's wall clock; the clock follows the loop.
        const QDateTime start = QDateTime(QDate(2026, 3, 29), QTime(23, 59, 30), berlin);
        const auto began = loop.now();
        DailyProgress progress(store, berlin, [&] {
            return start.addMSecs((loop.now() - began) / std::chrono::milliseconds(1));
        });
        HistoryRecord work;
        work.kind = "work";
        work.outcome = "finished";
        work.end = start.addSecs(-60).toUTC();
        work.start = work.end.addSecs(-1500);
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
};

QTEST_GUILESS_MAIN(DailyProgressTest)
#include "DailyProgressTest.moc"
