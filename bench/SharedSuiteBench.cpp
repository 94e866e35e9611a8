// The shared suite written once a second while 8 MB of the sibling's data
// lies in the same file: what one write costs in time and in bytes read and
// written (the process's rchar and wchar).
#include "platform/Defaults.h"
#include "timing/KPTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int writes = 200;

// rchar and wchar of /proc/self/io: what read(2) and write(2) moved.
std::pair<qint64, qint64> bytesMoved()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return {0, 0};
    const QString text = QString::fromLatin1(io.readAll());
    const auto field = [&](const char* name) {
        return QRegularExpression(QStringLiteral("%1: (\\d+)").arg(QLatin1String(name)))
            .match(text)
            .captured(1)
            .toLongLong();
    };
    return {field("rchar"), field("wchar")};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QJsonObject sibling;
    QJsonArray rows;
    for (int i = 0; i < 110000; ++i)
        rows.append(QStringLiteral("a row of the sibling's own, number %1 ....................")
                        .arg(i, 6, 10, QLatin1Char('0')));
    sibling.insert(QStringLiteral("siblingData"), rows);
    const QString folder = home.path() + QStringLiteral("/horva-group");
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/defaults.json"));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(sibling).toJson()) < 0)
        return 1;
    file.close();
    std::printf("shared-suite: sibling's file %.1f MB\n", double(file.size()) / 1e6);

    Defaults suite(QStringLiteral("horva-group"), Defaults::Durability::unsynced);
    KPTime time = KPTime::fromTotalSeconds(25 * 60);
    suite.setData(QStringLiteral("currentTime"), time.toJson()); // the first, to our format
    const auto [readBefore, writtenBefore] = bytesMoved();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < writes; ++i) {
        time = KPTime::fromTotalSeconds(time.totalSeconds() - 1);
        suite.setData(QStringLiteral("currentTime"), time.toJson());
    }
    const double spent = double(clock.nsecsElapsed()) / writes;
    const auto [readAfter, writtenAfter] = bytesMoved();
    std::printf("shared-suite: one write of the shown second: %.0f us, %.0f bytes read, %.0f "
                "bytes written (mean of %d)\n",
                spent / 1000, double(readAfter - readBefore) / writes,
                double(writtenAfter - writtenBefore) / writes, writes);
    return 0;
}
