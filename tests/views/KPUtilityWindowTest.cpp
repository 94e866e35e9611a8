#include "views/KPUtilityWindow.h"
#include "platform/Frame.h"
#include "platform/tray/StatusItem.h"

#include <QCursor>
#include <QTest>

struct PlacedStatusItem : StatusItem
{
    QRect geometry;
    QRect buttonGeometry() const override { return geometry; }
};

// Points below: screen coordinates, origin at the bottom left of the offscreen 800 x 800 screen.
class KPUtilityWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<QRect>("item"); // empty: no item
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("origin");
        const QPoint pointer(300, 300);
        QTest::newRow("below the item") << QRect(500, 778, 60, 22) << pointer << QPoint(460, 710);
        QTest::newRow("item in a bottom panel: above it")
            << QRect(500, 0, 60, 22) << pointer << QPoint(460, 32);
        QTest::newRow("no item: at the pointer") << QRect() << pointer << QPoint(230, 300);
        QTest::newRow("pointer at the left") << QRect() << QPoint(20, 10) << QPoint(0, 10);
    }
    void placement()
    {
        QFETCH(QRect, item);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, origin);
        PlacedStatusItem statusItem;
        statusItem.geometry = Frame::toQtScreen(item);
        QCursor::setPos(Frame::fromQtScreen(pointer));
        KPUtilityWindow window(item.isEmpty() ? nullptr : &statusItem, "Edit Time", 140, 58);
        window.makeKeyAndOrderFront();
        QCOMPARE(Frame::fromQtScreen(window.geometry()), QRect(origin, QSize(140, 58)));
    }
};

QTEST_MAIN(KPUtilityWindowTest)
#include "KPUtilityWindowTest.moc"
