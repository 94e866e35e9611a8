#include "windows/ZKTimeEditorWindow.h"
#include "EditorDriving.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimer.h"
#include "views/KPTimeEditor.h"
#include "views/KPTimeEditorButton.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;

class ZKTimeEditorWindowTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeApplicationDelegate app;
        ZKTimeEditorWindow window{app.menuBarTimeDisplay()->statusItem()};
        KPTimer& timer() { return app.timer(); }
        QLineEdit* field(int i) const { return window.timeEditor()->fields()[i]; }
        QString fields() const { return fieldTexts(window.timeEditor()); }
        void type(int i, const QString& text) { typeOver(field(i), text); }
    };

    TemporaryStore m_store;

private Q_SLOTS:
    void init() { m_store.reset(); }

    void opensOnTheShownTime()
    {
        Fixture f;
        f.timer().start();
        f.loop.advance(1s);
        open(f.window);
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.window.windowTitle(), QString("Edit Time"));
        QCOMPARE(f.fields(), QString("00:24:59"));
        f.type(0, "3"); // never confirmed: gone at the next showing
        f.window.close();
        f.loop.advance(1s);
        open(f.window);
        QCOMPARE(f.fields(), QString("00:24:58"));
    }

    void returnSetsTheRunningTime()
    {
        Fixture f;
        f.timer().start();
        open(f.window);
        f.type(1, "90");
        QTest::keyClick(f.field(1), Qt::Key_Tab); // not yet
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
        QCOMPARE(f.fields(), QString("01:30:00"));
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
        open(f.window);
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

    void namedAndClosedByKeyboard()
    {
        Fixture f;
        open(f.window);
        QStringList names;
        for (QWidget* control : std::initializer_list<QWidget*>{f.field(0), f.field(1), f.field(2),
                                                                f.window.timeEditor()->button(),
                                                                f.window.closeButton()})
            names << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        QCOMPARE(names, (QStringList{"Hours", "Minutes", "Seconds", "OK", "Close"}));
        f.type(1, "7");
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Escape); // from the field
        QVERIFY(!f.window.isVisible());
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0})); // never confirmed
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
