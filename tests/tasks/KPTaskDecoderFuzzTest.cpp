#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "timing/PreferenceKeys.h"
#include "tasks/KPTaskManager.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QByteArray validList =
    R"([{"id":725846400.123456,"string":"Write \"report\" \u00e9","isCompleted":false,"cycleCount":3},)"
    R"({"id":1,"string":"","isCompleted":true,"cycleCount":null,"extra":[1,{"a":2}]}])";

// Pieces that random JSON is made of, many of them of the wrong type or size.
const QByteArrayList atoms =
    QByteArray(R"(0 -0 1 -1 1.5 1e308 -1e308 1e400 -1e400 1e-400 9223372036854775807 )"
               R"(9223372036854775808 -9223372036854775809 18446744073709551616 true false )"
               R"(null "" "x" "\ud800" "\u0000" "\q" NaN Infinity [] {} "id" 01 1. .5 +1 0x10)")
        .split(' ')
    << "\xff\xfe"
    << "\"\xc3\x28\"";
const QByteArrayList keys = {"id", "string", "isCompleted", "cycleCount", "other", ""};

class Generator
{
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    int below(int n) { return int(m_random.bounded(n)); }
    QByteArray atom() { return atoms[below(int(atoms.size()))]; }

    QByteArray value(int depth)
    {
        const int kind = depth > 4 ? 0 : below(4);
        return kind == 0   ? atom()
               : kind == 1 ? '[' + list(depth, false) + ']'
               : kind == 2 ? '{' + list(depth, true) + '}'
                           : task();
    }
    // Mostly well-formed tasks with one member wrong, missing or odd.
    QByteArray task()
    {
        QByteArrayList members;
        const QByteArray values[] = {"1.25", "\"t\"", "false", "7"};
        for (int k = 0; k < 4; ++k) {
            if (below(6) == 0)
                continue;
            const QByteArray v = below(4) == 0 ? atom() : values[k];
            members << '"' + keys[k] + "\":" + v;
        }
        return '{' + members.join(',') + '}';
    }
    QByteArray list(int depth, bool keyed)
    {
        QByteArrayList items;
        for (int n = below(4); n > 0; --n) {
            const QByteArray item = value(depth + 1);
            items << (keyed ? '"' + keys[below(int(keys.size()))] + "\":" + item : item);
        }
        return items.join(',');
    }
    QByteArray bytes()
    {
        QByteArray data;
        for (int n = below(64); n > 0; --n)
            data += char(below(256));
        return data;
    }

private:
    QRandomGenerator m_random;
};

QList<QByteArray> inputs()
{
    QList<QByteArray> all;
    for (qsizetype n = 0; n <= validList.size(); ++n)
        all << validList.left(n);
    all << QByteArray(5000, '[') << QByteArray(5000, '[') + QByteArray(5000, ']')
        << "[" + QByteArray(2000, '{') << "[" + QByteArray(1 << 20, '9') + "]"
        << "[{\"id\":1,\"string\":\"" + QByteArray(1 << 20, 'a') + "\",\"isCompleted\":false}]";
    Generator generator(20240601);
    for (int n = 0; n < 3000; ++n)
        all << (n % 3 == 0   ? '[' + generator.list(0, false) + ']'
                : n % 3 == 1 ? generator.value(0)
                             : generator.bytes());
    return all;
}

} // namespace

class KPTaskDecoderFuzzTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    void decoderSurvivesMalformedInput()
    {
        const QList<QByteArray> all = inputs();
        QVERIFY(all.size() > 3000);
        int decoded = 0;
        for (const QByteArray& input : all) {
            const std::optional<QList<KPTask>> tasks = KPTask::listFromJson(input);
            (void)KPTask::fromJson(input);
            if (!tasks)
                continue;
            ++decoded;
            // Whatever decodes is written back and read again unchanged.
            const std::optional<QByteArray> again = KPTask::listToJson(*tasks);
            QVERIFY2(again, input.left(200).constData());
            QCOMPARE(KPTask::listFromJson(*again), tasks);
        }
        // The generator reaches both outcomes.
        QVERIFY(decoded > 100);
        QVERIFY(decoded < all.size() - 1000);
    }

    void undecodableStoredListIsKeptAndTheListStaysUsable()
    {
        const QList<QByteArray> all = inputs();
        int kept = 0;
        for (qsizetype n = 0; n < all.size(); n += 37) {
            const QByteArray& input = all[n];
            m_home.reset();
            Defaults::standard().setData(PreferenceKeys::tasks, input);
            KPTaskManager manager;
            const bool readable = KPTask::listFromJson(input).has_value();
            QCOMPARE(manager.hasUndecodableStoredTasks(), !readable);
            if (!readable)
                QVERIFY(manager.tasks.isEmpty());

            const qsizetype count = manager.tasks.size();
            manager.toggleCompleted(manager.addTask(true), true);
            manager.renameTask(0, "Still works");
            QCOMPARE(manager.tasks.size(), count + 1);
            QCOMPARE(storedTasks(), manager.tasks);
            if (readable)
                continue;
            ++kept;
            QFile keptFile(manager.undecodableTasksPath());
            QVERIFY(keptFile.open(QIODevice::ReadOnly));
            QCOMPARE(keptFile.readAll(), input);
        }
        QVERIFY(kept > 20);
    }
};

QTEST_GUILESS_MAIN(KPTaskDecoderFuzzTest)
#include "KPTaskDecoderFuzzTest.moc"
