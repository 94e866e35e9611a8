#include "Defaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString standardSuite = QStringLiteral("zembrak");
const QString dataMember = QStringLiteral("$data");

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
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

QString Defaults::filePath() const
{
    return m_path;
}

Defaults::FileStamp Defaults::stampOfFile() const
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return {};
    return {qint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            qint64(info.st_mode & 07777)};
}

void Defaults::load()
{
    m_values = QJsonObject();
    m_stamp = stampOfFile();
    QFile file(m_path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    file.close();
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error == QJsonParseError::NoError && document.isObject()) {
        m_values = document.object();
        return;
    }
    // Keep what the user had; start empty beside it.
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString target = m_path + QStringLiteral(".corrupt-") + stamp;
    for (int n = 1; QFileInfo::exists(target); ++n)
        target =
            m_path + QStringLiteral(".corrupt-") + stamp + QLatin1Char('-') + QString::number(n);
    if (QFile::rename(m_path, target)) {
        m_movedAside = target;
        m_stamp = FileStamp();
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
    if (stampOfFile() != m_stamp)
        load();
    const bool removing = value.isUndefined();
    if (removing ? !m_values.contains(key)
                 : (m_values.contains(key) && m_values.value(key) == value))
        return true;
    QJsonObject next = m_values;
    if (removing)
        next.remove(key);
    else
        next.insert(key, value);

    const bool written = writeFile(QJsonDocument(next).toJson(QJsonDocument::Indented));
    m_stamp = stampOfFile();
    // The value is kept for this run even when the disk refused it.
    m_values = next;
    Q_EMIT valueChanged(key);
    return written;
}

bool Defaults::writeFile(const QByteArray& bytes)
{
    if (m_folderMade && replaceFile(bytes))
        return true;
    // First write, or the folder went away under us.
    m_folderMade = QDir().mkpath(QFileInfo(m_path).absolutePath());
    return m_folderMade && replaceFile(bytes);
}

bool Defaults::replaceFile(const QByteArray& bytes)
{
    // Written beside the file under one name of ours and renamed over it: a
    // reader never sees half of it, and a write cut short leaves only that
    // name behind, which the next write takes over (unlike a temporary file of
    // random name, which would pile up, kill after kill).
    const QString temporary = m_path + QStringLiteral(".new");
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    bool complete = file.write(bytes) == bytes.size() && file.flush();
    if (complete && m_stamp.mode >= 0)
        ::fchmod(file.handle(), mode_t(m_stamp.mode)); // the user's choice of who may read it
    if (complete && m_durability == Durability::synced)
        complete = ::fdatasync(file.handle()) == 0;
    file.close();
    if (!complete || std::rename(QFile::encodeName(temporary).constData(),
                                 QFile::encodeName(m_path).constData()) != 0) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}
