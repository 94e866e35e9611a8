#pragma once

#include "history/HistoryRecord.h"
#include "platform/store/FileIdentity.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

// Every ended period, kept in one SQLite file. Nothing is opened until the
// first record is written or read, so an idle application never touches it. A
// reader in another process (the command line) may read while the application
// writes. Failures are told on standard error and never stop the caller.
class HistoryStore
{
    Q_DECLARE_TR_FUNCTIONS(HistoryStore)

public:
    static constexpr int schemaVersion = 2;

    // $XDG_DATA_HOME/zembrak/history.sqlite
    static QString defaultPath();

    // The application keeps the history; a reader (the command line) only
    // reads it and leaves a damaged file where it is, for the keeper to move.
    enum class Role
    {
        keeper,
        reader
    };

    explicit HistoryStore(const QString& path = defaultPath(), Role role = Role::keeper);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    QString path() const { return m_path; }

    // Writes the record in one transaction and gives it its id; true only once
    // it is committed. One that fails is held and written with the next.
    bool append(HistoryRecord& record);
    // Tries again to write what append held; true when nothing is held.
    // What is still held when the store is destroyed is told on stderr.
    bool retryHeld();
    bool holdsRecords() const { return !m_held.isEmpty(); }
    // The records that overlap [since, until), oldest first; an invalid bound is
    // open. ok tells whether the store could be read (no file reads as empty).
    QList<HistoryRecord> records(const QDateTime& since, const QDateTime& until,
                                 bool* ok = nullptr) const;
    bool clear();

    // Where a file that was not a sound database went this run; empty otherwise.
    QString corruptFileMovedTo() const { return m_movedAside; }

private:
    enum class Open
    {
        toRead,
        toWrite
    };

    bool open(Open purpose) const;
    bool connect(bool readOnly) const;
    void disconnect() const;
    bool passesCheck(bool* corrupt, QString* error) const;
    bool migrate() const;
    bool write(HistoryRecord& record);
    void moveAside() const;

    const QString m_path;
    const Role m_role;
    const QString m_connectionName;
    mutable bool m_isOpen = false;
    mutable QString m_movedAside;
    mutable QString m_toRecover; // the damaged file just moved aside
    mutable std::optional<FileIdentity> m_openedFile;
    mutable std::optional<FileIdentity> m_checkedFile;
    QList<HistoryRecord> m_held;
};
