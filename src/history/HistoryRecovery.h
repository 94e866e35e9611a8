#pragma once

#include <QSqlDatabase>
#include <QString>

// What can still be read from a damaged history, copied into a sound one.
namespace HistoryRecovery {

// Copies every row of the damaged file's periods and pauses that SQLite can
// still read, past damaged pages, into the open database `into`, which has
// the current tables. The damaged file is only read. Gives the periods kept.
qint64 copyReadable(const QString& damagedPath, QSqlDatabase into);

} // namespace HistoryRecovery
