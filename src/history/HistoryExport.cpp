#include "HistoryExport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(QRegularExpression(QStringLiteral("[\",\r\n]"))))
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
    const QDateTime local = utc.toOffsetFromUtc(offsetSeconds);
    const int minutes = std::abs(offsetSeconds) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           (offsetSeconds < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

std::optional<QDateTime> HistoryExport::parseBound(const QString& text, bool isUpper)
{
    static const QRegularExpression day(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (day.match(text).hasMatch()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        return (isUpper ? date.addDays(1) : date).startOfDay(Qt::LocalTime);
    }
    const QDateTime instant = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!instant.isValid() || !text.contains(QLatin1Char('T')))
        return std::nullopt;
    // Records are kept to the second: an upper bound takes in its own second.
    return isUpper ? instant.addSecs(1) : instant;
}
