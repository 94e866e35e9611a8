// The shared suite written once a second while 8 MB of the sibling's data
// lies in the same file: what one write costs in time and in bytes read and
// written (the process's rchar and wchar).
#include "platform/store/Defaults.h"
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
#include <utility>

namespace {

constexpr int writes = 200;
qint64 ioSize = 0; // what reading /proc/self/io adds to rchar

// rchar and wchar of /proc/self/io: what read(2) and write(2) moved.
std::pair<qint64, qint64> bytesMoved()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return {0, 0};
    const QByteArray bytes = io.readAll();
    ioSize = bytes.size();
    const QString text = QString::fromLatin1(bytes);
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
    // Most seconds keep the length of the stored value; a few (10 to 9, 0 to 59) change it.
    struct Kind
    {
        int count = 0;
        double nanoseconds = 0, read = 0, written = 0;
    } kept, changed;
    for (int i = 0; i < writes; ++i) {
        const KPTime next = KPTime::fromTotalSeconds(time.totalSeconds() - 1);
        const QByteArray value = next.toJson();
        Kind& kind = value.toBase64().size() == time.toJson().toBase64().size() ? kept : changed;
        time = next;
        const auto [readBefore, writtenBefore] = bytesMoved();
        const qint64 ownRead = ioSize; // counted by the next look
        QElapsedTimer clock;
        clock.start();
        suite.setData(QStringLiteral("currentTime"), value);
        kind.nanoseconds += double(clock.nsecsElapsed());
        const auto [readAfter, writtenAfter] = bytesMoved();
        ++kind.count;
        kind.read += double(readAfter - readBefore - ownRead);
        kind.written += double(writtenAfter - writtenBefore);
    }
    for (const auto& [name, kind] : {std::pair{"keeping", kept}, std::pair{"changing", changed}})
        std::printf("shared-suite: a write %s the value's length: %.0f us, %.0f bytes read, %.0f "
                    "bytes written (mean of %d)\n",
                    name, kind.nanoseconds / kind.count / 1000, kind.read / kind.count,
                    kind.written / kind.count, kind.count);
    std::printf("shared-suite: per second, of %d: %.0f us, %.0f bytes read, %.0f bytes written\n",
                writes, (kept.nanoseconds + changed.nanoseconds) / writes / 1000,
                (kept.read + changed.read) / writes, (kept.written + changed.written) / writes);
    return 0;
}
