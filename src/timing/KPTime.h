#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QtGlobal>
#include <optional>

// A duration or clock reading as hours, minutes and seconds. Values built field
// by field are kept as given; the operations produce canonical values.
struct KPTime
{
    qint64 hours = 0;
    qint64 minutes = 0;
    qint64 seconds = 0;

    // The most any input may set: 9999:59:59, all the time editor can show.
    static constexpr qint64 maximumHours = 9999;
    static constexpr qint64 maximumTotalSeconds = maximumHours * 3600 + 59 * 60 + 59;

    static KPTime fromTotalSeconds(qint64 totalSeconds);

    qint64 totalSeconds() const;
    bool isZero() const { return hours == 0 && minutes == 0 && seconds == 0; }

    // Counts down by n seconds with borrowing; clamps at 0:0:0.
    void subtract(qint64 n);
    // Counts up by n seconds, carrying into minutes and hours.
    void add(qint64 n);

    static QString twoDigitString(qint64 component);

    QJsonObject toJsonObject() const;
    QByteArray toJson() const;
    // Each member must be present and an integer.
    static std::optional<KPTime> fromJsonObject(const QJsonObject& object,
                                                QString* error = nullptr);
    static std::optional<KPTime> fromJson(const QByteArray& json, QString* error = nullptr);

    friend bool operator==(const KPTime&, const KPTime&) = default;
};
