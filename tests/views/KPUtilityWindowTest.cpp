#include "views/KPUtilityWindow.h"
#include "OffscreenScreen.h"
#include "PlacedStatusItem.h"

#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QToolButton>

// Placed on a screen of 1440 x 900, coordinates as Qt's (origin top left).
class KPUtilityWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<QRect>("item"); // empty: an item shown nowhere
        QTest::addColumn<bool>("hasItem");
        QTest::addColumn<QPoint>("pointer");
        QTest::newRow("below the item") << QRect(1000, 0, 60, 22) << true << QPoint(500, 600);
        QTest::newRow("item at the right edge") << QRect(1420, 0, 20, 22) << true << QPoint();
        QTest::newRow("no item: at the pointer") << QRect() << false << QPoint(500, 600);
        QTest::newRow("item shown nowhere") << QRect() << true << QPoint(500, 600);
        QTest::newRow("pointer at the top left") << QRect() << false << QPoint(5, 5);
    }
    void placement()
    {
        QFETCH(QRect, item);
        QFETCH(bool, hasItem);
        QFETCH(QPoint, pointer);
        PlacedStatusItem statusItem;
        statusItem.geometry = item;
        QCursor::setPos(pointer);
        KPUtilityWindow window(hasItem ? &statusItem : nullptr, "Edit Time", 140, 58);
        for (int showing = 0; showing < 2; ++showing) {
            window.makeKeyAndOrderFront();
            QVERIFY(window.isVisible());
            const QRect frame = window.geometry();
            QCOMPARE(frame.size(), QSize(140, 58));
            QVERIFY(window.screen()->geometry().contains(frame));
            const QPoint target = item.isEmpty() ? pointer : item.center();
            if (frame.left() > 0 && frame.right() < 1439) // centred unless kept on the screen
                QVERIFY(qAbs(frame.center().x() - target.x()) <= 1);
            if (!item.isEmpty())
                QVERIFY(frame.top() > item.bottom());
            // Each showing follows the item where it stands now.
            window.close();
            item.translate(-300, 0);
            statusItem.geometry = item;
        }
    }

    void titleBar()
    {
        KPUtilityWindow window(nullptr, "A title far too long for a small panel", 140, 58);
        const QRect title = window.titleLabel()->geometry();
        const QRect close = window.closeButton()->geometry();
        QCOMPARE(window.windowTitle(), window.titleLabel()->text());
        QVERIFY(qAbs(title.center().x() - 70) <= 1);
        QVERIFY(!title.intersects(close));
        QVERIFY(close.bottom() < window.titleBarLine()->y());
        QVERIFY(window.utilityView()->y() > window.titleBarLine()->y());
    }

    void closingHidesWithoutDestroying()
    {
        auto window = std::make_unique<KPUtilityWindow>(nullptr, "Shortcut", 140, 50);
        QPointer<KPUtilityWindow> alive(window.get());
        window->makeKeyAndOrderFront();
        window->closeButton()->click();
        QVERIFY(alive && !window->isVisible());
        window->makeKeyAndOrderFront();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(alive && !window->isVisible());
    }
};

ZEMBRAK_TEST_MAIN_ON_SCREEN(KPUtilityWindowTest, 1440, 900)
#include "KPUtilityWindowTest.moc"
