#include "KPTask.h"

#include "platform/store/Defaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <chrono>
#include <cmath>

namespace {

// 2001-01-01 00:00:00 UTC in Unix time.
constexpr double referenceDateUnixSeconds = 978307200.0;

const QString idKey = QStringLiteral("id");
const QString stringKey = QStringLiteral("string");
const QString isCompletedKey = QStringLiteral("isCompleted");
const QString cycleCountKey = QStringLiteral("cycleCount");

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

std::optional<QJsonDocument> parse(const QByteArray& json, QString* error)
{
    QJsonParseError parseError{};
    QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        fail(error, parseError.errorString());
        return std::nullopt;
    }
    return document;
}

} // namespace

double KPTask::currentInstant()
{
    using namespace std::chrono;
    const duration<double> sinceUnixEpoch = system_clock::now().time_since_epoch();
    return sinceUnixEpoch.count() - referenceDateUnixSeconds;
}

KPTask KPTask::makeNew()
{
    return KPTask{currentInstant(), newTaskString, false, std::nullopt};
}

KPTask::AttributedString KPTask::attributedString(int fontSize) const
{
    AttributedString text;
    if (string.size() <= maximumShownLength) {
        text.string = string;
    } else {
        qsizetype kept = maximumShownLength - 1;
        if (string.at(kept - 1).isHighSurrogate())
            --kept; // never half a character
        text.string = string.left(kept) + QChar(0x2026);
    }
    text.pointSize = fontSize;
    text.colorRole =
        isCompleted ? AttributedString::ColorRole::secondary : AttributedString::ColorRole::primary;
    text.isStruckThrough = isCompleted;
    return text;
}

std::optional<QJsonObject> KPTask::toJsonObject() const
{
    if (!std::isfinite(id))
        return std::nullopt;
    QJsonObject object{{idKey, id}, {stringKey, string}, {isCompletedKey, isCompleted}};
    if (cycleCount)
        object.insert(cycleCountKey, *cycleCount);
    return object;
}

std::optional<QByteArray> KPTask::toJson() const
{
    const std::optional<QJsonObject> object = toJsonObject();
    if (!object)
        return std::nullopt;
    return QJsonDocument(*object).toJson(QJsonDocument::Compact);
}

std::optional<KPTask> KPTask::fromJsonValue(const QJsonValue& value, QString* error)
{
    if (!value.isObject()) {
        fail(error, QStringLiteral("a task is not an object"));
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(idKey);
    const QJsonValue string = object.value(stringKey);
    const QJsonValue isCompleted = object.value(isCompletedKey);
    const QJsonValue cycleCount = object.value(cycleCountKey);
    if (!id.isDouble() || !std::isfinite(id.toDouble())) {
        fail(error, QStringLiteral("\"id\" is missing or not a number"));
        return std::nullopt;
    }
    if (!string.isString()) {
        fail(error, QStringLiteral("\"string\" is missing or not a string"));
        return std::nullopt;
    }
    if (!isCompleted.isBool()) {
        fail(error, QStringLiteral("\"isCompleted\" is missing or not a Boolean"));
        return std::nullopt;
    }
    KPTask task{id.toDouble(), string.toString(), isCompleted.toBool(), std::nullopt};
    if (!cycleCount.isUndefined() && !cycleCount.isNull()) {
        task.cycleCount = Defaults::toInteger(cycleCount);
        if (!task.cycleCount) {
            fail(error, QStringLiteral("\"cycleCount\" is not a 64-bit integer"));
            return std::nullopt;
        }
    }
    return task;
}

std::optional<KPTask> KPTask::fromJson(const QByteArray& json, QString* error)
{
    const std::optional<QJsonDocument> document = parse(json, error);
    if (!document)
        return std::nullopt;
    if (!document->isObject()) {
        fail(error, QStringLiteral("not an object"));
        return std::nullopt;
    }
    return fromJsonValue(document->object(), error);
}

std::optional<QByteArray> KPTask::listToJson(const QList<KPTask>& tasks)
{
    QJsonArray array;
    for (const KPTask& task : tasks) {
        std::optional<QJsonObject> object = task.toJsonObject();
        if (!object)
            return std::nullopt;
        array.append(*object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<QList<KPTask>> KPTask::listFromJson(const QByteArray& json, QString* error)
{
    const std::optional<QJsonDocument> document = parse(json, error);
    if (!document)
        return std::nullopt;
    if (!document->isArray()) {
        fail(error, QStringLiteral("not an array"));
        return std::nullopt;
    }
    QList<KPTask> tasks;
    const QJsonArray array = document->array();
    tasks.reserve(array.size());
    for (const QJsonValue element : array) {
        std::optional<KPTask> task = fromJsonValue(element, error);
        if (!task)
            return std::nullopt;
        tasks.append(std::move(*task));
    }
    return tasks;
}
