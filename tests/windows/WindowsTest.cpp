#include "EditorDriving.h"
#include "FakeAppDelegate.h"
#include "FakeFullScreenFocus.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "RecordedCycle.h"
#include "TaskNotation.h"
#include "TemporaryStore.h"
#include "platform/Frame.h"
#include "platform/WindowPlacement.h"
#include "platform/tray/StatusItemWindow.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"
#include "tasks/KPTaskTextEditor.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "views/KPSlider.h"
#include "views/KPTimeEditorButton.h"
#include "views/KPTimeEditorDelegate.h"
#include "views/KPTimeEditorTextView.h"
#include "windows/ZKBreakScreen.h"
#include "windows/ZKBreakScreenPanel.h"
#include "windows/ZKPopover.h"
#include "windows/ZKTimeEditorWindow.h"
#include "windows/ZKTimeSettingsWindow.h"
#include "windows/ZKTimerWindow.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

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

// The popover, the timer window and the break screen; the time editor and the windows
// that hold it; where windows open.
class WindowsTest : public QObject
{
    Q_OBJECT

    struct ShownPopover
    {
        explicit ShownPopover(const QString& tasks)
        {
            storeTasks(parseTasks(tasks));
            popover.emplace();
            application.givenPopover = &*popover;
            popover->showRelativeToRect(anchor);
            loop.runPending();
        }
        // Pressed where the keyboard is, as the window system delivers it.
        void press(int key)
        {
            QTest::keyClick(popover->windowHandle(), Qt::Key(key));
            loop.runPending();
        }
        QWidget* focused() const { return QApplication::focusWidget(); }
        void tab(int presses)
        {
            while (presses--)
                press(Qt::Key_Tab);
        }
        KPTaskList* list() const { return popover->taskList(); }
        KPTimer& timer() { return application.timer(); }

        const QRect anchor{QGuiApplication::primaryScreen()->geometry().center(), QSize(40, 24)};
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate application;
        std::optional<ZKPopover> popover;
    };

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
        QTest::addColumn<bool>("below");
        const QRect screen(0, 0, 1440, 900);
        QTest::newRow("top panel left out of the work area")
            << QRect(1000, 0, 40, 28) << screen.adjusted(0, 28, 0, 0) << true;
        QTest::newRow("top panel inside the work area (XWayland)")
            << QRect(700, 0, 40, 32) << screen << true;
        QTest::newRow("bottom panel") << QRect(700, 872, 40, 28) << screen << false;
        QTest::newRow("bottom panel left out of the work area")
            << QRect(700, 872, 40, 28) << screen.adjusted(0, 0, 0, -28) << false;
        QTest::newRow("item at the right edge")
            << QRect(1420, 0, 20, 28) << screen.adjusted(0, 28, 0, 0) << true;
        QTest::newRow("item at the left edge of a second screen")
            << QRect(1440, 0, 20, 28) << QRect(1440, 28, 1024, 740) << true;
    }
    void windowHangsClearOfThePanelInsideTheWorkArea()
    {
        QFETCH(QRect, anchor);
        QFETCH(QRect, area);
        QFETCH(bool, below);
        const QSize size(200, 300); // the popover's
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

    // The popover, the timer window and the break screen.

    void keysPressTheFocusedControl()
    {
        ShownPopover shown("A B C");
        shown.press(Qt::Key_Tab);
        shown.press(Qt::Key_Return);
        QCOMPARE(shown.timer().state(), KPTimer::State::active);
        shown.press(Qt::Key_Space);
        QCOMPARE(shown.timer().state(), KPTimer::State::inactive);
        shown.press(Qt::Key_Tab); // the list: Space checks off
        shown.press(Qt::Key_Down);
        shown.press(Qt::Key_Space);
        QCOMPARE(storedDescription(), QString("A C B*"));
        shown.list()->beginEditing(1);
        shown.tab(3);
        QCOMPARE(shown.focused(), shown.popover->moveUpButton());
        shown.press(Qt::Key_Return); // at the top, Up goes off: back to the text
        QCOMPARE(storedDescription(), QString("C A B*"));
        QCOMPARE(shown.focused(), shown.list()->editor());
        shown.tab(2);
        shown.press(Qt::Key_Return);
        QCOMPARE(storedDescription(), QString("A B*"));
        QCOMPARE(shown.focused(), shown.popover->settingsButton());
    }

    void timerWindowKeepsItsPlaceAndTop()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate application;
        const QPoint moved(100, 120);
        {
            ZKTimerWindow window(*application.menuBarTimeDisplay(), nullptr, Defaults::standard());
            window.setShown(true);
            QVERIFY(!window.isKeptOnTop());
            window.keepOnTopItem()->trigger();
            window.window()->move(moved); // as a drag leaves it
            loop.advance(std::chrono::seconds(1));
        }
        ZKTimerWindow again(*application.menuBarTimeDisplay(), nullptr, Defaults::standard());
        again.setShown(true);
        QCOMPARE(again.window()->pos(), moved);
        QVERIFY(again.isKeptOnTop() && again.keepOnTopItem()->isChecked());
    }

    // Each row ends a work period, then acts on the break: what shows after
    // each step ("-" for no screen, else the state and the time it shows).
    // Escape, and a screen on each monitor, are the breaks run's.
    void theScreenFollowsTheBreak_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("inBreak"); // at the end
        QTest::newRow("shown for the break, gone at its end") << "+60 +240"
                                                              << "shortBreak 04:00|-" << false;
        QTest::newRow("skip ends the break") << "skip +60"
                                             << "-|-" << false;
        QTest::newRow("postponed for a minute") << "postpone +59 +1 +10"
                                                << "-|-|shortBreak 04:00|shortBreak 03:50" << true;
        QTest::newRow("waits while a full-screen window has the focus")
            << "full +1 free +1"
            << "-|-|-|shortBreak 04:58" << true;
        QTest::newRow("off: no screen") << "off"
                                        << "-" << true;
    }
    void theScreenFollowsTheBreak()
    {
        QFETCH(QString, script);
        const bool off = script == QLatin1String("off");
        Defaults::standard().setBoolean(PreferenceKeys::isShowingBreakScreen, !off);
        // The cycle's count lives as long as the process: every row gets a short break.
        Defaults::standard().setInteger(PreferenceKeys::longBreakInterval, 1000);
        bool fullScreen = script.startsWith(QLatin1String("full"));
        ManualRunLoop loop;
        RecordedCycle cycle(m_store.path() + QStringLiteral("/history.sqlite"));
        KPTimeBoxManager& manager = cycle.manager;
        KPTimer& timer = cycle.timer();
        ZKBreakScreen screen(cycle.recorder, manager, &cycle.tasks,
                             std::make_unique<FakeFullScreenFocus>(&fullScreen));
        timer.start();
        timer.finish();
        loop.runPending();
        QStringList seen;
        for (const QString& step : script.split(QLatin1Char(' '))) {
            ZKBreakScreenPanel* panel =
                screen.panels().empty() ? nullptr : screen.panels()[0].get();
            if (step == QLatin1String("skip"))
                panel->skipButton()->click();
            else if (step == QLatin1String("postpone"))
                panel->postponeButton()->click();
            else if (step == QLatin1String("free"))
                fullScreen = false;
            else if (step.startsWith(QLatin1Char('+')))
                loop.advance(std::chrono::seconds(step.mid(1).toInt()));
            loop.runPending();
            if (screen.panels().empty()) {
                seen << QStringLiteral("-");
                continue;
            }
            panel = screen.panels()[0].get();
            QVERIFY(panel->isVisible());
            const QList<QLabel*> labels = panel->findChildren<QLabel*>();
            QCOMPARE(labels.last()->text(), QStringLiteral("Next: Write"));
            seen << KPTimeBoxManager::rawValue(manager.state()) + QLatin1Char(' ') +
                        labels[1]->text();
        }
        QTEST(seen.join(QLatin1Char('|')), "shown");
        QTEST(manager.state() == KPTimeBoxManager::State::shortBreak, "inBreak");
        QVERIFY(timer.state() == KPTimer::State::active);
    }
};

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
