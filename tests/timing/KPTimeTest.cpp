#include "timing/KPTime.h"

#include <QTest>

Q_DECLARE_METATYPE(KPTime)

class KPTimeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        row("borrow an hour", {1, 0, 0}, -1, {0, 59, 59});
        row("borrow several minutes", {0, 10, 5}, -190, {0, 6, 55});
        row("more than the total", {0, 0, 5}, -10, {0, 0, 0});
        row("non-canonical stays so", {0, 0, 90}, -10, {0, 0, 80});
        row("carry to hour", {0, 59, 59}, 1, {1, 0, 0});
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
        QCOMPARE(KPTime::fromTotalSeconds(start.totalSeconds()).totalSeconds(),
                 expected.totalSeconds());
    }

    // What other programs read: the shared time, and fields as the display writes them.
    void textAndJson()
    {
        for (const auto& [value, text] : {std::pair<qint64, QString>{9, "09"}, {10, "10"}})
            QCOMPARE(KPTime::twoDigitString(value), text);
        QCOMPARE(KPTime({0, 25, 0}).toJson(),
                 QByteArray(R"({"hours":0,"minutes":25,"seconds":0})"));
        QCOMPARE(KPTime::fromJson(KPTime{1, 2, 90}.toJson()), std::optional(KPTime{1, 2, 90}));
    }
};

QTEST_GUILESS_MAIN(KPTimeTest)
#include "KPTimeTest.moc"
