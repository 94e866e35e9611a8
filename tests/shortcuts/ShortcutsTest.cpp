#include "FakeSound.h"
#include "ManualGlobalShortcuts.h"
#include "ManualRunLoop.h"
#include "PrivateXServer.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/SystemStyle.h"
#include "platform/shortcuts/ShortcutRecorder.h"
#include "platform/shortcuts/X11GlobalShortcuts.h"
#include "platform/store/Defaults.h"
#include "platform/x11/X11Connection.h"
#include "shortcuts/KPShortcutWindow.h"
#include "shortcuts/KPTimerShortcutManager.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <xcb/xcb_keysyms.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace std::chrono_literals;
using State = KPTimer::State;
using Mode = KPMenuBarTimeDisplay::MenuButtonMode;

namespace {
const QKeySequence ctrlAltP(Qt::CTRL | Qt::ALT | Qt::Key_P);
const QString toggle = QStringLiteral("toggleActivation");
const QString taken = QStringLiteral("Taken by another application");
const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
} // namespace

// The shortcuts that drive the timer, the recorder that sets them, and the X11 grabs.
class ShortcutsTest : public QObject
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

        void launch() // as at launch
        {
            manager.loadStrings();
            manager.bindStoredShortcuts();
        }
    };

    // What the store holds when the fixture is made: a list under
    // "shortcutStrings", and Ctrl+Alt+P under one key.
    void store(const QJsonArray& strings, const std::optional<QString>& key = std::nullopt)
    {
        QJsonObject values{{PreferenceKeys::shortcutStrings, strings}};
        if (key)
            values.insert(*key, "Ctrl+Alt+P");
        m_config.writeStandardFile(QJsonDocument(values).toJson());
    }

    // The grabs on a real X server (Xvfb): keys pressed there through XTEST, the
    // keyboard mapping changed under them by another client.
    struct X11Desktop
    {
        X11Desktop()
        {
            if (server.display().isEmpty())
                return;
            int screen = 0;
            ours = xcb_connect(server.display().toLocal8Bit().constData(), &screen);
            other = xcb_connect(server.display().toLocal8Bit().constData(), nullptr);
            shortcuts = std::make_unique<X11GlobalShortcuts>(Defaults::standard(), ours,
                                                             X11Connection::rootOf(ours, screen));
        }
        ~X11Desktop()
        {
            shortcuts.reset();
            for (xcb_connection_t* connection : {ours, other})
                if (connection)
                    xcb_disconnect(connection);
        }
        // Binds key to the stored combination; each press adds weight to ran.
        void bind(const QString& key, const char* stored, int weight = 1)
        {
            Defaults::standard().setString(key, QString::fromLatin1(stored));
            shortcuts->bind(key, key, &context, [this, weight] { ran += weight; });
        }
        // Does what Qt's event loop does for the application's connection until done.
        bool pumpUntil(const std::function<bool()>& done)
        {
            return QTest::qWaitFor(
                [&] {
                    while (xcb_generic_event_t* event = xcb_poll_for_event(ours)) {
                        shortcuts->nativeEventFilter("xcb_generic_event_t", event, nullptr);
                        std::free(event);
                    }
                    return done();
                },
                5000);
        }
        // Presses keys and waits until the actions run add up to expected.
        bool pressAndWait(const QString& keys, int expected)
        {
            return server.press(keys) && pumpUntil([&] { return ran >= expected; });
        }
        xcb_keycode_t keycodeOf(xcb_keysym_t keysym)
        {
            xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(other);
            xcb_keycode_t* keycodes = xcb_key_symbols_get_keycode(symbols, keysym);
            const xcb_keycode_t keycode = keycodes ? keycodes[0] : 0;
            std::free(keycodes);
            xcb_key_symbols_free(symbols);
            return keycode;
        }

        PrivateXServer server;
        xcb_connection_t* ours = nullptr;
        xcb_connection_t* other = nullptr; // another application on the same desktop
        std::unique_ptr<X11GlobalShortcuts> shortcuts;
        QObject context;
        int ran = 0;
    };

    TemporaryStore m_config;

private Q_SLOTS:
    void init() { m_config.reset(); }

    void actionsAndACombinationRecordedAfterBinding()
    {
        store({"toggleActivation"});
        Fixture f;
        f.launch(); // bound, no combination yet
        QCOMPARE(f.desktop.press(ctrlAltP), 0);
        f.desktop.setShortcut("toggleActivation", ctrlAltP); // as the recorder stores it
        QCOMPARE(f.desktop.press(ctrlAltP), 1);
        QCOMPARE(f.timer->state(), State::active);
        f.manager.handleShortcut("startStopwatch");
        QCOMPARE(f.timer->countType(), KPTimer::CountType::up);
        f.loop.advance(3661s);
        QCOMPARE(f.timer->currentTime(), (KPTime{1, 1, 1}));
        f.manager.handleShortcut("reset");
        QCOMPARE(f.timer->state(), State::inactive);
        QCOMPARE(f.timer->currentTime(), KPTime{});
        f.desktop.setShortcut("toggleActivation", QKeySequence()); // cleared: released
        QCOMPARE(f.desktop.press(ctrlAltP), 0);
        QCOMPARE(f.manager.strings(), QStringList{"toggleActivation"}); // the key stays listed
    }

    void presets_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<qint64>("seconds"); // counted down; 0: the press changes nothing
        QTest::newRow("plain") << "300" << qint64(300);
        QTest::newRow("padded, signed") << "+0090" << qint64(90);
        QTest::newRow("9999:59:59") << "35999999" << qint64(35999999);
        QTest::newRow("past 9999:59:59") << "36000000" << qint64(0);
        QTest::newRow("negative") << "-5" << qint64(0);
        QTest::newRow("zero") << "0" << qint64(0); // would end at once as a finished period
        QTest::newRow("past 64 bits") << "9223372036854775808" << qint64(0);
        QTest::newRow("spaced") << " 300" << qint64(0);
        QTest::newRow("empty, a key too") << "" << qint64(0);
    }
    void presets()
    {
        QFETCH(QString, key);
        QFETCH(qint64, seconds);
        store({key}, key);
        Fixture f;
        f.launch();
        QVERIFY(f.desktop.isBound(key)); // bound as stored
        QCOMPARE(f.desktop.press(ctrlAltP), 1);
        QCOMPARE(f.timer->state(), seconds ? State::active : State::inactive);
        QCOMPARE(f.timer->currentTime().totalSeconds(), seconds ? seconds : 1500);
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
        KPShortcutWindow* window = manager->window();
        // Alt-click twice (the same list, the window again), then Alt-right-click.
        for (const auto& [right, title] :
             {std::pair{false, "Start/Pause"}, {false, "Start/Pause"}, {true, "Reset"}}) {
            window->close();
            right ? display.rightMouseUp() : display.click();
            QVERIFY(window->isVisible());
            QCOMPARE(window->titleLabel()->text(), QString(title));
        }
        const QStringList both{"toggleActivation", "reset"};
        QCOMPARE(manager->strings(), both);
        QCOMPARE(Defaults().stringArray(PreferenceKeys::shortcutStrings), both);
        QCOMPARE(window->shortcutView()->associatedDefaultsKey(), QStringLiteral("reset"));
        QCOMPARE(display.timer()->state(), State::inactive);
    }

    // The recorder in the shortcut window.
    void aKeyPressed_data()
    {
        QTest::addColumn<Qt::Key>("key"); // Key_unknown: the clear button instead
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("stored"); // and shown
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, Qt::Key key, Qt::KeyboardModifiers modifiers,
                            const char* stored, const QString& message = QString()) {
            QTest::newRow(name) << key << modifiers << QString(stored) << message;
        };
        row("a combination", Qt::Key_Q, ctrlAlt, "Ctrl+Alt+Q");
        row("Shift choosing the symbol", Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier,
            "Ctrl+!");
        row("a function key alone", Qt::Key_F8, {}, "F8");
        row("the clear button", Qt::Key_unknown, {}, "");
        row("Escape", Qt::Key_Escape, {}, "Ctrl+Alt+P"); // stops recording
        // It would take "p" from every application.
        row("a letter alone", Qt::Key_P, {}, "Ctrl+Alt+P", "Hold Ctrl, Alt or Meta with this key");
        row("taken elsewhere", Qt::Key_T, ctrlAlt, "Ctrl+Alt+T", taken); // it may be freed later
    }
    void aKeyPressed()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        ManualGlobalShortcuts desktop(Defaults::standard());
        desktop.takeByAnotherApplication(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T));
        desktop.setShortcut(toggle, ctrlAltP);
        QObject context;
        desktop.bind(toggle, "Start/Pause", &context, [] {});
        ShortcutRecorder recorder;
        recorder.setAssociatedDefaultsKey(toggle);
        recorder.show();
        if (key == Qt::Key_unknown)
            recorder.clearButton()->click();
        else
            QTest::keyClick(recorder.editor(), key, modifiers);
        const auto inRed = [&recorder] {
            return recorder.editor()->palette().color(QPalette::Text) ==
                   SystemStyle::systemRedColor();
        };
        QCOMPARE(Defaults::standard().string(toggle), stored);
        QCOMPARE(recorder.editor()->keySequence().toString(QKeySequence::PortableText), stored);
        QCOMPARE(recorder.editor()->toolTip(), message);
        // Red when the combination shown does not work, not when a key was refused.
        QCOMPARE(inRed(), message == taken);
        // The next key starts a new recording instead of making a sequence of two.
        QTest::keyClick(recorder.editor(), Qt::Key_W, ctrlAlt);
        QCOMPARE(Defaults::standard().string(toggle), QStringLiteral("Ctrl+Alt+W"));
        QVERIFY(recorder.editor()->toolTip().isEmpty() && !inRed());
    }

    void aCombinationWorksWhateverTheLocksAndLayout()
    {
        X11Desktop x;
        if (x.server.display().isEmpty() || !QFileInfo(PrivateXServer::xdotool).isExecutable())
            QSKIP("Xvfb or xdotool is not installed (scripts/install-deps installs them)");
        QVERIFY(!xcb_connection_has_error(x.ours) && !xcb_connection_has_error(x.other));
        ManualRunLoop loop;
        x.bind(toggle, "Ctrl+Alt+P");
        x.bind(QStringLiteral("reset"), "Ctrl+!", 10); // typed with Shift, grabbed with it
        x.bind(QStringLiteral("300"), "Meta+F5", 100);
        QCOMPARE(x.shortcuts->status(toggle), GlobalShortcuts::Status::active);
        QVERIFY(x.pressAndWait("Caps_Lock Num_Lock ctrl+alt+p Caps_Lock Num_Lock", 1));
        // Other combinations of the keys are not ours: pressed before one that
        // is, they have run nothing by the time it runs.
        QVERIFY(x.pressAndWait("ctrl+p alt+p ctrl+alt+shift+p ctrl+1 F5 ctrl+shift+1", 11));
        QVERIFY(x.pressAndWait("p super+F5", 111));

        // Another application moves "p" to a free keycode, as a layout switch does.
        const xcb_keycode_t oldKeycode = x.keycodeOf(XKB_KEY_p);
        const xcb_keycode_t newKeycode = x.keycodeOf(XKB_KEY_NoSymbol);
        QVERIFY(oldKeycode != 0 && newKeycode != 0 && newKeycode != oldKeycode);
        const xcb_keysym_t moved[] = {XKB_KEY_p, XKB_KEY_P};
        const xcb_keysym_t emptied[] = {XKB_KEY_NoSymbol, XKB_KEY_NoSymbol};
        xcb_change_keyboard_mapping(x.other, 1, newKeycode, 2, moved);
        xcb_change_keyboard_mapping(x.other, 1, oldKeycode, 2, emptied);
        xcb_flush(x.other);
        // Both changes made, and both notifications ahead of a reply to us, before
        // the look: one seen alone would be looked up half way through.
        std::free(xcb_get_input_focus_reply(x.other, xcb_get_input_focus(x.other), nullptr));
        std::free(xcb_get_input_focus_reply(x.ours, xcb_get_input_focus(x.ours), nullptr));
        QVERIFY(x.pumpUntil([&] { return loop.pendingCount() > 0; }));
        loop.runPending(); // looked up once the burst of notifications is over
        QVERIFY(x.pressAndWait("ctrl+alt+p", 112));
        QCOMPARE(x.ran, 112);
    }
};

QTEST_MAIN(ShortcutsTest)
#include "ShortcutsTest.moc"
