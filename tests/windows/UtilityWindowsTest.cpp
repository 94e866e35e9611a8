#include "EditorDriving.h"
#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "platform/Frame.h"
#include "platform/WindowPlacement.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "views/KPSlider.h"
#include "views/KPTimeEditorButton.h"
#include "views/KPTimeEditorDelegate.h"
#include "views/KPTimeEditorTextView.h"
#include "windows/ZKTimeEditorWindow.h"
#include "windows/ZKTimeSettingsWindow.h"

#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace std::chrono_literals;

namespace {

struct PlacedStatusItem : StatusItem
{
    QRect geometry;
    QRect buttonGeometry() const override { return geometry; }
};

struct Recorder : KPTimeEditorDelegate
{
    void timeEditorDidEndEditing(KPTimeEditor* editor) override { add("end", editor); }
    void timeEditorDidConfirm(KPTimeEditor* editor) override { add("confirm", editor); }
    void add(const char* what, const KPTimeEditor* editor)
    {
        const KPTime t = editor->time();
        log << QStringLiteral("%1 %2:%3:%4").arg(what).arg(t.hours).arg(t.minutes).arg(t.seconds);
    }
    QStringList log;
};

} // namespace

// The time editor, Edit Time and Time Settings that hold it, and where such
// windows and the popover open.
class UtilityWindowsTest : public QObject
{
    Q_OBJECT

    template <typename Window> struct Fixture
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate app;
        Window window{app.menuBarTimeDisplay()->statusItem()};
        KPTimer& timer() { return app.timer(); }
    };

    // An editor in a shown, active window, so focus moves as it does for a user.
    struct Shown
    {
        Shown()
        {
            editor.setDelegate(&recorder);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        QLineEdit* field(int i) const { return editor.fields()[i]; }
        QWidget window;
        KPTimeEditor editor{130, 28, &window};
        Recorder recorder;
    };

    static std::optional<qint64> stored(const QString& key)
    {
        return Defaults().integer(key); // read from disk by a store of its own
    }

    TemporaryStore m_store;

private Q_SLOTS:
    void init() { m_store.reset(); }

    // Checked by what must hold wherever the panel is, not by positions.
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

    // Points: screen coordinates, origin at the bottom left of the offscreen 800 x 800 screen.
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

    // Each field carries into the one before, up to 9999:59:59; an emptied one reads as 0.
    void carry()
    {
        KPTimeEditor editor(130, 28);
        for (const auto& [typed, shown] : {std::pair<QString, QString>{"0:59:60", "01:00:00"},
                                           {"100:0:75", "100:01:15"},
                                           {"9999:9999:9999", "9999:59:59"},
                                           {"::7", "00:00:07"}}) {
            for (int i = 0; i < 3; ++i)
                editor.fields()[i]->setText(typed.section(':', i, i));
            editor.commitFields();
            QCOMPARE(fieldTexts(&editor), shown);
        }
    }

    void returnAndTheButtonConfirmTabDoesNot()
    {
        Shown shown;
        shown.field(2)->setFocus();
        shown.recorder.log.clear(); // leaving the field focused first ends an edit too
        shown.field(2)->setText("75");
        QTest::keyClick(shown.field(2), Qt::Key_Tab);
        QCOMPARE(std::exchange(shown.recorder.log, {}), QStringList{"end 0:1:15"});
        shown.field(0)->setText("2");
        QTest::keyClick(shown.field(0), Qt::Key_Return);
        QCOMPARE(std::exchange(shown.recorder.log, {}),
                 (QStringList{"end 2:1:15", "confirm 2:1:15"}));
        shown.field(1)->setText("90");
        QTest::mouseClick(shown.editor.button(), Qt::LeftButton);
        QCOMPARE(shown.recorder.log, QStringList{"confirm 3:30:15"});
    }

    void editTimeSetsTheShownTime()
    {
        Fixture<ZKTimeEditorWindow> f;
        const auto fields = [&f] { return fieldTexts(f.window.timeEditor()); };
        f.timer().start();
        f.loop.advance(1s);
        open(f.window);
        QCOMPARE(fields(), QString("00:24:59"));
        typeOver(f.window.timeEditor()->fields()[0], "3"); // never confirmed: gone when shown again
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
        f.loop.advance(1s);
        open(f.window);
        QCOMPARE(fields(), QString("00:24:58"));
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

    void settingsClosedDiscardEdits()
    {
        Fixture<ZKTimeSettingsWindow> f;
        open(f.window);
        typeOver(f.window.workTimeEditor()->fields()[1], "45");
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Escape);
        open(f.window); // shows the stored lengths again, not the edit
        QCOMPARE(fieldTexts(f.window.workTimeEditor()), QString("00:25:00"));
        QVERIFY(!QFile::exists(m_store.standardFilePath()));
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
    }

    // Saved in a running break, the break restarts at its new length; the work
    // length stands. (Saving paused work is the accessibility run's.)
    void settingsSavedRestartTheCurrentPeriod()
    {
        m_store.writeStandardFile(R"({"workLength": 2})");
        Fixture<ZKTimeSettingsWindow> f;
        f.timer().start();
        f.loop.advance(32s);
        open(f.window);
        typeOver(f.window.shortBreakTimeEditor()->fields()[1], "90");
        f.window.longBreakIntervalSlider()->slider()->triggerAction(
            QAbstractSlider::SliderSingleStepAdd);
        f.window.save(); // the field still has the focus
        QVERIFY(!f.window.isVisible());
        QCOMPARE(stored(PreferenceKeys::workLength), std::optional<qint64>(2));
        QCOMPARE(stored(PreferenceKeys::shortBreakLength), std::optional<qint64>(5400));
        QCOMPARE(stored(PreferenceKeys::longBreakInterval), std::optional<qint64>(5));
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 30, 0}));
        QCOMPARE(f.timer().state(), KPTimer::State::active);
    }
};

QTEST_MAIN(UtilityWindowsTest)
#include "UtilityWindowsTest.moc"
