#include "HistoryExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>

namespace {

QString csvField(const QString& text)
{
    const auto special = [](QChar c) {
        return c == QLatin1Char('"') || c == QLatin1Char(',') || c == QLatin1Char('\r') ||
               c == QLatin1Char('\n');
    };
    if (std::none_of(text.cbegin(), text.cend(), special))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

QStringList values(const HistoryRecord& r)
{
    return {HistoryExport::isoTime(r.start, r.startOffsetSeconds),
            HistoryExport::isoTime(r.end, r.startOffsetSeconds),
            r.kind,
            QString::number(r.plannedSeconds),
            QString::number(r.countedSeconds),
            QString::number(r.pauses.size()),
            QString::number(r.pausedSeconds()),
            r.outcome,
            r.task,
            r.taskId};
}

QByteArray jsonObject(const HistoryRecord& r)
{
    const QStringList text = values(r);
    QJsonObject object;
    for (qsizetype i = 0; i < HistoryExport::fields.size(); ++i)
        object.insert(HistoryExport::fields[i], text[i]);
    // The counts are numbers; times, words and the task id stay text.
    for (const qsizetype i : {3, 4, 5, 6})
        object.insert(HistoryExport::fields[i], text[i].toLongLong());
    // Each pause with its cause, which one CSV line has no room for.
    QJsonArray pauses;
    for (const HistoryRecord::Pause& pause : r.pauses)
        pauses.append(QJsonObject{{QStringLiteral("cause"), pause.cause},
                                  {QStringLiteral("start"),
                                   HistoryExport::isoTime(pause.start, r.startOffsetSeconds)},
                                  {QStringLiteral("seconds"), pause.seconds}});
    object.insert(QStringLiteral("pauseList"), pauses);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

const QStringList HistoryExport::fields{
    QStringLiteral("start"),          QStringLiteral("end"),
    QStringLiteral("kind"),           QStringLiteral("plannedSeconds"),
    QStringLiteral("countedSeconds"), QStringLiteral("pauses"),
    QStringLiteral("pausedSeconds"),  QStringLiteral("outcome"),
    QStringLiteral("task"),           QStringLiteral("taskId")};

std::optional<HistoryExport::Format> HistoryExport::formatNamed(const QString& name)
{
    if (name == QLatin1String("csv"))
        return Format::csv;
    if (name == QLatin1String("json"))
        return Format::json;
    return std::nullopt;
}

QByteArray HistoryExport::document(const QList<HistoryRecord>& records, Format format)
{
    QByteArray out;
    if (format == Format::csv) {
        out += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
        for (const HistoryRecord& r : records) {
            QStringList line = values(r);
            for (QString& field : line)
                field = csvField(field);
            out += line.join(QLatin1Char(',')).toUtf8() + "\r\n";
        }
        return out;
    }
    out += '[';
    for (qsizetype i = 0; i < records.size(); ++i)
        out += (i ? ",\n" : "\n") + jsonObject(records[i]);
    out += records.isEmpty() ? "]\n" : "\n]\n";
    return out;
}

QString HistoryExport::isoTime(const QDateTime& utc, int offsetSeconds)
{
    // By hand: QDateTime's own formatting costs most of a large export.
    const qint64 local = utc.toSecsSinceEpoch() + offsetSeconds;
    const qint64 days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    const int second = int(local - days * 86400);
    const QDate date = QDate(1970, 1, 1).addDays(days);
    const int minutes = std::abs(offsetSeconds) / 60;
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", date.year(), date.month(),
                             date.day(), second / 3600, second / 60 % 60, second % 60,
                             offsetSeconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

std::optional<QDateTime> HistoryExport::parseBound(const QString& text, bool isUpper)
{
    static const QRegularExpression day(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (day.match(text).hasMatch()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        return (isUpper ? date.addDays(1) : date).startOfDay();
    }
    const QDateTime instant = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!instant.isValid() || !text.contains(QLatin1Char('T')))
        return std::nullopt;
    // Records are kept to the second: an upper bound takes in its own second.
    return isUpper ? instant.addSecs(1) : instant;
}
