#include "HistoryRecovery.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <limits>
#include <optional>

namespace {

QStringList columnsOf(QSqlDatabase db, const QString& table)
{
    QStringList names;
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        while (query.next())
            names << query.value(1).toString();
    return names;
}

// A damaged page breaks a scan where it lies; the scan starts again past it,
// one row id at a time, so every readable page beyond it is still copied.
qint64 copyTable(QSqlDatabase from, QSqlDatabase into, const QString& table)
{
    const QStringList target = columnsOf(into, table);
    QStringList columns;
    for (const QString& name : columnsOf(from, table))
        if (target.contains(name))
            columns << name;
    if (columns.isEmpty())
        return 0;
    QSqlQuery last(from);
    const bool bounded = last.exec(QStringLiteral("SELECT max(rowid) FROM %1").arg(table)) &&
                         last.next() && !last.value(0).isNull();
    const qint64 lastRow = bounded ? last.value(0).toLongLong() : 0;

    QSqlQuery insert(into);
    insert.prepare(
        QStringLiteral("INSERT OR IGNORE INTO %1(%2) VALUES (%3)")
            .arg(table, columns.join(QLatin1Char(',')),
                 QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(','))));
    QSqlQuery scan(from);
    scan.setForwardOnly(true);
    const QString select =
        QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid >= ? ORDER BY rowid")
            .arg(columns.join(QLatin1Char(',')), table);
    qint64 copied = 0;
    // Row ids start at 1; the first scan takes whatever comes first.
    std::optional<qint64> next;
    for (;;) {
        scan.prepare(select);
        scan.addBindValue(next.value_or(std::numeric_limits<qint64>::min()));
        bool failed = !scan.exec();
        while (!failed && scan.next()) {
            next = scan.value(0).toLongLong() + 1;
            for (int i = 0; i < columns.size(); ++i)
                insert.bindValue(i, scan.value(i + 1));
            if (insert.exec() && insert.numRowsAffected() > 0)
                ++copied;
        }
        if (!failed && !scan.lastError().isValid())
            break; // read to the end
        next = next ? *next + 1 : 1;
        if (*next > lastRow)
            break;
    }
    return copied;
}

} // namespace

qint64 HistoryRecovery::copyReadable(const QString& damagedPath, QSqlDatabase into)
{
    const QString name = QStringLiteral("zembrak-history-recovery");
    qint64 periods = 0;
    {
        QSqlDatabase from = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        from.setDatabaseName(damagedPath);
        from.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (from.open() && into.transaction()) {
            periods = copyTable(from, into, QStringLiteral("period"));
            copyTable(from, into, QStringLiteral("pause"));
            // A pause whose period was lost belongs to nothing.
            QSqlQuery(into).exec(
                QStringLiteral("DELETE FROM pause WHERE period NOT IN (SELECT id FROM period)"));
            into.commit();
        }
        from.close();
    }
    QSqlDatabase::removeDatabase(name);
    return periods;
}
