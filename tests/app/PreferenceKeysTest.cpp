#include "app/PreferenceKeys.h"
#include "TemporaryStore.h"
#include "platform/Defaults.h"

#include <QTest>

class PreferenceKeysTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    void freshStoreGivesTheDefaults()
    {
        const Defaults& store = Defaults::standard();
        QCOMPARE(PreferenceKeys::integer(store, PreferenceKeys::workLength), 1500);
        QCOMPARE(PreferenceKeys::integer(store, PreferenceKeys::shortBreakLength), 300);
        QCOMPARE(PreferenceKeys::integer(store, PreferenceKeys::longBreakLength), 1200);
        QCOMPARE(PreferenceKeys::integer(store, PreferenceKeys::longBreakInterval), 4);
        QCOMPARE(PreferenceKeys::boolean(store, PreferenceKeys::isShowingSeconds), true);
        QCOMPARE(PreferenceKeys::boolean(store, PreferenceKeys::isShowingCycleCount), true);
        QCOMPARE(PreferenceKeys::boolean(store, PreferenceKeys::isTickingEnabled), false);
        QCOMPARE(PreferenceKeys::boolean(store, PreferenceKeys::isSmallDisplayEnabled), false);
        QCOMPARE(PreferenceKeys::boolean(store, PreferenceKeys::isAutohidingDisplay), false);
        QCOMPARE(PreferenceKeys::boolean(store, PreferenceKeys::isLaunchingAtLogin), false);
        QCOMPARE(PreferenceKeys::string(store, PreferenceKeys::soundName), QString("Blow"));
        QVERIFY(PreferenceKeys::stringList(store, PreferenceKeys::shortcutStrings).isEmpty());
        QVERIFY(!store.data(PreferenceKeys::tasks));
    }

    void wrongTypesFallBack_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("expected");
        QTest::newRow("string length")
            << PreferenceKeys::workLength << QByteArray("\"3000\"") << "1500";
        QTest::newRow("stored length")
            << PreferenceKeys::workLength << QByteArray("3000") << "3000";
        QTest::newRow("bool length")
            << PreferenceKeys::shortBreakLength << QByteArray("true") << "300";
        QTest::newRow("fraction interval")
            << PreferenceKeys::longBreakInterval << QByteArray("2.5") << "4";
        QTest::newRow("integer bool")
            << PreferenceKeys::isShowingSeconds << QByteArray("0") << "true";
        QTest::newRow("stored bool")
            << PreferenceKeys::isShowingSeconds << QByteArray("false") << "false";
        QTest::newRow("number sound") << PreferenceKeys::soundName << QByteArray("7") << "Blow";
        QTest::newRow("mixed shortcuts")
            << PreferenceKeys::shortcutStrings << QByteArray("[\"reset\", 5]") << "";
        QTest::newRow("shortcuts")
            << PreferenceKeys::shortcutStrings << QByteArray("[\"reset\", \"300\"]") << "reset,300";
    }
    void wrongTypesFallBack()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, json);
        QFETCH(QString, expected);
        m_home.writeStandardFile("{\"" + key.toUtf8() + "\": " + json + "}");
        const Defaults& store = Defaults::standard();
        QString actual;
        if (key == PreferenceKeys::soundName)
            actual = PreferenceKeys::string(store, key);
        else if (key == PreferenceKeys::shortcutStrings)
            actual = PreferenceKeys::stringList(store, key).join(',');
        else if (key.startsWith("is"))
            actual = PreferenceKeys::boolean(store, key) ? "true" : "false";
        else
            actual = QString::number(PreferenceKeys::integer(store, key));
        QCOMPARE(actual, expected);
    }
};

QTEST_GUILESS_MAIN(PreferenceKeysTest)
#include "PreferenceKeysTest.moc"
