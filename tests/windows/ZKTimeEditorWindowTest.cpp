#include "windows/ZKTimeEditorWindow.h"
#include "EditorDriving.h"
#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "timing/KPTimer.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace std::chrono_literals;

class ZKTimeEditorWindowTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate app;
        ZKTimeEditorWindow window{app.menuBarTimeDisplay()->statusItem()};
        KPTimer& timer() { return app.timer(); }
        QString fields() const { return fieldTexts(window.timeEditor()); }
    };

    TemporaryStore m_store;

private Q_SLOTS:
    void init() { m_store.reset(); }

    void confirmingSetsTheShownTime()
    {
        Fixture f;
        f.timer().start();
        f.loop.advance(1s);
        open(f.window);
        QCOMPARE(f.fields(), QString("00:24:59"));
        typeOver(f.window.timeEditor()->fields()[0],
                 "3"); // never confirmed: gone at the next showing
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
        f.loop.advance(1s);
        open(f.window);
        QCOMPARE(f.fields(), QString("00:24:58"));
        QLineEdit* minutes = f.window.timeEditor()->fields()[1];
        typeOver(minutes, "90");
        QTest::keyClick(minutes, Qt::Key_Return);
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 30, 58}));
        // The display shows the new hours at once, not at the next tick.
        QCOMPARE(f.app.menuBarTimeDisplay()->hours()->text(), QString("01"));
        f.loop.advance(1s);
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 30, 57}));
        f.timer().reset(); // the length is the period's still
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
    }
};

QTEST_MAIN(ZKTimeEditorWindowTest)
#include "ZKTimeEditorWindowTest.moc"
