#pragma once

#include "FileStamp.h"
#include "StoreText.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

// A typed key-value store kept as one JSON object in
// $XDG_CONFIG_HOME/<suite>/defaults.json. Every change is written through at
// once and atomically; a value equal to the stored one is not written again.
// Only the changed members' bytes change: what other programs keep in the
// file stays as they wrote it, and is read again only when it changed.
// A write that finds another writer holding the store's lock is kept (read
// back at once) and written when the lock comes free, never without it.
// A file that cannot be used is moved aside whole (or, unreadable, left alone
// and not written), with a word on stderr. A link is written through.
class Defaults : public QObject
{
    Q_OBJECT

public:
    // A write swaps in a whole new file, or overwrites one value of the same
    // length in place with a single write. A synced store also waits for
    // the disk to hold it; a value rewritten every second that is worthless
    // after a crash (the shared time) need not wake the disk each time.
    enum class Durability
    {
        synced,
        unsynced
    };

    // The standard store lives in the suite "zembrak".
    explicit Defaults(const QString& suiteName = QString(),
                      Durability durability = Durability::synced, QObject* parent = nullptr);
    ~Defaults() override;

    // The process's standard store, opened on first use.
    static Defaults& standard();
    // Drops the standard store so that the next use opens it again (tests).
    static void resetStandard();

    static QString configHome();
    // A JSON number that is a whole value within 64 bits, else nothing.
    static std::optional<qint64> toInteger(const QJsonValue& value);
    QString filePath() const;
    // Where an unusable file was moved on open, or empty.
    QString corruptFileMovedTo() const { return m_movedAside; }

    bool contains(const QString& key) const;
    QJsonValue value(const QString& key) const;

    // Each reader gives nothing when the key is absent or holds another type.
    std::optional<qint64> integer(const QString& key) const;
    std::optional<bool> boolean(const QString& key) const;
    std::optional<QString> string(const QString& key) const;
    std::optional<QByteArray> data(const QString& key) const;
    // Nothing when any element is not a string.
    std::optional<QStringList> stringArray(const QString& key) const;

    // Each writer returns whether the value is now on disk. One not on disk
    // is kept for this run and tried again.
    bool setInteger(const QString& key, qint64 value);
    bool setBoolean(const QString& key, bool value);
    bool setString(const QString& key, const QString& value);
    bool setData(const QString& key, const QByteArray& value);
    bool setStringArray(const QString& key, const QStringList& value);
    bool remove(const QString& key);
    // Whether kept values wait for another writer to let the lock go; they
    // are written once it does.
    bool isWaitingForLock() const { return m_waitingForLock; }

Q_SIGNALS:
    void valueChanged(const QString& key);

private:
    void hold(int fd);
    void load();
    void read();
    void apply(const QString& name, const QJsonValue& value);
    void moveAside(const QString& kind, const QString& why);
    bool write(const QString& key, const QJsonValue& value);
    void save();
    bool flush(std::chrono::milliseconds patience);
    bool writeKept();
    bool folderMade();
    QString targetPath() const;
    static void removeLeftTemporaries(const QString& target);
    bool overwriteFile(const StoreText::Overwrite& overwrite);
    bool replaceFile(const QByteArray& bytes);

    QString m_path;
    Durability m_durability;
    bool m_folderMade = false;
    bool m_unreadable = false;
    bool m_waitingForLock = false;
    bool m_retryPosted = false;
    bool m_leftTemporariesRemoved = false;
    QString m_movedAside;
    QString m_temporary;              // this process's, beside the file
    QJsonObject m_values;             // the file's, with the kept ones put in
    QMap<QString, QJsonValue> m_kept; // not on disk yet; undefined: removed
    StoreText m_text;                 // the file's bytes, as read or written last
    FileStamp m_stamp;
    int m_held = -1; // the version m_stamp is of, so that no other file takes its inode
};
