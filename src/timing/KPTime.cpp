#include "KPTime.h"

#include "platform/store/Defaults.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <limits>

namespace {

// Overflow is a programming error: no real period or elapsed time comes near it.
qint64 checkedAdd(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_add_overflow(a, b, &r))
        qFatal("KPTime: integer overflow");
    return r;
}

qint64 checkedMul(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        qFatal("KPTime: integer overflow");
    return r;
}

qint64 checkedSub(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_sub_overflow(a, b, &r))
        qFatal("KPTime: integer overflow");
    return r;
}

// Smallest whole number of sixties that makes a negative value non-negative.
qint64 borrowFor(qint64 negative)
{
    const qint64 deficit = checkedSub(0, negative);
    return deficit / 60 + (deficit % 60 != 0 ? 1 : 0);
}

} // namespace

KPTime KPTime::fromTotalSeconds(qint64 n)
{
    KPTime t;
    t.hours = n / 3600;
    t.minutes = (n - 3600 * t.hours) / 60;
    t.seconds = n - 3600 * t.hours - 60 * t.minutes;
    return t;
}

qint64 KPTime::totalSeconds() const
{
    return checkedAdd(checkedAdd(checkedMul(3600, hours), checkedMul(60, minutes)), seconds);
}

void KPTime::subtract(qint64 n)
{
    seconds = checkedSub(seconds, n);
    if (seconds >= 0)
        return;
    qint64 b = borrowFor(seconds);
    seconds = checkedAdd(seconds, checkedMul(60, b));
    minutes = checkedSub(minutes, b);
    if (minutes < 0) {
        b = borrowFor(minutes);
        minutes = checkedAdd(minutes, checkedMul(60, b));
        hours = checkedSub(hours, b);
    }
    if (hours < 0)
        *this = KPTime{};
}

void KPTime::add(qint64 n)
{
    seconds = checkedAdd(seconds, n);
    qint64 c = seconds / 60;
    minutes = checkedAdd(minutes, c);
    seconds -= 60 * c;
    c = minutes / 60;
    hours = checkedAdd(hours, c);
    minutes -= 60 * c;
}

QString KPTime::twoDigitString(qint64 component)
{
    const QString digits = QString::number(component);
    return component > 9 ? digits : QLatin1Char('0') + digits;
}

QJsonObject KPTime::toJsonObject() const
{
    return QJsonObject{{QStringLiteral("hours"), hours},
                       {QStringLiteral("minutes"), minutes},
                       {QStringLiteral("seconds"), seconds}};
}

QByteArray KPTime::toJson() const
{
    // Written by hand to keep the member order and avoid a document per tick.
    return QByteArrayLiteral("{\"hours\":") + QByteArray::number(hours) +
           QByteArrayLiteral(",\"minutes\":") + QByteArray::number(minutes) +
           QByteArrayLiteral(",\"seconds\":") + QByteArray::number(seconds) + '}';
}

std::optional<KPTime> KPTime::fromJsonObject(const QJsonObject& object, QString* error)
{
    KPTime t;
    const std::pair<const char*, qint64*> members[] = {
        {"hours", &t.hours}, {"minutes", &t.minutes}, {"seconds", &t.seconds}};
    for (const auto& [name, field] : members) {
        const QJsonValue v = object.value(QLatin1String(name));
        if (v.isUndefined()) {
            if (error)
                *error = QStringLiteral("missing \"%1\"").arg(QLatin1String(name));
            return std::nullopt;
        }
        const std::optional<qint64> n = Defaults::toInteger(v);
        if (!n) {
            if (error)
                *error = QStringLiteral("\"%1\" is not an integer").arg(QLatin1String(name));
            return std::nullopt;
        }
        *field = *n;
    }
    return t;
}

std::optional<KPTime> KPTime::fromJson(const QByteArray& json, QString* error)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                  : QStringLiteral("not an object");
        return std::nullopt;
    }
    return fromJsonObject(document.object(), error);
}
