#include "JsonFuzz.h"
#include "tasks/KPTask.h"

#include <QTest>

static const QByteArray validList =
    R"([{"id":725846400.123456,"string":"Write \"report\" \u00e9","isCompleted":false,"cycleCount":3},)"
    R"({"id":1,"string":"","isCompleted":true,"cycleCount":null,"extra":[1,{"a":2}]}])";

static QList<QByteArray> inputs()
{
    QList<QByteArray> all;
    for (qsizetype n = 0; n <= validList.size(); ++n)
        all << validList.left(n);
    all << QByteArray(5000, '[') << QByteArray(5000, '[') + QByteArray(5000, ']')
        << "[" + QByteArray(2000, '{') << "[" + QByteArray(1 << 20, '9') + "]"
        << "[{\"id\":1,\"string\":\"" + QByteArray(1 << 20, 'a') + "\",\"isCompleted\":false}]";
    JsonFuzz generator(
        20240601, {"id", "string", "isCompleted", "cycleCount", "other", ""},
        {{"id", "1.25"}, {"string", "\"t\""}, {"isCompleted", "false"}, {"cycleCount", "7"}});
    for (int n = 0; n < 3000; ++n)
        all << (n % 3 == 0   ? '[' + generator.list(0, false) + ']'
                : n % 3 == 1 ? generator.value(0)
                             : generator.bytes());
    return all;
}

class KPTaskDecoderFuzzTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decoderSurvivesMalformedInput()
    {
        const QList<QByteArray> all = inputs();
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
        QVERIFY(decoded > 100 && decoded < all.size() - 1000);
    }
};

QTEST_GUILESS_MAIN(KPTaskDecoderFuzzTest)
#include "KPTaskDecoderFuzzTest.moc"
