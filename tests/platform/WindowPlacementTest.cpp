#include "platform/WindowPlacement.h"

#include <QTest>

// Checked by what must hold wherever the panel is, not by positions.
class WindowPlacementTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowHangsClearOfThePanelInsideTheWorkArea_data()
    {
        QTest::addColumn<QRect>("anchor"); // the item, or the stretch of panel it stands for
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("below");
        const QRect screen(0, 0, 1440, 900);
        const QSize popover(200, 300);
        QTest::newRow("top panel left out of the work area")
            << QRect(1000, 0, 40, 28) << screen.adjusted(0, 28, 0, 0) << popover << true;
        QTest::newRow("top panel inside the work area (XWayland)")
            << QRect(700, 0, 40, 32) << screen << popover << true;
        QTest::newRow("bottom panel") << QRect(700, 872, 40, 28) << screen << popover << false;
        QTest::newRow("bottom panel left out of the work area")
            << QRect(700, 872, 40, 28) << screen.adjusted(0, 0, 0, -28) << popover << false;
        QTest::newRow("item at the right edge")
            << QRect(1420, 0, 20, 28) << screen.adjusted(0, 28, 0, 0) << popover << true;
        QTest::newRow("item at the left edge of a second screen")
            << QRect(1440, 0, 20, 28) << QRect(1440, 28, 1024, 740) << popover << true;
    }
    void windowHangsClearOfThePanelInsideTheWorkArea()
    {
        QFETCH(QRect, anchor);
        QFETCH(QRect, area);
        QFETCH(QSize, size);
        QFETCH(bool, below);
        for (int gap : {0, 10}) {
            const QRect window(WindowPlacement::beside(anchor, size, area, gap), size);
            QVERIFY2(area.contains(window), qPrintable(QString("gap %1").arg(gap)));
            QVERIFY(!window.intersects(anchor));
            QCOMPARE(window.top() > anchor.bottom(), below);
            QCOMPARE(below ? window.top() - anchor.bottom() - 1
                           : anchor.top() - window.bottom() - 1,
                     gap);
        }
    }

    // Each set of screens keeps its own place; one off the screens now comes back on.
    void placesPerScreenSetUp()
    {
        const QString laptop = WindowPlacement::screenSetup({QRect(0, 0, 1440, 900)});
        const QString docked =
            WindowPlacement::screenSetup({QRect(0, 0, 1440, 900), QRect(1440, 0, 1920, 1080)});
        QCOMPARE(docked, QString("1440x900+0+0,1920x1080+1440+0"));
        QStringList places =
            WindowPlacement::withPlace({"junk", laptop + "=x,2"}, laptop, {40, 50});
        places = WindowPlacement::withPlace(places, docked, {2000, 60});
        QCOMPARE(WindowPlacement::keptPlace(places, laptop), QPoint(40, 50));
        QCOMPARE(WindowPlacement::keptPlace(places, docked), QPoint(2000, 60));
        QCOMPARE(WindowPlacement::keptPlace(places, "800x600+0+0"), std::nullopt);
        QCOMPARE(WindowPlacement::inside({2000, 60}, {200, 46}, {QRect(0, 0, 1440, 900)}),
                 QPoint(1240, 60));
    }
};

QTEST_GUILESS_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
