#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// One task of the user's list. Copied by value.
struct KPTask
{
    // How the list shows a task's text; the view turns it into a font and colour.
    struct AttributedString
    {
        enum class ColorRole
        {
            primary,
            secondary
        };

        QString string;
        int pointSize = 12;
        ColorRole colorRole = ColorRole::primary;
        bool isStruckThrough = false;

        friend bool operator==(const AttributedString&, const AttributedString&) = default;
    };

    double id = 0; // creation instant, seconds since 2001-01-01 00:00:00 UTC
    QString string;
    bool isCompleted = false;
    std::optional<qint64> cycleCount;

    static inline const QString newTaskString = QStringLiteral("New Task");
    // Laying out one unbroken run of text takes time in proportion to its
    // length: the list shows at most this many characters of a task's text.
    static constexpr qsizetype maximumShownLength = 500;

    // The wall-clock instant as a task id.
    static double currentInstant();
    static KPTask makeNew();

    // The text as shown, cut short with an ellipsis past maximumShownLength.
    AttributedString attributedString(int fontSize) const;

    // Nothing when the id is not a finite number (JSON cannot carry it).
    std::optional<QJsonObject> toJsonObject() const;
    std::optional<QByteArray> toJson() const;
    static std::optional<KPTask> fromJsonValue(const QJsonValue& value, QString* error = nullptr);
    static std::optional<KPTask> fromJson(const QByteArray& json, QString* error = nullptr);

    // The stored form of a whole list: one compact JSON array.
    static std::optional<QByteArray> listToJson(const QList<KPTask>& tasks);
    // Any element that does not decode rejects the whole list.
    static std::optional<QList<KPTask>> listFromJson(const QByteArray& json,
                                                     QString* error = nullptr);

    friend bool operator==(const KPTask&, const KPTask&) = default;
};
