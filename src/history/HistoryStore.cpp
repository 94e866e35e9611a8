#include "HistoryStore.h"

#include "history/HistoryRecovery.h"
#include "platform/StandardError.h"
#include "platform/store/AsideFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTimeZone>
#include <QVariant>
#include <atomic>
#include <utility>

namespace {

// Each step takes the file from the version before it to its own; a new file
// runs them all.
const char* const migrations[][4] = {
    // 1: periods with their counted time.
    {"CREATE TABLE period(id INTEGER PRIMARY KEY, start INTEGER NOT NULL,"
     " startOffset INTEGER NOT NULL, end INTEGER NOT NULL, kind TEXT NOT NULL,"
     " plannedSeconds INTEGER NOT NULL, countedSeconds INTEGER NOT NULL,"
     " outcome TEXT NOT NULL, task TEXT NOT NULL DEFAULT '')",
     "CREATE INDEX period_start ON period(start)", nullptr, nullptr},
    // 2: each pause with its cause, and the credited task's id.
    {"ALTER TABLE period ADD COLUMN taskId TEXT NOT NULL DEFAULT ''",
     "CREATE INDEX period_end ON period(end)",
     "CREATE TABLE pause(period INTEGER NOT NULL REFERENCES period(id), cause TEXT NOT NULL,"
     " start INTEGER NOT NULL, seconds INTEGER NOT NULL)",
     "CREATE INDEX pause_period ON pause(period)"},
};
static_assert(std::size(migrations) == HistoryStore::schemaVersion);

// SQLite's own codes for a file that is no database or a damaged one.
const QString notADatabase = QStringLiteral("26");
const QString corruptDatabase = QStringLiteral("11");
const QString sqliteBusy = QStringLiteral("5");
const QString sqliteLocked = QStringLiteral("6");

bool looksLikeDatabase(const QString& path)
{
    QFile file(path);
    // An empty file is a new database to SQLite; one we cannot read is not ours to judge.
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return true;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

QString whereConditions(const QDateTime& since, const QDateTime& until)
{
    QStringList conditions{QStringLiteral("1")};
    if (since.isValid())
        conditions << QStringLiteral("end > %1").arg(since.toSecsSinceEpoch());
    if (until.isValid())
        conditions << QStringLiteral("start < %1").arg(until.toSecsSinceEpoch());
    return conditions.join(QLatin1String(" AND "));
}

// A null text binds as SQL NULL, which the columns refuse.
QVariant text(const QString& value)
{
    return value.isNull() ? QVariant(QLatin1String("")) : QVariant(value);
}

QDateTime utc(const QVariant& seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds.toLongLong(), QTimeZone::utc());
}

} // namespace

QString HistoryStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1String("/zembrak/history.sqlite");
}

HistoryStore::HistoryStore(const QString& path, Role role)
    : m_path(path), m_role(role), m_connectionName([] {
          static std::atomic<int> count{0};
          return QStringLiteral("zembrak-history-%1").arg(++count);
      }())
{}

HistoryStore::~HistoryStore()
{
    // The last chance for what could not be kept: what is still refused is
    // told whole, so the user can keep it by hand.
    retryHeld();
    for (const HistoryRecord& r : std::as_const(m_held))
        StandardError::tell(tr("a period could not be kept in the history %1: %2 %3 from %4 to "
                               "%5, planned %6 s, counted %7 s, task \"%8\"")
                                .arg(m_path, r.kind, r.outcome,
                                     r.start.toLocalTime().toString(Qt::ISODate),
                                     r.end.toLocalTime().toString(Qt::ISODate))
                                .arg(r.plannedSeconds)
                                .arg(r.countedSeconds)
                                .arg(r.task));
    disconnect();
}

bool HistoryStore::connect(bool readOnly) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(m_path);
    // The command line may wait for a writer; the application never does, it
    // holds the record and tries again later.
    db.setConnectOptions(
        QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_role == Role::reader ? 5000 : 0) +
        (readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
    if (db.open())
        return true;
    StandardError::tell(tr("cannot open the history %1: %2").arg(m_path, db.lastError().text()));
    return false;
}

void HistoryStore::disconnect() const
{
    m_isOpen = false;
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool HistoryStore::open(Open purpose) const
{
    // Deleted or replaced since it was opened: what is written from now on
    // goes into a file the user can see.
    if (m_isOpen && FileIdentity::of(m_path) == m_openedFile)
        return true;
    disconnect();
    const QFileInfo file(m_path);
    if (!file.exists()) {
        if (purpose == Open::toRead)
            return false;
        if (!QDir().mkpath(file.absolutePath())) {
            StandardError::tell(
                tr("cannot make the folder %1 for the history").arg(file.absolutePath()));
            return false;
        }
    }
    // Checked once a file: a store reopened after a failed write is not read through again.
    if (file.exists() && file.size() > 0 && FileIdentity::of(m_path) != m_checkedFile) {
        // Checked read-only: a damaged file, and the journal beside it, must
        // not be changed by SQLite before they are moved aside.
        bool corrupt = !looksLikeDatabase(m_path);
        // A write cut short leaves a journal that only a writer can roll back.
        for (const bool readOnly : {true, false}) {
            if (corrupt || !connect(readOnly))
                break;
            QString error;
            const bool passed = passesCheck(&corrupt, &error);
            disconnect();
            if (passed)
                break;
            if (!corrupt && !readOnly) {
                StandardError::tell(tr("cannot read the history %1: %2").arg(m_path, error));
                return false;
            }
        }
        if (corrupt && m_role == Role::reader) {
            StandardError::tell(
                tr("the history %1 is damaged; Zembrak moves it aside when it next keeps a period")
                    .arg(m_path));
            return false;
        }
        if (corrupt)
            moveAside();
    }
    if (!connect(false))
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    // Readers go on while the application writes; a record once committed
    // survives the process being killed.
    query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    query.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    if (!migrate()) {
        disconnect();
        return false;
    }
    if (!m_toRecover.isEmpty()) {
        const QString damaged = std::exchange(m_toRecover, QString());
        const qint64 saved =
            HistoryRecovery::copyReadable(damaged, QSqlDatabase::database(m_connectionName, false));
        StandardError::tell(tr("%n period(s) could still be read from the damaged history and "
                               "were kept",
                               nullptr, int(saved)));
    }
    m_isOpen = true;
    m_openedFile = FileIdentity::of(m_path);
    m_checkedFile = m_openedFile;
    return true;
}

bool HistoryStore::passesCheck(bool* corrupt, QString* error) const
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.exec(QStringLiteral("PRAGMA quick_check"))) {
        const QString code = query.lastError().nativeErrorCode();
        *corrupt = code == notADatabase || code == corruptDatabase;
        *error = query.lastError().text();
        return false;
    }
    *corrupt = !query.next() || query.value(0).toString() != QLatin1String("ok");
    return !*corrupt;
}

bool HistoryStore::migrate() const
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        StandardError::tell(
            tr("cannot read the history %1: %2").arg(m_path, query.lastError().text()));
        return false;
    }
    const int version = query.value(0).toInt();
    if (version > schemaVersion) {
        StandardError::tell(
            tr("the history %1 was written by a newer Zembrak; it is left alone").arg(m_path));
        return false;
    }
    for (int step = version; step < schemaVersion; ++step) {
        db.transaction();
        bool done = true;
        for (const char* statement : migrations[step])
            if (statement && done)
                done = query.exec(QString::fromLatin1(statement));
        done = done && query.exec(QStringLiteral("PRAGMA user_version=%1").arg(step + 1));
        if (!done || !db.commit()) {
            StandardError::tell(tr("cannot bring the history %1 up to date: %2")
                                    .arg(m_path, query.lastError().text()));
            db.rollback();
            return false;
        }
    }
    return true;
}

void HistoryStore::moveAside() const
{
    // Keep what the user had, whole, with the journal that belongs to it.
    const QString target = AsideFile::move(m_path, QStringLiteral("corrupt"),
                                           {QStringLiteral("-wal"), QStringLiteral("-shm")});
    if (target.isEmpty()) {
        StandardError::tell(tr("the history %1 is damaged and cannot be moved aside").arg(m_path));
        return;
    }
    m_movedAside = target;
    m_toRecover = target;
    StandardError::tell(
        tr("the history %1 was damaged; moved to %2, a new one started").arg(m_path, target));
}

bool HistoryStore::append(HistoryRecord& record)
{
    // A record that could not be written is held and tried again before the
    // next, so a full disk or a file locked for a while loses nothing and
    // the records keep their order.
    if (retryHeld() && open(Open::toWrite) && write(record))
        return true;
    m_held.append(record);
    return false;
}

bool HistoryStore::retryHeld()
{
    while (!m_held.isEmpty() && open(Open::toWrite) && write(m_held.first()))
        m_held.removeFirst();
    return m_held.isEmpty();
}

bool HistoryStore::write(HistoryRecord& record)
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.transaction()) {
        StandardError::tell(
            tr("cannot write the history %1: %2").arg(m_path, db.lastError().text()));
        disconnect();
        return false;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO period(start, startOffset, end, kind, plannedSeconds, countedSeconds,"
        " outcome, task, taskId) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& value :
         {QVariant(record.start.toSecsSinceEpoch()), QVariant(record.startOffsetSeconds),
          QVariant(record.end.toSecsSinceEpoch()), text(record.kind),
          QVariant(record.plannedSeconds), QVariant(record.countedSeconds), text(record.outcome),
          text(record.task), text(record.taskId)})
        query.addBindValue(value);
    bool done = query.exec();
    const qint64 id = query.lastInsertId().toLongLong();
    for (const HistoryRecord::Pause& pause : std::as_const(record.pauses)) {
        if (!done)
            break;
        query.prepare(QStringLiteral("INSERT INTO pause(period, cause, start, seconds)"
                                     " VALUES (?, ?, ?, ?)"));
        query.addBindValue(id);
        query.addBindValue(text(pause.cause));
        query.addBindValue(pause.start.toSecsSinceEpoch());
        query.addBindValue(pause.seconds);
        done = query.exec();
    }
    if (!done || !db.commit()) {
        const QSqlError error = done ? db.lastError() : query.lastError();
        StandardError::tell(tr("cannot write the history %1: %2").arg(m_path, error.text()));
        db.rollback();
        // Busy or locked passes; anything else (a file made read-only, then
        // mended) needs a new connection to be written again.
        if (error.nativeErrorCode() != sqliteBusy && error.nativeErrorCode() != sqliteLocked)
            disconnect();
        return false;
    }
    record.id = id;
    return true;
}

QList<HistoryRecord> HistoryStore::records(const QDateTime& since, const QDateTime& until,
                                           bool* ok) const
{
    QList<HistoryRecord> found;
    if (ok)
        *ok = !QFileInfo::exists(m_path);
    if (!open(Open::toRead))
        return found;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    // One snapshot for both tables, even while the application writes.
    db.transaction();
    const QString where = whereConditions(since, until);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    bool read = query.exec(
        QStringLiteral("SELECT id, start, startOffset, end, kind, plannedSeconds, countedSeconds,"
                       " outcome, task, taskId FROM period WHERE %1 ORDER BY start, id")
            .arg(where));
    QHash<qint64, qsizetype> index;
    while (read && query.next()) {
        HistoryRecord& r = found.emplace_back();
        r.id = query.value(0).toLongLong();
        r.start = utc(query.value(1));
        r.startOffsetSeconds = query.value(2).toInt();
        r.end = utc(query.value(3));
        r.kind = query.value(4).toString();
        r.plannedSeconds = query.value(5).toLongLong();
        r.countedSeconds = query.value(6).toLongLong();
        r.outcome = query.value(7).toString();
        r.task = query.value(8).toString();
        r.taskId = query.value(9).toString();
        index.insert(r.id, found.size() - 1);
    }
    read = read && query.exec(QStringLiteral("SELECT period, cause, start, seconds FROM pause"
                                             " WHERE period IN (SELECT id FROM period WHERE %1)"
                                             " ORDER BY period, start")
                                  .arg(where));
    while (read && query.next())
        if (const auto at = index.constFind(query.value(0).toLongLong()); at != index.cend())
            found[*at].pauses.append(
                {query.value(1).toString(), utc(query.value(2)), query.value(3).toLongLong()});
    if (!read)
        StandardError::tell(
            tr("cannot read the history %1: %2").arg(m_path, query.lastError().text()));
    query.finish();
    db.commit();
    if (ok)
        *ok = read;
    return read ? found : QList<HistoryRecord>();
}

bool HistoryStore::clear()
{
    if (!open(Open::toWrite))
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QSqlQuery query(db);
    const bool done = db.transaction() && query.exec(QStringLiteral("DELETE FROM pause")) &&
                      query.exec(QStringLiteral("DELETE FROM period")) && db.commit();
    if (!done) {
        StandardError::tell(
            tr("cannot clear the history %1: %2").arg(m_path, query.lastError().text()));
        db.rollback();
    } else {
        m_held.clear();
    }
    return done;
}
