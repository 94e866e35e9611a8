#include "Defaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>
#include <limits>
#include <memory>

namespace {

const QString standardSuite = QStringLiteral("zembrak");
const QString dataMember = QStringLiteral("$data");

std::unique_ptr<Defaults>& standardInstance()
{
    static std::unique_ptr<Defaults> instance;
    return instance;
}

} // namespace

Defaults::Defaults(const QString& suiteName, QObject* parent) : QObject(parent)
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

void Defaults::removeInterruptedWrites() const
{
    // QSaveFile writes beside the file under its name and six more characters;
    // a process killed while writing leaves that behind. A write takes
    // milliseconds: one this old was never finished.
    const QFileInfo store(m_path);
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(store.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime finishedBefore = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QFileInfoList entries = store.dir().entryInfoList(
        {store.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& entry : entries)
        if (temporary.match(entry.fileName()).hasMatch() && entry.lastModified() < finishedBefore)
            QFile::remove(entry.filePath());
}

void Defaults::load()
{
    removeInterruptedWrites();
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
    if (QFile::rename(m_path, target))
        m_movedAside = target;
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
    const bool removing = value.isUndefined();
    if (removing ? !m_values.contains(key)
                 : (m_values.contains(key) && m_values.value(key) == value))
        return true;
    QJsonObject next = m_values;
    if (removing)
        next.remove(key);
    else
        next.insert(key, value);

    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        file.write(QJsonDocument(next).toJson(QJsonDocument::Indented));
        written = file.commit();
    }
    // The value is kept for this run even when the disk refused it.
    m_values = next;
    Q_EMIT valueChanged(key);
    return written;
}
