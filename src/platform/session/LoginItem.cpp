#include "LoginItem.h"

#include "platform/store/Defaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString execPlaceholder = QStringLiteral("@ZEMBRAK_EXEC@");

// One quoted argument of an Exec key: the quoting rule first, then the rules
// of a string value; '%' would otherwise start a field code.
QString execArgument(const QString& path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    QString value = QStringLiteral("\"");
    for (const QChar c : quoted) {
        if (c == QLatin1Char('\\'))
            value += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            value += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            value += QStringLiteral("\\r");
        else if (c == QLatin1Char('%'))
            value += QStringLiteral("%%");
        else
            value += c;
    }
    return value + QLatin1Char('"');
}

} // namespace

QString LoginItem::entryPath(const QString& identifier)
{
    return Defaults::configHome() + QStringLiteral("/autostart/") + identifier +
           QStringLiteral(".desktop");
}

QString LoginItem::desktopEntry(const QString& executable)
{
    QFile file(QStringLiteral(":/autostart/org.zembrak.Zembrak.autostart.desktop.in"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).replace(execPlaceholder, execArgument(executable));
}

bool LoginItem::setEnabled(const QString& identifier, bool enabled)
{
    const QString path = entryPath(identifier);
    if (!enabled)
        return QFile::remove(path) || !QFileInfo::exists(path);

    const QString executable = QCoreApplication::applicationFilePath();
    const QString entry = desktopEntry(executable);
    if (executable.isEmpty() || entry.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = entry.toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}
