#include "AsideFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

QString AsideFile::freeName(const QString& stem, const QString& extension)
{
    const QString base =
        stem + QLatin1Char('-') +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = base + extension;
    for (int n = 1; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + QLatin1Char('-') + QString::number(n) + extension;
    return name;
}

QString AsideFile::move(const QString& path, const QString& kind, const QStringList& companions)
{
    const QString target = freeName(path + QLatin1Char('.') + kind);
    if (!QFile::rename(path, target))
        return QString();
    for (const QString& suffix : companions)
        QFile::rename(path + suffix, target + suffix);
    return target;
}
