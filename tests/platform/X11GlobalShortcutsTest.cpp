#include "platform/x11/X11GlobalShortcuts.h"
#include "PrivateXServer.h"
#include "TemporaryStore.h"
#include "platform/Defaults.h"
#include "platform/ManualRunLoop.h"
#include "platform/x11/X11Connection.h"

#include <QTest>
#include <xcb/xcb_keysyms.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using Status = GlobalShortcuts::Status;

namespace {
const QString toggle = QStringLiteral("toggleActivation");
const QString reset = QStringLiteral("reset");
} // namespace

// The grabs on a real X server: keys pressed there through XTEST, another
// client holding a combination, the keyboard mapping changed under them.
class X11GlobalShortcutsTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_config;
    std::unique_ptr<PrivateXServer> m_server;
    xcb_connection_t* m_ours = nullptr;
    xcb_connection_t* m_other = nullptr; // another application on the same desktop
    xcb_window_t m_root = XCB_WINDOW_NONE;

    // What Qt's event loop does for the application's connection.
    void pump(X11GlobalShortcuts& shortcuts)
    {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_ours)) {
            shortcuts.nativeEventFilter("xcb_generic_event_t", event, nullptr);
            std::free(event);
        }
    }

    // Presses keys and waits until the presses ran `expected` actions in all.
    bool pressAndWait(X11GlobalShortcuts& shortcuts, const QString& keys, const int& ran,
                      int expected)
    {
        if (!m_server->press(keys))
            return false;
        return QTest::qWaitFor(
            [&] {
                pump(shortcuts);
                return ran >= expected;
            },
            5000);
    }

    xcb_keycode_t keycodeOf(xcb_connection_t* connection, xcb_keysym_t keysym)
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
        xcb_keycode_t* keycodes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_keycode_t keycode = keycodes ? keycodes[0] : 0;
        std::free(keycodes);
        xcb_key_symbols_free(symbols);
        return keycode;
    }

private Q_SLOTS:
    void init()
    {
        m_config.reset();
        m_server = std::make_unique<PrivateXServer>();
        if (m_server->display().isEmpty())
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        if (!QFileInfo(PrivateXServer::xdotool).isExecutable())
            QSKIP("xdotool is not installed (scripts/install-deps installs it)");
        int screen = 0;
        m_ours = xcb_connect(m_server->display().toLocal8Bit().constData(), &screen);
        m_other = xcb_connect(m_server->display().toLocal8Bit().constData(), nullptr);
        QVERIFY(!xcb_connection_has_error(m_ours) && !xcb_connection_has_error(m_other));
        m_root = X11Connection::rootOf(m_ours, screen);
    }

    void cleanup()
    {
        for (xcb_connection_t* connection : {m_ours, m_other})
            if (connection)
                xcb_disconnect(connection);
        m_ours = m_other = nullptr;
        m_server.reset();
    }

    void aCombinationWorksWhateverTheLocks()
    {
        Defaults::standard().setString(toggle, QStringLiteral("Ctrl+Alt+P"));
        X11GlobalShortcuts shortcuts(Defaults::standard(), m_ours, m_root);
        int ran = 0;
        QObject context;
        shortcuts.bind(toggle, "Start/Pause", &context, [&ran] { ++ran; });
        QCOMPARE(shortcuts.status(toggle), Status::active);

        QVERIFY(pressAndWait(shortcuts, "ctrl+alt+p", ran, 1));
        QVERIFY(pressAndWait(shortcuts, "Caps_Lock", ran, 1)); // Caps Lock on
        QVERIFY(pressAndWait(shortcuts, "ctrl+alt+p", ran, 2));
        QVERIFY(pressAndWait(shortcuts, "Num_Lock", ran, 2)); // and Num Lock
        QVERIFY(pressAndWait(shortcuts, "ctrl+alt+p", ran, 3));
        // Other combinations of the key are not ours: pressed before one that
        // is, they have run nothing by the time it runs.
        Defaults::standard().setString(reset, QStringLiteral("Ctrl+Alt+R"));
        shortcuts.bind(reset, "Reset", &context, [&ran] { ran += 100; });
        QVERIFY(pressAndWait(shortcuts, "ctrl+p alt+p ctrl+alt+shift+p p ctrl+alt+r", ran, 103));
        QCOMPARE(ran, 103);
    }

    void symbolsTypedWithShiftAreGrabbedWithIt()
    {
        Defaults::standard().setString(toggle, QStringLiteral("Ctrl+!"));
        Defaults::standard().setString(reset, QStringLiteral("Meta+F5"));
        X11GlobalShortcuts shortcuts(Defaults::standard(), m_ours, m_root);
        int ran = 0;
        QObject context;
        shortcuts.bind(toggle, "Start/Pause", &context, [&ran] { ++ran; });
        shortcuts.bind(reset, "Reset", &context, [&ran] { ran += 10; });
        QVERIFY(pressAndWait(shortcuts, "ctrl+1 ctrl+shift+1", ran, 1));
        QVERIFY(pressAndWait(shortcuts, "F5 super+F5", ran, 11));
        QCOMPARE(ran, 11);
    }

    void aCombinationHeldByAnotherClientIsReported()
    {
        const xcb_keycode_t t = keycodeOf(m_other, XKB_KEY_t);
        QVERIFY(t != 0);
        const auto cookie =
            xcb_grab_key_checked(m_other, false, m_root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1, t,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        QVERIFY(!xcb_request_check(m_other, cookie));

        Defaults::standard().setString(toggle, QStringLiteral("Ctrl+Alt+T"));
        X11GlobalShortcuts shortcuts(Defaults::standard(), m_ours, m_root);
        int ran = 0;
        QObject context;
        shortcuts.bind(toggle, "Start/Pause", &context, [&ran] { ++ran; });
        QCOMPARE(shortcuts.status(toggle), Status::taken);

        // Another combination is free.
        Defaults::standard().setString(toggle, QStringLiteral("Ctrl+Alt+Y"));
        QCOMPARE(shortcuts.status(toggle), Status::active);
        QVERIFY(pressAndWait(shortcuts, "ctrl+alt+y", ran, 1));
    }

    void aKeyMovedToAnotherKeycodeIsGrabbedThere()
    {
        ManualRunLoop loop;
        Defaults::standard().setString(toggle, QStringLiteral("Ctrl+Alt+P"));
        X11GlobalShortcuts shortcuts(Defaults::standard(), m_ours, m_root);
        int ran = 0;
        QObject context;
        shortcuts.bind(toggle, "Start/Pause", &context, [&ran] { ++ran; });

        // Another application moves "p" to a free keycode, as a layout switch does.
        const xcb_keycode_t oldKeycode = keycodeOf(m_other, XKB_KEY_p);
        const xcb_keycode_t newKeycode = keycodeOf(m_other, XKB_KEY_NoSymbol);
        QVERIFY(oldKeycode != 0 && newKeycode != 0 && newKeycode != oldKeycode);
        const xcb_keysym_t moved[] = {XKB_KEY_p, XKB_KEY_P};
        const xcb_keysym_t emptied[] = {XKB_KEY_NoSymbol, XKB_KEY_NoSymbol};
        xcb_change_keyboard_mapping(m_other, 1, newKeycode, 2, moved);
        xcb_change_keyboard_mapping(m_other, 1, oldKeycode, 2, emptied);
        xcb_flush(m_other);
        QVERIFY(QTest::qWaitFor(
            [&] {
                pump(shortcuts);
                return loop.pendingCount() > 0;
            },
            5000));
        loop.runPending(); // looked up once the burst of notifications is over
        QCOMPARE(shortcuts.status(toggle), Status::active);
        QVERIFY(pressAndWait(shortcuts, "ctrl+alt+p", ran, 1));
    }
};

QTEST_GUILESS_MAIN(X11GlobalShortcutsTest)
#include "X11GlobalShortcutsTest.moc"
