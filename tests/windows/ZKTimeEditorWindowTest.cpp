#include "windows/ZKTimeEditorWindow.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "platform/Frame.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimer.h"
#include "views/KPTimeEditor.h"
#include "views/KPTimeEditorButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace std::chrono_literals;

class ZKTimeEditorWindowTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        Fixture() { QCOMPARE(Frame::of(window.timeEditor()), QRect(5, 5, 130, 28)); }
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeApplicationDelegate app;
        ZKTimeEditorWindow window{app.menuBarTimeDisplay()->statusItem()};
        KPTimer& timer() { return app.timer(); }
        QLineEdit* field(int i) const { return window.timeEditor()->fields()[i]; }
        QStringList fields() const
        {
            return {field(0)->text(), field(1)->text(), field(2)->text()};
        }
        void open()
        {
            window.makeKeyAndOrderFront();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        // Typed over the whole field, as after a double click.
        void type(int i, const QString& text)
        {
            field(i)->setFocus();
            field(i)->selectAll();
            QTest::keyClicks(field(i), text);
        }
    };

    TemporaryStore m_store;

private Q_SLOTS:
    void init() { m_store.reset(); }

    void opensOnTheShownTime()
    {
        Fixture f;
        f.timer().start();
        f.loop.advance(1s);
        f.open();
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.window.windowTitle(), QString("Edit Time"));
        QCOMPARE(f.fields(), (QStringList{"00", "24", "59"}));
    }

    void returnSetsTheRunningTime()
    {
        Fixture f;
        f.timer().start();
        f.open();
        f.type(1, "90");
        QTest::keyClick(f.field(1), Qt::Key_Tab); // not yet
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
        QCOMPARE(f.fields(), (QStringList{"01", "30", "00"}));
        QTest::keyClick(f.field(2), Qt::Key_Return);
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 30, 0}));
        QCOMPARE(f.timer().startTime(), std::optional<KPTime>(KPTime{1, 30, 0}));
        // The display shows the new hours at once, not at the next tick.
        QCOMPARE(f.app.menuBarTimeDisplay()->hours()->text(), QString("01"));
        QVERIFY(!f.app.menuBarTimeDisplay()->hours()->isHidden());
        f.loop.advance(1s);
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 29, 59}));
        QCOMPARE(f.timer().time(), (KPTime{0, 25, 0}));
        QVERIFY(f.window.isVisible()); // it stays open
    }

    void confirmingWhilePausedKeepsTheLength()
    {
        Fixture f;
        f.open();
        f.type(1, "10");
        QTest::mouseClick(f.window.timeEditor()->button(), Qt::LeftButton);
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 10, 0}));
        QCOMPARE(f.timer().state(), KPTimer::State::inactive);
        QCOMPARE(f.app.menuBarTimeDisplay()->minutes()->text(), QString("10"));
        f.loop.advance(5s);
        f.timer().toggle();
        f.loop.advance(2s);
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 9, 58}));
        f.timer().reset();
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
    }

    void everyShowingReloads()
    {
        Fixture f;
        f.open();
        f.type(0, "3");
        f.window.close();
        f.open();
        QCOMPARE(f.fields(), (QStringList{"00", "25", "00"}));
    }

    void withoutATimerNothingHappens()
    {
        ManualRunLoop loop;
        ZKTimeEditorWindow window(nullptr);
        window.makeKeyAndOrderFront();
        QVERIFY(!window.isVisible());
        window.timeEditorDidConfirm(window.timeEditor());
    }
};

QTEST_MAIN(ZKTimeEditorWindowTest)
#include "ZKTimeEditorWindowTest.moc"
