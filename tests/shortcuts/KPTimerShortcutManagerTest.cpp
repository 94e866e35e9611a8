#include "shortcuts/KPTimerShortcutManager.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/Defaults.h"
#include "platform/Frame.h"
#include "platform/ManualGlobalShortcuts.h"
#include "platform/ManualRunLoop.h"
#include "platform/ShortcutRecorder.h"
#include "shortcuts/KPShortcutWindow.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTest>

using namespace std::chrono_literals;
using State = KPTimer::State;
using CountType = KPTimer::CountType;
using Mode = KPMenuBarTimeDisplay::MenuButtonMode;

namespace {
const QKeySequence ctrlAltP(Qt::CTRL | Qt::ALT | Qt::Key_P);
const QKeySequence ctrlAlt5(Qt::CTRL | Qt::ALT | Qt::Key_5);
} // namespace

class KPTimerShortcutManagerTest : public QObject
{
    Q_OBJECT

    // A paused 0:25:00 countdown, driven by shortcuts pressed on a desktop of the test's own.
    struct Fixture
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        ManualGlobalShortcuts desktop{Defaults::standard()};
        std::unique_ptr<KPTimer> timer = KPTimer::fromSeconds(1500);
        KPTimerShortcutManager manager{timer.get(), nullptr};

        // As at launch.
        void launch()
        {
            manager.loadStrings();
            manager.bindStoredShortcuts();
        }
    };

    // What the store holds when the fixture is made.
    void store(const QJsonObject& values)
    {
        m_config.writeStandardFile(QJsonDocument(values).toJson());
    }
    // A list under "shortcutStrings", and Ctrl+Alt+P under one key.
    void store(const QJsonArray& strings, const QString& key = QString())
    {
        QJsonObject values{{PreferenceKeys::shortcutStrings, strings}};
        if (!key.isEmpty())
            values.insert(key, "Ctrl+Alt+P");
        store(values);
    }

    TemporaryStore m_config;

private Q_SLOTS:
    void init() { m_config.reset(); }

    void presetSeconds_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("isPreset");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("plain") << "300" << true << qint64(300);
        QTest::newRow("plus sign") << "+90" << true << qint64(90);
        QTest::newRow("minus sign") << "-5" << true << qint64(-5);
        QTest::newRow("leading zeros") << "007" << true << qint64(7);
        QTest::newRow("largest") << "9223372036854775807" << true
                                 << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest") << "-9223372036854775808" << true
                                  << std::numeric_limits<qint64>::min();
        QTest::newRow("one past the largest") << "9223372036854775808" << false << qint64(0);
        QTest::newRow("far past") << "99999999999999999999999" << false << qint64(0);
        QTest::newRow("space before") << " 300" << false << qint64(0);
        QTest::newRow("space after") << "300 " << false << qint64(0);
        QTest::newRow("exponent") << "3e2" << false << qint64(0);
        QTest::newRow("fraction") << "30.5" << false << qint64(0);
        QTest::newRow("hexadecimal") << "0x12" << false << qint64(0);
        QTest::newRow("other digits") << QString::fromUtf8("٣٠٠") << false << qint64(0);
        QTest::newRow("sign alone") << "-" << false << qint64(0);
        QTest::newRow("two signs") << "+-3" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("an action") << "toggleActivation" << false << qint64(0);
    }
    void presetSeconds()
    {
        QFETCH(QString, key);
        QFETCH(bool, isPreset);
        QFETCH(qint64, seconds);
        const std::optional<qint64> preset = KPTimerShortcutManager::presetSeconds(key);
        QCOMPARE(preset.has_value(), isPreset);
        if (isPreset)
            QCOMPARE(*preset, seconds);
    }

    void theToggleShortcutFollowsTheStartPauseRule_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<State>("state");
        QTest::addColumn<qint64>("shown");
        QTest::newRow("running: pauses") << "running" << State::inactive << qint64(1495);
        QTest::newRow("paused with time left: starts") << "paused" << State::active << qint64(1495);
        QTest::newRow("finished: rewinds, still paused")
            << "finished" << State::inactive << qint64(1500);
    }
    void theToggleShortcutFollowsTheStartPauseRule()
    {
        QFETCH(QString, before);
        QFETCH(State, state);
        QFETCH(qint64, shown);
        store({"toggleActivation"}, "toggleActivation");
        Fixture f;
        f.launch();
        KPTimer& timer = *f.timer;
        timer.start();
        f.loop.advance(before == "finished" ? 1500s : 5s);
        if (before == "paused")
            timer.pause();
        if (before == "finished")
            QVERIFY(timer.currentTime().isZero() && timer.state() == State::inactive);
        QCOMPARE(f.desktop.press(ctrlAltP), 1);
        QCOMPARE(timer.state(), state);
        QCOMPARE(timer.currentTime().totalSeconds(), shown);
    }

    void presetsAndTheStopwatch()
    {
        store(QJsonObject{
            {"shortcutStrings", QJsonArray{"toggleActivation", "300", "startStopwatch"}},
            {"toggleActivation", "Ctrl+Alt+P"},
            {"300", "Ctrl+Alt+5"},
            {"startStopwatch", "Ctrl+Alt+S"}});
        Fixture f;
        f.launch();
        QVERIFY(f.desktop.isBound("toggleActivation"));
        QVERIFY(f.desktop.isBound("300"));
        QCOMPARE(f.manager.strings(), (QStringList{"toggleActivation", "300", "startStopwatch"}));

        QCOMPARE(f.desktop.press(ctrlAlt5), 1);
        QCOMPARE(f.timer->currentTime(), (KPTime{0, 5, 0}));
        QCOMPARE(f.timer->time(), (KPTime{0, 5, 0}));
        QCOMPARE(f.timer->state(), State::active);
        QCOMPARE(f.timer->countType(), CountType::down);
        f.loop.advance(2s);
        QCOMPARE(f.timer->currentTime(), (KPTime{0, 4, 58}));

        f.desktop.press(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
        QCOMPARE(f.timer->countType(), CountType::up);
        QCOMPARE(f.timer->currentTime(), KPTime{});
        f.loop.advance(3661s);
        QCOMPARE(f.timer->currentTime(), (KPTime{1, 1, 1}));
        QCOMPARE(f.timer->state(), State::active);

        f.manager.handleShortcut("reset");
        QCOMPARE(f.timer->state(), State::inactive);
        QCOMPARE(f.timer->currentTime(), KPTime{});
    }

    void presetsThatCannotBeCountedDownDoNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("negative") << "-5";
        QTest::newRow("zero") << "0"; // would end at once and count as a finished period
        QTest::newRow("past 9999:59:59") << "36000000";
        QTest::newRow("past 64 bits") << "9223372036854775808";
        QTest::newRow("not a number") << "tea";
    }
    void presetsThatCannotBeCountedDownDoNothing()
    {
        QFETCH(QString, key);
        store({key}, key);
        Fixture f;
        f.launch();
        QVERIFY(f.desktop.isBound(key)); // bound as stored; pressing it changes nothing
        QCOMPARE(f.desktop.press(ctrlAltP), 1);
        QCOMPARE(f.timer->state(), State::inactive);
        QCOMPARE(f.timer->time(), (KPTime{0, 25, 0}));
        QCOMPARE(f.timer->currentTime(), (KPTime{0, 25, 0}));
    }

    void storedListsThatAreNotAllStringsBindNothing_data()
    {
        QTest::addColumn<QJsonArray>("stored");
        QTest::newRow("a number in the list") << QJsonArray{"toggleActivation", 300};
        QTest::newRow("a list in the list") << QJsonArray{QJsonArray{"reset"}};
    }
    void storedListsThatAreNotAllStringsBindNothing()
    {
        QFETCH(QJsonArray, stored);
        store(stored, "toggleActivation");
        Fixture f;
        f.launch();
        QVERIFY(f.manager.strings().isEmpty());
        QVERIFY(!f.desktop.isBound("toggleActivation"));
        QCOMPARE(f.desktop.press(ctrlAltP), 0);
    }

    void aCombinationRecordedAfterBindingTakesEffect()
    {
        store({"toggleActivation"});
        Fixture f;
        f.launch(); // bound, no combination yet
        QCOMPARE(f.desktop.press(ctrlAltP), 0);
        f.desktop.setShortcut("toggleActivation", ctrlAltP); // as the recorder stores it
        QCOMPARE(f.desktop.press(ctrlAltP), 1);
        QCOMPARE(f.timer->state(), State::active);
        f.desktop.setShortcut("toggleActivation", QKeySequence()); // cleared: released
        QCOMPARE(f.desktop.press(ctrlAltP), 0);
        QCOMPARE(f.timer->state(), State::active);
        QCOMPARE(f.manager.strings(), QStringList{"toggleActivation"}); // the key stays listed
    }

    void actionsWithoutTheTimerDoNothing()
    {
        store({"toggleActivation"}, "toggleActivation");
        Fixture f;
        f.launch();
        f.timer.reset();
        QCOMPARE(f.manager.timer(), nullptr);
        QCOMPARE(f.desktop.press(ctrlAltP), 1); // runs, and touches nothing
        f.manager.handleShortcut("300");
    }

    void altClicksRecordOnTheDisplay()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        ManualGlobalShortcuts desktop(Defaults::standard());
        Qt::KeyboardModifiers modifiers = Qt::AltModifier;
        KPMenuBarTimeDisplay display(std::make_unique<StatusItem>());
        display.setMenuButtonMode(Mode::show);
        display.setTimer(KPTimer::fromSeconds(1500));
        display.setModifierSource([&modifiers] { return modifiers; });
        KPTimerShortcutManager* manager = display.shortcutManager();
        QVERIFY(manager);
        KPShortcutWindow* window = manager->window();
        QCOMPARE(window->size(), QSize(140, 50));
        QCOMPARE(Frame::of(window->shortcutView()), QRect(5, 5, 130, 19));
        QVERIFY(!window->isVisible());

        display.click(); // the first Alt-click
        const QStringList toggleOnly{"toggleActivation"};
        QCOMPARE(manager->strings(), toggleOnly);
        QCOMPARE(Defaults::standard().stringArray(PreferenceKeys::shortcutStrings), toggleOnly);
        QVERIFY(desktop.isBound("toggleActivation"));
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Start/Pause"));
        QCOMPARE(window->titleLabel()->text(), QStringLiteral("Start/Pause"));
        QCOMPARE(window->shortcutView()->associatedDefaultsKey(),
                 QStringLiteral("toggleActivation"));
        QCOMPARE(display.timer()->state(), State::inactive);

        window->close();
        display.click(); // the second: the same list, the window again
        QCOMPARE(manager->strings(), toggleOnly);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Start/Pause"));

        display.rightMouseUp(); // Alt-right-click after it
        const QStringList both{"toggleActivation", "reset"};
        QCOMPARE(manager->strings(), both);
        QCOMPARE(Defaults::standard().stringArray(PreferenceKeys::shortcutStrings), both);
        QVERIFY(desktop.isBound("reset"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Reset"));
        QCOMPARE(window->titleLabel()->text(), QStringLiteral("Reset"));
        QCOMPARE(window->shortcutView()->associatedDefaultsKey(), QStringLiteral("reset"));

        // What is recorded there works at once.
        desktop.setShortcut("reset", ctrlAltP);
        display.timer()->start();
        loop.advance(10s);
        QCOMPARE(desktop.press(ctrlAltP), 1);
        QCOMPARE(display.timer()->state(), State::inactive);
        QCOMPARE(display.timer()->currentTime().totalSeconds(), qint64(1500));

        // Alt with Shift is a plain click; in the modes where the item stands
        // for the menu button, Alt-clicks press the button and record nothing.
        modifiers = Qt::AltModifier | Qt::ShiftModifier;
        display.click();
        QCOMPARE(display.timer()->state(), State::active);
        for (Mode mode : {Mode::hide, Mode::replacesDisplay}) {
            modifiers = Qt::AltModifier;
            window->close();
            display.setMenuButtonMode(mode);
            display.click();
            display.rightMouseUp();
            QVERIFY(!window->isVisible());
        }
        QCOMPARE(manager->strings(), both);
    }

    void aNewTimerMakesANewManagerFromTheStoredList()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        store({"toggleActivation"}, "toggleActivation");
        ManualGlobalShortcuts desktop(Defaults::standard());
        KPMenuBarTimeDisplay display(std::make_unique<StatusItem>());
        display.setTimer(KPTimer::fromSeconds(1500));
        KPTimerShortcutManager* first = display.shortcutManager();
        display.setTimer(KPTimer::fromSeconds(60));
        QVERIFY(display.shortcutManager() != first);
        QCOMPARE(desktop.press(ctrlAltP), 1); // reaches the new timer, not the old one
        QCOMPARE(display.timer()->state(), State::active);
        QCOMPARE(display.timer()->time().totalSeconds(), qint64(60));
    }
};

QTEST_MAIN(KPTimerShortcutManagerTest)
#include "KPTimerShortcutManagerTest.moc"
