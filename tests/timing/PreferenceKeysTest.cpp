#include "timing/PreferenceKeys.h"
#include "TemporaryStore.h"

#include <QTest>

class PreferenceKeysTest : public QObject
{
    Q_OBJECT

private:
    TemporaryStore m_home;

private Q_SLOTS:
    void readersFallBackToTheDefaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("json"); // a value of another type reads as absent
        QTest::addColumn<QString>("expected");
        using P = PreferenceKeys;
        const auto row = [](const char* name, const QString& key, const char* json,
                            const char* expected) {
            QTest::newRow(name) << key << QByteArray(json) << QString(expected);
        };
        row("string notifying", P::isNotifyingAtPeriodEnd, "\"no\"", "true");
        row("string length", P::workLength, "\"3000\"", "1500");
        row("stored length", P::workLength, "3000", "3000");
        row("fraction interval", P::longBreakInterval, "2.5", "4");
        row("data sound", P::soundName, R"({"$data":"AAE="})", "Blow");
        row("integer bool", P::isShowingSeconds, "0", "true");
        row("mixed shortcuts", P::shortcutStrings, "[\"reset\", 5]", "");
        row("stored shortcuts", P::shortcutStrings, "[\"reset\", \"300\"]", "reset,300");
    }
    void readersFallBackToTheDefaults()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, json);
        QFETCH(QString, expected);
        m_home.reset();
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
        QVERIFY(!store.data(PreferenceKeys::tasks));
    }
};

QTEST_GUILESS_MAIN(PreferenceKeysTest)
#include "PreferenceKeysTest.moc"
