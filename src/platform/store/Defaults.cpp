#include "Defaults.h"

#include "AsideFile.h"
#include "StoreLock.h"
#include "platform/RunLoop.h"
#include "platform/StandardError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString standardSuite = QStringLiteral("zembrak");
const QString dataMember = QStringLiteral("$data");
// Far beyond any real store; reading more would only stall the start.
constexpr qint64 largestFile = 16 * 1024 * 1024;
// Seldom enough to cost nothing while another process sits on the lock.
constexpr std::chrono::milliseconds retryDelay(500);
// Only on the way out, where nothing waits on us.
constexpr std::chrono::milliseconds patienceAtClose(500);

std::unique_ptr<Defaults>& standardInstance()
{
    static std::unique_ptr<Defaults> instance;
    return instance;
}

} // namespace

Defaults::Defaults(const QString& suiteName, Durability durability, QObject* parent)
    : QObject(parent), m_durability(durability)
{
    const QString suite = suiteName.isEmpty() ? standardSuite : suiteName;
    m_path = configHome() + QLatin1Char('/') + suite + QStringLiteral("/defaults.json");
    load();
}

Defaults::~Defaults()
{
    // The last chance for what is kept: waiting a little stalls nothing now.
    if (!flush(patienceAtClose) && !m_unreadable) {
        QJsonObject lost;
        for (auto it = m_kept.cbegin(); it != m_kept.cend(); ++it)
            lost.insert(it.key(), it.value().isUndefined() ? QJsonValue() : it.value());
        StandardError::tell(QStringLiteral("%1 could not be written; lost (null: removed): %2")
                                .arg(m_path, QString::fromUtf8(QJsonDocument(lost).toJson(
                                                 QJsonDocument::Compact))));
    }
    hold(-1);
    // What the last write swapped out, kept for the next one.
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

Defaults& Defaults::standard()
{
    auto& instance = standardInstance();
    if (!instance)
        instance = std::make_unique<Defaults>();
    return *instance;
}

void Defaults::resetStandard()
{
    standardInstance().reset();
}

QString Defaults::configHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString Defaults::filePath() const
{
    return m_path;
}

void Defaults::hold(int fd)
{
    if (m_held >= 0)
        ::close(m_held);
    m_held = fd;
}

void Defaults::load()
{
    read();
    for (auto it = m_kept.cbegin(); it != m_kept.cend(); ++it)
        apply(it.key(), it.value());
}

void Defaults::apply(const QString& name, const QJsonValue& value)
{
    if (value.isUndefined())
        m_values.remove(name);
    else
        m_values.insert(name, value);
}

void Defaults::read()
{
    m_values = QJsonObject();
    m_text.clear();
    m_unreadable = false;
    m_stamp = FileStamp();
    hold(-1);
    // Not blocking: a FIFO put in the file's place must not hang the start.
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return;
        // Whatever it holds is the user's: neither read nor written over this run.
        m_unreadable = true;
        m_stamp = FileStamp::ofPath(m_path);
        StandardError::tell(
            QStringLiteral("cannot read %1 (%2); its settings are left alone and changes are "
                           "not saved")
                .arg(m_path, QString::fromLocal8Bit(std::strerror(error))));
        return;
    }
    // Held open, so that no other file takes its inode number while we know it.
    hold(fd);
    struct stat info
    {};
    // Taken before reading: a change while it is read shows at the next look.
    if (::fstat(fd, &info) == 0)
        m_stamp = FileStamp::of(info);
    if (m_stamp == FileStamp() || !S_ISREG(info.st_mode) || info.st_size > largestFile) {
        moveAside(QStringLiteral("refused"), QStringLiteral("not a file of at most 16 MiB"));
        return;
    }
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    const QByteArray bytes = file.readAll();
    file.close();
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error == QJsonParseError::NoError && document.isObject()) {
        m_values = document.object();
        m_text.assign(bytes); // else written whole, as we format it
    } else {
        moveAside(QStringLiteral("corrupt"), QStringLiteral("not a JSON object"));
    }
}

void Defaults::moveAside(const QString& kind, const QString& why)
{
    // Keep what the user had, whole; start empty beside it.
    const QString target = AsideFile::move(m_path, kind);
    if (!target.isEmpty()) {
        m_movedAside = target;
        m_stamp = FileStamp();
        hold(-1);
        StandardError::tell(
            QStringLiteral("%1 is %2; moved to %3, defaults used").arg(m_path, why, target));
    } else {
        m_unreadable = true;
        StandardError::tell(
            QStringLiteral("%1 is %2 and cannot be moved aside; its settings are left alone "
                           "and changes are not saved")
                .arg(m_path, why));
    }
}

bool Defaults::contains(const QString& key) const
{
    return m_values.contains(key);
}

QJsonValue Defaults::value(const QString& key) const
{
    return m_values.value(key);
}

std::optional<qint64> Defaults::toInteger(const QJsonValue& v)
{
    if (!v.isDouble())
        return std::nullopt;
    constexpr qint64 sentinel = std::numeric_limits<qint64>::min();
    const qint64 n = v.toInteger(sentinel);
    if (n == sentinel && v.toDouble() != double(sentinel))
        return std::nullopt;
    return n;
}

std::optional<qint64> Defaults::integer(const QString& key) const
{
    return toInteger(m_values.value(key));
}

std::optional<bool> Defaults::boolean(const QString& key) const
{
    const QJsonValue v = m_values.value(key);
    if (!v.isBool())
        return std::nullopt;
    return v.toBool();
}

std::optional<QString> Defaults::string(const QString& key) const
{
    const QJsonValue v = m_values.value(key);
    if (!v.isString())
        return std::nullopt;
    return v.toString();
}

std::optional<QByteArray> Defaults::data(const QString& key) const
{
    const QJsonValue v = m_values.value(key);
    if (!v.isObject())
        return std::nullopt;
    const QJsonObject object = v.toObject();
    if (object.size() != 1 || !object.value(dataMember).isString())
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(
        object.value(dataMember).toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return *decoded;
}

std::optional<QStringList> Defaults::stringArray(const QString& key) const
{
    const QJsonValue v = m_values.value(key);
    if (!v.isArray())
        return std::nullopt;
    QStringList list;
    for (const QJsonValue element : v.toArray()) {
        if (!element.isString())
            return std::nullopt;
        list.append(element.toString());
    }
    return list;
}

bool Defaults::setInteger(const QString& key, qint64 value)
{
    return write(key, QJsonValue(value));
}

bool Defaults::setBoolean(const QString& key, bool value)
{
    return write(key, QJsonValue(value));
}

bool Defaults::setString(const QString& key, const QString& value)
{
    return write(key, QJsonValue(value));
}

bool Defaults::setData(const QString& key, const QByteArray& value)
{
    return write(key, QJsonObject{{dataMember, QString::fromLatin1(value.toBase64())}});
}

bool Defaults::setStringArray(const QString& key, const QStringList& value)
{
    return write(key, QJsonArray::fromStringList(value));
}

bool Defaults::remove(const QString& key)
{
    return write(key, QJsonValue(QJsonValue::Undefined));
}

bool Defaults::write(const QString& key, const QJsonValue& value)
{
    // Another program (the sibling sharing a suite, or the user's editor) may
    // have written the file since: build on what it holds now, not on our copy.
    if (FileStamp::ofPath(m_path) != m_stamp)
        load();
    // Qt 6.8's QJsonObject breaks on a null key; "" is the same key to the file.
    const QString name = key.isNull() ? QStringLiteral("") : key;
    const bool changes =
        value.isUndefined() ? m_values.contains(name) : m_values.value(name) != value;
    // Nothing to do only when the disk holds it already.
    if (!changes && !m_kept.contains(name))
        return true;
    // The value holds for this run even when the disk refuses it.
    if (changes) {
        apply(name, value);
        m_kept.insert(name, value);
    }
    save();
    if (changes)
        Q_EMIT valueChanged(key);
    return !m_kept.contains(name);
}

void Defaults::save()
{
    if (flush(std::chrono::milliseconds(0)) || !m_waitingForLock || m_retryPosted)
        return;
    // All that is kept meanwhile goes in one write.
    m_retryPosted = true;
    RunLoop::main().postAfter(retryDelay, this, [this] {
        m_retryPosted = false;
        save();
    });
}

bool Defaults::flush(std::chrono::milliseconds patience)
{
    m_waitingForLock = false;
    if (m_kept.isEmpty())
        return true;
    if (m_unreadable || !folderMade())
        return false;
    // The sibling takes the same lock around its own read-modify-write.
    const StoreLock lock(m_path + QStringLiteral(".lock"), patience);
    m_waitingForLock = lock.state() == StoreLock::State::busy;
    // A lock that nobody can take (a file system without flock) holds nobody
    // back: the file is written as it was before there was a lock.
    if (m_waitingForLock)
        return false;
    // Sound under the lock: the version last known is held open.
    if (FileStamp::ofPath(m_path) != m_stamp)
        load();
    const bool written = !m_unreadable && writeKept();
    // The folder may have gone away under us: the next write makes it again.
    m_folderMade = m_folderMade && written;
    if (written)
        m_kept.clear();
    return written;
}

bool Defaults::writeKept()
{
    // The shown second, rewritten every second, touches nothing else. Only
    // there: a kill during a write over two pages leaves half of each value,
    // which the user's own settings and tasks must never get.
    if (m_durability == Durability::unsynced && m_kept.size() == 1 && !m_text.isEmpty()) {
        const auto overwrite = m_text.overwrite(m_kept.firstKey(), m_kept.first());
        if (overwrite && overwriteFile(*overwrite)) {
            m_text.set(m_kept.firstKey(), m_kept.first());
            return true;
        }
    }
    StoreText text = m_text;
    if (text.isEmpty())
        text.assign(QJsonDocument(m_values).toJson(QJsonDocument::Indented));
    else
        for (auto it = m_kept.cbegin(); it != m_kept.cend(); ++it)
            text.set(it.key(), it.value());
    if (!replaceFile(text.bytes()))
        return false;
    m_text = std::move(text);
    return true;
}

bool Defaults::folderMade()
{
    // Once: the shared suite is written every second.
    if (!m_folderMade)
        m_folderMade = QDir().mkpath(QFileInfo(m_path).absolutePath());
    return m_folderMade;
}

QString Defaults::targetPath() const
{
    // A link (a dotfiles manager's) stays; what it points at is rewritten.
    const QFileInfo info(m_path);
    if (!info.isSymLink())
        return m_path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

void Defaults::removeLeftTemporaries(const QString& target)
{
    // A write killed half way leaves its temporary behind: once its process is
    // gone, nobody takes it over.
    const QFileInfo info(target);
    const QString prefix = info.fileName() + QStringLiteral(".new");
    QDir folder = info.absoluteDir();
    for (const QString& name : folder.entryList({prefix + QLatin1Char('*')}, QDir::Files)) {
        bool isNumber = false;
        const qint64 pid = name.mid(prefix.size() + 1).toLongLong(&isNumber);
        if (name == prefix || (isNumber && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
            folder.remove(name);
    }
}

bool Defaults::overwriteFile(const StoreText::Overwrite& overwrite)
{
    // One write of a few bytes, the length kept: a reader meets the old value
    // or the new one, and the rest of the file is never touched.
    const int fd =
        ::open(QFile::encodeName(targetPath()).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const qsizetype size = overwrite.bytes.size();
    struct stat info
    {};
    // Only the very version the text is of.
    bool done = ::fstat(fd, &info) == 0 && FileStamp::of(info) == m_stamp &&
                ::pwrite(fd, overwrite.bytes.constData(), size_t(size), overwrite.offset) == size;
    if (done) {
        FileStamp::moveTimeForward(fd, info);
        if (m_durability == Durability::synced)
            done = ::fdatasync(fd) == 0;
    }
    if (done && ::fstat(fd, &info) == 0)
        m_stamp = FileStamp::of(info);
    ::close(fd);
    return done;
}

bool Defaults::replaceFile(const QByteArray& bytes)
{
    // Written beside the file under a name of this process's own and swapped
    // with it: a reader never sees half of it, and two writers never share
    // one temporary.
    const QString target = targetPath();
    if (!m_leftTemporariesRemoved) {
        removeLeftTemporaries(target);
        m_leftTemporariesRemoved = true;
    }
    m_temporary =
        target + QStringLiteral(".new-") + QString::number(QCoreApplication::applicationPid());
    const QByteArray from = QFile::encodeName(m_temporary);
    const QByteArray to = QFile::encodeName(target);
    // Not emptied first: ext4 would then push it to the disk at its close.
    const int fd = ::open(from.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat info
    {};
    bool complete = ::fstat(fd, &info) == 0 &&
                    ::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0) == bytes.size() &&
                    ::ftruncate(fd, bytes.size()) == 0;
    if (complete) // the old version, which others may hold a stamp of
        FileStamp::moveTimeForward(fd, info);
    if (complete && m_stamp.mode >= 0)
        ::fchmod(fd, mode_t(m_stamp.mode)); // the user's choice of who may read it
    if (complete && m_durability == Durability::synced)
        complete = ::fdatasync(fd) == 0;
    // Renamed over the old file, ext4 would push the new one to the disk at
    // once; swapped with it, it is not.
    const bool swapped = complete && ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD,
                                                 to.constData(), RENAME_EXCHANGE) == 0;
    if (complete && !swapped) // the first write, or a file system that cannot swap
        complete = std::rename(from.constData(), to.constData()) == 0;
    // The old file comes back in the temporary's place. A store written every
    // second writes over it the next time rather than make a file and remove
    // one each time.
    if (!complete || m_durability == Durability::synced)
        ::unlink(from.constData());
    if (complete && ::fstat(fd, &info) == 0) {
        m_stamp = FileStamp::of(info);
        hold(fd);
    } else {
        ::close(fd);
    }
    return complete;
}
