#include "timing/KPTime.h"

#include <QTest>

Q_DECLARE_METATYPE(KPTime)

class KPTimeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromTotalSeconds()
    {
        const std::pair<qint64, KPTime> cases[] = {
            {0, {0, 0, 0}}, {3661, {1, 1, 1}}, {86400, {24, 0, 0}}, {-61, {0, -1, -1}}};
        for (const auto& [total, time] : cases) {
            QCOMPARE(KPTime::fromTotalSeconds(total), time);
            QCOMPARE(time.totalSeconds(), total);
        }
    }

    // Counting down borrows and stops at zero; counting up carries. Times keep
    // the fields they were given: {0, 1, 0} is not {0, 0, 60}.
    void arithmetic_data()
    {
        QTest::addColumn<KPTime>("start");
        QTest::addColumn<qint64>("n"); // negative: subtract
        QTest::addColumn<KPTime>("expected");
        const auto row = [](const char* name, KPTime start, qint64 n, KPTime expected) {
            QTest::newRow(name) << start << n << expected;
        };
        row("one second", {0, 25, 0}, -1, {0, 24, 59});
        row("borrow an hour", {1, 0, 0}, -1, {0, 59, 59});
        row("borrow several minutes", {0, 10, 5}, -190, {0, 6, 55});
        row("exactly the total", {0, 25, 0}, -1500, {0, 0, 0});
        row("more than the total", {0, 0, 5}, -10, {0, 0, 0});
        row("non-canonical stays so", {0, 0, 90}, -10, {0, 0, 80});
        row("carry to hour", {0, 59, 59}, 1, {1, 0, 0});
        row("stopwatch", {0, 0, 0}, 3661, {1, 1, 1});
        row("non-canonical carries", {0, 0, 90}, 0, {0, 1, 30});
    }
    void arithmetic()
    {
        QFETCH(KPTime, start);
        QFETCH(qint64, n);
        QFETCH(KPTime, expected);
        if (n < 0)
            start.subtract(-n);
        else
            start.add(n);
        QCOMPARE(start, expected);
        QCOMPARE(start.isZero(), expected.totalSeconds() == 0);
    }

    void twoDigitString()
    {
        const std::pair<qint64, QString> cases[] = {
            {0, "00"}, {9, "09"}, {10, "10"}, {123, "123"}, {-3, "0-3"}};
        for (const auto& [value, text] : cases)
            QCOMPARE(KPTime::twoDigitString(value), text);
    }

    void jsonRoundTrip()
    {
        QCOMPARE(KPTime({0, 25, 0}).toJson(),
                 QByteArray(R"({"hours":0,"minutes":25,"seconds":0})"));
        for (const KPTime& time : {KPTime{1, 2, 3}, KPTime{0, 0, 90}, KPTime{-1, 0, 0},
                                   KPTime{std::numeric_limits<qint64>::max(), 59, 59}})
            QCOMPARE(KPTime::fromJson(time.toJson()), std::optional(time));
        // Members in any order, and others beside them.
        QCOMPARE(KPTime::fromJson(R"({"seconds":3,"extra":true,"minutes":2,"hours":1})"),
                 std::optional(KPTime{1, 2, 3}));
    }

    void decodeErrors()
    {
        // Missing seconds, a string, a fraction, beyond 64 bits, not an object.
        for (const char* json :
             {R"({"hours":1,"minutes":2})", R"({"hours":"1","minutes":2,"seconds":3})",
              R"({"hours":1,"minutes":2.5,"seconds":3})",
              R"({"hours":1e30,"minutes":2,"seconds":3})", "[1,2,3]"}) {
            QString error;
            QVERIFY2(!KPTime::fromJson(json, &error), json);
            QVERIFY(!error.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(KPTimeTest)
#include "KPTimeTest.moc"
