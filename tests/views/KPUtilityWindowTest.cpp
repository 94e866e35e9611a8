#include "views/KPUtilityWindow.h"
#include "OffscreenScreen.h"
#include "PlacedStatusItem.h"
#include "platform/Frame.h"
#include "platform/SystemStyle.h"

#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QToolButton>

// Rectangles and points below are in screen coordinates with the origin at
// the bottom left of a 1440 x 900 screen.
class KPUtilityWindowTest : public QObject
{
    Q_OBJECT

    static QRect frameOnScreen(const QWidget& window)
    {
        return Frame::fromQtScreen(window.geometry());
    }

private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<QRect>("item"); // empty: an item shown nowhere
        QTest::addColumn<bool>("hasItem");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("origin");
        const QPoint pointer(500, 300);
        QTest::newRow("below the item")
            << QRect(1000, 878, 60, 22) << true << pointer << QPoint(960, 810);
        QTest::newRow("no item: at the pointer") << QRect() << false << pointer << QPoint(430, 300);
        QTest::newRow("item shown nowhere") << QRect() << true << pointer << QPoint(430, 300);
        QTest::newRow("item at the right edge")
            << QRect(1420, 878, 20, 22) << true << pointer << QPoint(1300, 810);
        QTest::newRow("pointer at the top")
            << QRect() << false << QPoint(700, 890) << QPoint(630, 842);
        QTest::newRow("pointer at the left") << QRect() << false << QPoint(20, 10) << QPoint(0, 10);
    }
    void placement()
    {
        QFETCH(QRect, item);
        QFETCH(bool, hasItem);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, origin);
        PlacedStatusItem statusItem;
        statusItem.geometry = item.isEmpty() ? QRect() : Frame::toQtScreen(item);
        QCursor::setPos(Frame::fromQtScreen(pointer));
        KPUtilityWindow window(hasItem ? &statusItem : nullptr, "Edit Time", 140, 58);
        QCOMPARE(window.windowOrigin(), origin);
        window.makeKeyAndOrderFront();
        QVERIFY(window.isVisible());
        QCOMPARE(frameOnScreen(window), QRect(origin, QSize(140, 58)));
    }

    void everyShowingFollowsTheItem()
    {
        PlacedStatusItem statusItem;
        statusItem.geometry = Frame::toQtScreen(QRect(1000, 878, 60, 22));
        KPUtilityWindow window(&statusItem, "Time Settings", 140, 270);
        window.makeKeyAndOrderFront();
        QCOMPARE(frameOnScreen(window).topLeft(), QPoint(960, 598)); // bottom-left corner
        window.close();
        statusItem.geometry = Frame::toQtScreen(QRect(700, 878, 40, 22));
        window.makeKeyAndOrderFront();
        QCOMPARE(window.windowOrigin(), QPoint(650, 598));
        QCOMPARE(frameOnScreen(window).topLeft(), QPoint(650, 598));
    }

    void titleArea_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("empty") << QString();
        QTest::newRow("short") << "Edit Time";
        QTest::newRow("longer than the window") << "A title far too long for a small panel";
    }
    void titleArea()
    {
        QFETCH(QString, title);
        KPUtilityWindow window(nullptr, title, 140, 58);
        const QRect label = Frame::of(window.titleLabel());
        QCOMPARE(QRect(label.x(), label.y(), label.width(), 0), QRect(20, 39, 100, 0));
        QCOMPARE(window.titleLabel()->text(), title);
        QCOMPARE(window.windowTitle(), title);
        QCOMPARE(window.titleLabel()->alignment(), Qt::AlignCenter);
        QCOMPARE(Frame::of(window.titleBarLine()), QRect(0, 36, 140, 1));
        QCOMPARE(Frame::of(window.utilityView()), QRect(0, 0, 140, 36));
        QCOMPARE(window.titleBarLine()->palette().color(QPalette::Window),
                 SystemStyle::quaternaryLabelColor(window.palette()));
        // The close button sits in the title bar, clear of the title.
        const QRect close = Frame::of(window.closeButton());
        QVERIFY(close.y() > 36 && Frame::maxY(close) <= 58 && close.x() >= 120);
        QVERIFY(window.windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint |
                                               Qt::WindowStaysOnTopHint));
    }

    void closingHidesWithoutDestroying()
    {
        auto* window = new KPUtilityWindow(nullptr, "Shortcut", 140, 50);
        const std::unique_ptr<KPUtilityWindow> owner(window);
        QPointer<KPUtilityWindow> alive(window);
        window->makeKeyAndOrderFront();
        window->closeButton()->click();
        QVERIFY(alive && !window->isVisible());
        window->makeKeyAndOrderFront();
        QVERIFY(window->isVisible());
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(alive && !window->isVisible());
    }
};

ZEMBRAK_TEST_MAIN_ON_SCREEN(KPUtilityWindowTest, 1440, 900)
#include "KPUtilityWindowTest.moc"
