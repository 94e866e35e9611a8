#pragma once

#include "history/HistoryRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <optional>

// The history as other programs read it: CSV (RFC 4180) or one JSON array,
// with the same fields, the same whatever the user's language.
class HistoryExport
{
public:
    enum class Format
    {
        csv,
        json
    };

    static const QStringList fields;

    static std::optional<Format> formatNamed(const QString& name);
    static QByteArray document(const QList<HistoryRecord>& records, Format format);

    // ISO 8601 with the given offset from UTC: 2026-03-29T01:59:00+01:00.
    static QString isoTime(const QDateTime& utc, int offsetSeconds);
    // A day (YYYY-MM-DD, local time) or an ISO 8601 date-time. A day given as the
    // upper bound includes the whole of it; either bound is the first instant
    // not before it, or the first after it for an upper bound.
    static std::optional<QDateTime> parseBound(const QString& text, bool isUpper);
};
