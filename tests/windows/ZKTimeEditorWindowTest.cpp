#include "windows/ZKTimeEditorWindow.h"
#include "EditorDriving.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
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
        QCOMPARE(f.fields(), QString("00:24:59"));
        f.type(0, "3"); // never confirmed: gone at the next showing
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
        f.loop.advance(1s);
        open(f.window);
        QCOMPARE(f.fields(), QString("00:24:58"));
    }

    void confirmingSetsTheShownTime_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("running, by Return") << true;
        QTest::newRow("paused, by the button") << false;
    }
    void confirmingSetsTheShownTime()
    {
        QFETCH(bool, running);
        Fixture f;
        if (running)
            f.timer().start();
        open(f.window);
        f.type(1, "90");
        if (running)
            QTest::keyClick(f.field(1), Qt::Key_Return);
        else
            QTest::mouseClick(f.window.timeEditor()->button(), Qt::LeftButton);
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 30, 0}));
        // The display shows the new hours at once, not at the next tick.
        QCOMPARE(f.app.menuBarTimeDisplay()->hours()->text(), QString("01"));
        QCOMPARE(f.timer().state(), running ? KPTimer::State::active : KPTimer::State::inactive);
        QVERIFY(f.window.isVisible()); // it stays open
        f.loop.advance(1s);
        QCOMPARE(f.timer().currentTime(), (running ? KPTime{1, 29, 59} : KPTime{1, 30, 0}));
        f.timer().reset(); // the length is the period's still
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
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
