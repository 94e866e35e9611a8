// The history at 100,000 periods (several years of full days): how long a
// 30-day read, its statistics and a full CSV export take, and the memory they leave behind.
#include "history/HistoryExport.h"
#include "history/HistoryStatistics.h"
#include "history/HistoryStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int count = 100000;

double rssMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpression rss(QStringLiteral("VmRSS:\\s+(\\d+) kB"));
    return rss.match(QString::fromLatin1(status.readAll())).captured(1).toDouble() / 1024.0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const double atStart = rssMegabytes();
    // tmpfs: what is timed is SQLite and our code, not the disk's flushes.
    QTemporaryDir dir(QStringLiteral("/dev/shm/zembrak-history-bench.XXXXXX"));
    const QString path = dir.path() + QStringLiteral("/history.sqlite");
    const QDateTime now = QDateTime::currentDateTimeUtc();
    {
        HistoryStore store(path);
        HistoryRecord first;
        first.start = now.addSecs(-60);
        first.end = now;
        first.kind = QStringLiteral("work");
        first.outcome = QStringLiteral("finished");
        if (!store.append(first))
            return 1;
        // The rest in one transaction: 100,000 separate commits time the disk.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fill");
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        q.prepare("INSERT INTO period(start, startOffset, end, kind, plannedSeconds,"
                  " countedSeconds, outcome, task, taskId) VALUES (?, 3600, ?, ?, 1500, ?,"
                  " 'finished', ?, ?)");
        QSqlQuery pause(db);
        pause.prepare("INSERT INTO pause(period, cause, start, seconds) VALUES (?, 'user', ?, 60)");
        for (int i = 1; i < count; ++i) {
            const qint64 end = now.toSecsSinceEpoch() - qint64(i) * 1800;
            q.addBindValue(end - 1500);
            q.addBindValue(end);
            q.addBindValue(i % 4 ? QStringLiteral("work") : QStringLiteral("shortBreak"));
            q.addBindValue(1500 - (i % 7) * 60);
            q.addBindValue(QStringLiteral("Task %1, \"draft\"").arg(i % 40));
            q.addBindValue(QString::number(800000000.5 + i % 40, 'g', 17));
            q.exec();
            if (i % 7) {
                pause.addBindValue(q.lastInsertId());
                pause.addBindValue(end - 900);
                pause.exec();
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("fill");

    HistoryStore store(path);
    QElapsedTimer timer;
    timer.start();
    const QList<HistoryRecord> month = store.records(now.addDays(-30), now);
    const qint64 monthMs = timer.elapsed();
    // What the statistics window does with them for "Last 30 Days".
    timer.restart();
    const HistoryStatistics statistics(month);
    const QDate today = QDate::currentDate();
    const qsizetype bars = statistics.days(today.addDays(-29), today).size() +
                           statistics.tasks(today.addDays(-29), today).size();
    const qint64 statisticsMs = timer.elapsed();
    const double opened = rssMegabytes();
    timer.restart();
    const QList<HistoryRecord> all = store.records({}, {});
    const qint64 readMs = timer.elapsed();
    const QByteArray csv = HistoryExport::document(all, HistoryExport::Format::csv);
    const qint64 exportMs = timer.elapsed();
    std::printf("history-bench: %d records, file %.1f MB; 30-day read %lld records in %lld ms; "
                "full CSV export %.1f MB in %lld ms (%lld ms of it reading)\n",
                count, QFileInfo(path).size() / 1048576.0, static_cast<long long>(month.size()),
                static_cast<long long>(monthMs), csv.size() / 1048576.0,
                static_cast<long long>(exportMs), static_cast<long long>(readMs));
    std::printf("history-bench: 30-day statistics (%lld days and tasks) in %lld ms\n",
                static_cast<long long>(bars), static_cast<long long>(statisticsMs));
    std::printf("history-bench: RSS %.1f MB at start, %.1f MB once read\n", atStart, opened);
    return month.isEmpty() ? 1 : 0;
}
