#include "timing/KPTime.h"

#include <QTest>

Q_DECLARE_METATYPE(KPTime)

class KPTimeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fromTotalSeconds_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<KPTime>("expected");
        QTest::newRow("zero") << qint64(0) << KPTime{0, 0, 0};
        QTest::newRow("work length") << qint64(1500) << KPTime{0, 25, 0};
        QTest::newRow("one of each") << qint64(3661) << KPTime{1, 1, 1};
        QTest::newRow("a day") << qint64(86400) << KPTime{24, 0, 0};
        QTest::newRow("negative truncates toward zero") << qint64(-61) << KPTime{0, -1, -1};
    }
    void fromTotalSeconds()
    {
        QFETCH(qint64, total);
        QFETCH(KPTime, expected);
        QCOMPARE(KPTime::fromTotalSeconds(total), expected);
        QCOMPARE(expected.totalSeconds(), total);
    }

    void subtract_data()
    {
        QTest::addColumn<KPTime>("start");
        QTest::addColumn<qint64>("n");
        QTest::addColumn<KPTime>("expected");
        QTest::newRow("one second") << KPTime{0, 25, 0} << qint64(1) << KPTime{0, 24, 59};
        QTest::newRow("one minute") << KPTime{0, 25, 0} << qint64(60) << KPTime{0, 24, 0};
        QTest::newRow("exact minutes keep seconds") << KPTime{0, 2, 0} << qint64(60) << KPTime{0, 1, 0};
        QTest::newRow("borrow an hour") << KPTime{1, 0, 0} << qint64(1) << KPTime{0, 59, 59};
        QTest::newRow("borrow several minutes") << KPTime{0, 10, 5} << qint64(190) << KPTime{0, 6, 55};
        QTest::newRow("borrow several hours") << KPTime{3, 0, 0} << qint64(7201) << KPTime{0, 59, 59};
        QTest::newRow("exactly the total") << KPTime{0, 25, 0} << qint64(1500) << KPTime{0, 0, 0};
        QTest::newRow("more than the total") << KPTime{0, 0, 5} << qint64(10) << KPTime{0, 0, 0};
        QTest::newRow("far more than the total") << KPTime{2, 0, 0} << qint64(1000000) << KPTime{0, 0, 0};
        QTest::newRow("non-canonical stays so") << KPTime{0, 0, 90} << qint64(10) << KPTime{0, 0, 80};
        QTest::newRow("zero elapsed") << KPTime{0, 0, 0} << qint64(0) << KPTime{0, 0, 0};
    }
    void subtract()
    {
        QFETCH(KPTime, start);
        QFETCH(qint64, n);
        QFETCH(KPTime, expected);
        start.subtract(n);
        QCOMPARE(start, expected);
    }

    void add_data()
    {
        QTest::addColumn<KPTime>("start");
        QTest::addColumn<qint64>("n");
        QTest::addColumn<KPTime>("expected");
        QTest::newRow("carry to hour") << KPTime{0, 59, 59} << qint64(1) << KPTime{1, 0, 0};
        QTest::newRow("an hour") << KPTime{0, 59, 59} << qint64(3600) << KPTime{1, 59, 59};
        QTest::newRow("stopwatch") << KPTime{0, 0, 0} << qint64(3661) << KPTime{1, 1, 1};
        QTest::newRow("non-canonical carries") << KPTime{0, 0, 90} << qint64(0) << KPTime{0, 1, 30};
    }
    void add()
    {
        QFETCH(KPTime, start);
        QFETCH(qint64, n);
        QFETCH(KPTime, expected);
        start.add(n);
        QCOMPARE(start, expected);
    }

    void equalityIsFieldWise()
    {
        QVERIFY(!(KPTime({0, 1, 0}) == KPTime({0, 0, 60})));
        QVERIFY((KPTime{0, 1, 0} == KPTime{0, 1, 0}));
        QVERIFY(KPTime{}.isZero());
        QVERIFY(!KPTime({0, 0, 1}).isZero());
    }

    void twoDigitString_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << "00";
        QTest::newRow("9") << qint64(9) << "09";
        QTest::newRow("10") << qint64(10) << "10";
        QTest::newRow("123") << qint64(123) << "123";
        QTest::newRow("negative") << qint64(-3) << "0-3";
    }
    void twoDigitString()
    {
        QFETCH(qint64, value);
        QFETCH(QString, text);
        QCOMPARE(KPTime::twoDigitString(value), text);
    }

    void jsonRoundTrip_data()
    {
        QTest::addColumn<KPTime>("time");
        QTest::newRow("canonical") << KPTime{1, 2, 3};
        QTest::newRow("non-canonical") << KPTime{0, 0, 90};
        QTest::newRow("negative") << KPTime{-1, 0, 0};
        QTest::newRow("large") << KPTime{std::numeric_limits<qint64>::max(), 59, 59};
    }
    void jsonRoundTrip()
    {
        QFETCH(KPTime, time);
        const auto decoded = KPTime::fromJson(time.toJson());
        QVERIFY(decoded);
        QCOMPARE(*decoded, time);
    }

    void jsonShape()
    {
        QCOMPARE(KPTime({0, 25, 0}).toJson(), QByteArray(R"({"hours":0,"minutes":25,"seconds":0})"));
    }

    void decodeErrors_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("missing seconds") << QByteArray(R"({"hours":1,"minutes":2})");
        QTest::newRow("string member") << QByteArray(R"({"hours":"1","minutes":2,"seconds":3})");
        QTest::newRow("fraction") << QByteArray(R"({"hours":1,"minutes":2.5,"seconds":3})");
        QTest::newRow("null member") << QByteArray(R"({"hours":null,"minutes":2,"seconds":3})");
        QTest::newRow("beyond 64 bits") << QByteArray(R"({"hours":1e30,"minutes":2,"seconds":3})");
        QTest::newRow("array") << QByteArray("[1,2,3]");
        QTest::newRow("not json") << QByteArray("hours: 1");
        QTest::newRow("empty") << QByteArray();
    }
    void decodeErrors()
    {
        QFETCH(QByteArray, json);
        QString error;
        QVERIFY(!KPTime::fromJson(json, &error));
        QVERIFY(!error.isEmpty());
    }

    void decodeIgnoresMemberOrderAndExtras()
    {
        const auto t = KPTime::fromJson(R"({"seconds":3,"extra":true,"minutes":2,"hours":1})");
        QVERIFY(t);
        QCOMPARE(*t, (KPTime{1, 2, 3}));
    }
};

QTEST_GUILESS_MAIN(KPTimeTest)
#include "KPTimeTest.moc"
