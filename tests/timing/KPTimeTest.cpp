#include "timing/KPTime.h"

#include <QTest>

class KPTimeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Counting down borrows and stops at zero; counting up carries. Times keep
    // the fields they were given: {0, 1, 0} is not {0, 0, 60}.
    void arithmetic()
    {
        // The start, the seconds to add (negative: to subtract), the result.
        const std::tuple<KPTime, qint64, KPTime> cases[] = {
            {{1, 0, 0}, -1, {0, 59, 59}}, {{0, 10, 5}, -190, {0, 6, 55}},
            {{0, 0, 5}, -10, {0, 0, 0}},  {{0, 0, 90}, -10, {0, 0, 80}},
            {{0, 59, 59}, 1, {1, 0, 0}},  {{0, 0, 90}, 0, {0, 1, 30}}};
        for (auto [time, n, expected] : cases) {
            if (n < 0)
                time.subtract(-n);
            else
                time.add(n);
            QCOMPARE(time, expected);
            QCOMPARE(time.isZero(), expected.totalSeconds() == 0);
        }
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
