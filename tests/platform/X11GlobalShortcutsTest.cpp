#include "platform/shortcuts/X11GlobalShortcuts.h"
#include "ManualRunLoop.h"
#include "PrivateXServer.h"
#include "TemporaryStore.h"
#include "platform/store/Defaults.h"
#include "platform/x11/X11Connection.h"

#include <QTest>
#include <xcb/xcb_keysyms.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using Status = GlobalShortcuts::Status;

namespace {
const QString toggle = QStringLiteral("toggleActivation");
} // namespace

// The grabs on a real X server: keys pressed there through XTEST, the
// keyboard mapping changed under them by another client.
class X11GlobalShortcutsTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_config;
    std::unique_ptr<PrivateXServer> m_server;
    xcb_connection_t* m_ours = nullptr;
    xcb_connection_t* m_other = nullptr; // another application on the same desktop
    xcb_window_t m_root = XCB_WINDOW_NONE;
    std::unique_ptr<X11GlobalShortcuts> m_shortcuts;
    QObject m_context;
    int m_ran = 0;

    // Binds key to the stored combination; each press adds weight to m_ran.
    void bind(const QString& key, const char* stored, int weight = 1)
    {
        Defaults::standard().setString(key, QString::fromLatin1(stored));
        m_shortcuts->bind(key, key, &m_context, [this, weight] { m_ran += weight; });
    }

    // Does what Qt's event loop does for the application's connection until done.
    bool pumpUntil(const std::function<bool()>& done)
    {
        return QTest::qWaitFor(
            [&] {
                while (xcb_generic_event_t* event = xcb_poll_for_event(m_ours)) {
                    m_shortcuts->nativeEventFilter("xcb_generic_event_t", event, nullptr);
                    std::free(event);
                }
                return done();
            },
            5000);
    }
    // Presses keys and waits until the actions run add up to expected.
    bool pressAndWait(const QString& keys, int expected)
    {
        return m_server->press(keys) && pumpUntil([&] { return m_ran >= expected; });
    }

    xcb_keycode_t keycodeOf(xcb_keysym_t keysym)
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_other);
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
        if (m_server->display().isEmpty() || !QFileInfo(PrivateXServer::xdotool).isExecutable())
            QSKIP("Xvfb or xdotool is not installed (scripts/install-deps installs them)");
        int screen = 0;
        m_ours = xcb_connect(m_server->display().toLocal8Bit().constData(), &screen);
        m_other = xcb_connect(m_server->display().toLocal8Bit().constData(), nullptr);
        QVERIFY(!xcb_connection_has_error(m_ours) && !xcb_connection_has_error(m_other));
        m_root = X11Connection::rootOf(m_ours, screen);
        m_shortcuts = std::make_unique<X11GlobalShortcuts>(Defaults::standard(), m_ours, m_root);
        m_ran = 0;
    }

    void cleanup()
    {
        m_shortcuts.reset();
        for (xcb_connection_t* connection : {m_ours, m_other})
            if (connection)
                xcb_disconnect(connection);
        m_ours = m_other = nullptr;
        m_server.reset();
    }

    void aCombinationWorksWhateverTheLocksAndLayout()
    {
        ManualRunLoop loop;
        bind(toggle, "Ctrl+Alt+P");
        bind(QStringLiteral("reset"), "Ctrl+!", 10); // typed with Shift, grabbed with it
        bind(QStringLiteral("300"), "Meta+F5", 100);
        QCOMPARE(m_shortcuts->status(toggle), Status::active);
        QVERIFY(pressAndWait("Caps_Lock Num_Lock ctrl+alt+p Caps_Lock Num_Lock", 1));
        // Other combinations of the keys are not ours: pressed before one that
        // is, they have run nothing by the time it runs.
        QVERIFY(pressAndWait("ctrl+p alt+p ctrl+alt+shift+p ctrl+1 F5 ctrl+shift+1", 11));
        QVERIFY(pressAndWait("p super+F5", 111));

        // Another application moves "p" to a free keycode, as a layout switch does.
        const xcb_keycode_t oldKeycode = keycodeOf(XKB_KEY_p);
        const xcb_keycode_t newKeycode = keycodeOf(XKB_KEY_NoSymbol);
        QVERIFY(oldKeycode != 0 && newKeycode != 0 && newKeycode != oldKeycode);
        const xcb_keysym_t moved[] = {XKB_KEY_p, XKB_KEY_P};
        const xcb_keysym_t emptied[] = {XKB_KEY_NoSymbol, XKB_KEY_NoSymbol};
        xcb_change_keyboard_mapping(m_other, 1, newKeycode, 2, moved);
        xcb_change_keyboard_mapping(m_other, 1, oldKeycode, 2, emptied);
        xcb_flush(m_other);
        // Both changes made, and both notifications ahead of a reply to us, before
        // the look: one seen alone would be looked up half way through.
        std::free(xcb_get_input_focus_reply(m_other, xcb_get_input_focus(m_other), nullptr));
        std::free(xcb_get_input_focus_reply(m_ours, xcb_get_input_focus(m_ours), nullptr));
        QVERIFY(pumpUntil([&] { return loop.pendingCount() > 0; }));
        loop.runPending(); // looked up once the burst of notifications is over
        QVERIFY(pressAndWait("ctrl+alt+p", 112));
        QCOMPARE(m_ran, 112);
    }
};

QTEST_GUILESS_MAIN(X11GlobalShortcutsTest)
#include "X11GlobalShortcutsTest.moc"
