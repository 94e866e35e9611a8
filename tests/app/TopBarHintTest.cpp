#include "app/TopBarHint.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "platform/tray/WindowStatusItem.h"

#include <QTest>

using namespace std::chrono_literals;

// GNOME's user whose item floats is told once how to have it in the top bar.
class TopBarHintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toldOnceWhereTheItemFloatsOnGnome_data()
    {
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<bool>("floating");
        QTest::addColumn<int>("told");
        QTest::newRow("GNOME, floating") << QByteArray("ubuntu:GNOME") << true << 1;
        QTest::newRow("GNOME, in a tray") << QByteArray("GNOME") << false << 0;
        QTest::newRow("XFCE, floating") << QByteArray("XFCE") << true << 0;
    }
    void toldOnceWhereTheItemFloatsOnGnome()
    {
        QFETCH(QByteArray, desktop);
        QFETCH(bool, floating);
        QFETCH(int, told);
        TemporaryStore home;
        home.reset();
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        ManualRunLoop loop;
        std::unique_ptr<StatusItem> item =
            floating ? std::make_unique<WindowStatusItem>() : std::make_unique<StatusItem>();
        int shown = 0;
        for (int launch = 0; launch < 2; ++launch) {
            const int before = shown;
            TopBarHint hint(*item, [&](const QString&, const QString&) { ++shown; });
            loop.advance(TopBarHint::patience - 1s);
            QCOMPARE(shown, before); // a panel that starts late may still take the item
            loop.advance(1s);
        }
        QCOMPARE(shown, told);
    }
};

QTEST_MAIN(TopBarHintTest)
#include "TopBarHintTest.moc"
