#include "X11GlobalShortcuts.h"

#include "KeySymbols.h"
#include "platform/RunLoop.h"
#include "platform/x11/X11Connection.h"

#include <QCoreApplication>
#include <algorithm>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace {

constexpr uint8_t kBadAccess = 10;
constexpr uint8_t kXkbNewKeyboardNotify = 0;
constexpr uint8_t kXkbMapNotify = 1;
constexpr uint16_t kCombinationMask =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

uint16_t modifierMask(Qt::KeyboardModifiers modifiers)
{
    uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

uint8_t xkbFirstEvent(xcb_connection_t* connection)
{
    static const char name[] = "XKEYBOARD";
    const auto cookie = xcb_query_extension(connection, sizeof name - 1, name);
    XcbReply<xcb_query_extension_reply_t> reply(
        xcb_query_extension_reply(connection, cookie, nullptr));
    return reply && reply->present ? reply->first_event : 0;
}

} // namespace

std::unique_ptr<X11GlobalShortcuts> X11GlobalShortcuts::forApplication(Defaults& store)
{
    const std::optional<X11Connection> x11 = X11Connection::forApplication();
    if (!x11)
        return nullptr;
    auto shortcuts = std::make_unique<X11GlobalShortcuts>(store, x11->connection, x11->root);
    QCoreApplication::instance()->installNativeEventFilter(shortcuts.get());
    return shortcuts;
}

X11GlobalShortcuts::X11GlobalShortcuts(Defaults& store, xcb_connection_t* connection,
                                       xcb_window_t root)
    : GlobalShortcuts(store), m_connection(connection), m_root(root),
      m_symbols(xcb_key_symbols_alloc(connection)), m_xkbFirstEvent(xkbFirstEvent(connection))
{
    findNumLock();
}

X11GlobalShortcuts::~X11GlobalShortcuts()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    // The server drops the grabs with the connection; while it lasts, give them back.
    for (auto it = m_held.cbegin(); it != m_held.cend(); ++it)
        for (const Grab& grab : it.value())
            for (uint16_t variant : lockVariants())
                xcb_ungrab_key(m_connection, grab.keycode, m_root, grab.modifiers | variant);
    xcb_flush(m_connection);
}

void X11GlobalShortcuts::findNumLock()
{
    m_numLockMask = 0;
    std::unique_ptr<xcb_keycode_t, XcbFree<xcb_keycode_t>> numLock(
        xcb_key_symbols_get_keycode(m_symbols.get(), XKB_KEY_Num_Lock));
    const auto cookie = xcb_get_modifier_mapping(m_connection);
    XcbReply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(m_connection, cookie, nullptr));
    if (!numLock || !reply)
        return;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int i = 0; i < perModifier; ++i)
            for (const xcb_keycode_t* k = numLock.get(); *k != XCB_NO_SYMBOL; ++k)
                if (keycodes[modifier * perModifier + i] == *k)
                    m_numLockMask |= uint16_t(1 << modifier);
}

std::vector<uint16_t> X11GlobalShortcuts::lockVariants() const
{
    if (m_numLockMask == 0)
        return {0, XCB_MOD_MASK_LOCK};
    return {0, XCB_MOD_MASK_LOCK, m_numLockMask, uint16_t(XCB_MOD_MASK_LOCK | m_numLockMask)};
}

std::vector<X11GlobalShortcuts::Grab>
X11GlobalShortcuts::grabsFor(const QKeyCombination& combination) const
{
    std::vector<Grab> grabs;
    const std::optional<KeySymbols::Combination> mapped =
        KeySymbols::fromKeyCombination(combination);
    if (!mapped)
        return grabs;
    const uint16_t modifiers = modifierMask(mapped->modifiers);
    std::unique_ptr<xcb_keycode_t, XcbFree<xcb_keycode_t>> keycodes(
        xcb_key_symbols_get_keycode(m_symbols.get(), mapped->keysym));
    for (const xcb_keycode_t* k = keycodes.get(); k && *k != XCB_NO_SYMBOL; ++k) {
        // A symbol typed with Shift ("!" on the key of "1") needs Shift held.
        if (xcb_key_symbols_get_keysym(m_symbols.get(), *k, 0) == mapped->keysym)
            grabs.push_back({*k, modifiers});
        else if (xcb_key_symbols_get_keysym(m_symbols.get(), *k, 1) == mapped->keysym)
            grabs.push_back({*k, uint16_t(modifiers | XCB_MOD_MASK_SHIFT)});
    }
    return grabs;
}

void X11GlobalShortcuts::grab(const QString& key, const QString&,
                              const QKeyCombination& combination)
{
    release(key);
    const std::vector<Grab> grabs = grabsFor(combination);
    if (grabs.empty()) {
        setStatus(key, Status::notOnKeyboard);
        return;
    }
    struct Request
    {
        Grab grab;
        xcb_void_cookie_t cookie;
    };
    std::vector<Request> requests;
    for (const Grab& grab : grabs)
        for (uint16_t variant : lockVariants())
            requests.push_back({grab, xcb_grab_key_checked(
                                          m_connection, false, m_root, grab.modifiers | variant,
                                          grab.keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)});
    Status status = Status::active;
    for (const Request& request : requests) {
        XcbReply<xcb_generic_error_t> error(xcb_request_check(m_connection, request.cookie));
        if (error)
            status = error->error_code == kBadAccess ? Status::taken : Status::refused;
    }
    // Half a combination would fire with Num Lock on and not off: all or nothing.
    if (status == Status::active)
        m_held.insert(key, grabs);
    else
        ungrab(key, grabs);
    setStatus(key, status);
}

void X11GlobalShortcuts::release(const QString& key)
{
    const std::vector<Grab> grabs = m_held.take(key);
    ungrab(key, grabs);
}

bool X11GlobalShortcuts::heldByAnotherKey(const QString& key, const Grab& grab) const
{
    for (auto it = m_held.cbegin(); it != m_held.cend(); ++it)
        if (it.key() != key && std::find(it->begin(), it->end(), grab) != it->end())
            return true;
    return false;
}

void X11GlobalShortcuts::ungrab(const QString& key, const std::vector<Grab>& grabs)
{
    // Two keys with one combination share the server's grab.
    for (const Grab& grab : grabs)
        if (!heldByAnotherKey(key, grab))
            for (uint16_t variant : lockVariants())
                xcb_ungrab_key(m_connection, grab.keycode, m_root, grab.modifiers | variant);
    xcb_flush(m_connection);
}

void X11GlobalShortcuts::keyboardMappingChanged()
{
    // Layout switches come in bursts of notifications: look once they are over.
    if (m_regrabPending)
        return;
    m_regrabPending = true;
    RunLoop::main().post(this, [this] {
        m_regrabPending = false;
        regrabAll();
    });
}

void X11GlobalShortcuts::regrabAll()
{
    // The grabs were made with the old keycodes and lock masks: give them back first.
    const QStringList keys = m_held.keys();
    for (const QString& key : keys)
        release(key);
    m_symbols.reset(xcb_key_symbols_alloc(m_connection));
    findNumLock();
    const QHash<QString, QKeyCombination> wanted = grabbedCombinations();
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        grab(it.key(), description(it.key()), it.value());
}

bool X11GlobalShortcuts::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & ~0x80;
    if (type == XCB_MAPPING_NOTIFY ||
        (m_xkbFirstEvent && type == m_xkbFirstEvent &&
         (event->pad0 == kXkbNewKeyboardNotify || event->pad0 == kXkbMapNotify))) {
        keyboardMappingChanged();
        return false; // Qt follows the mapping too
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto* keyEvent = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (keyEvent->event != m_root)
        return false;
    if (type == XCB_KEY_RELEASE) {
        if (keyEvent->detail == m_pressed)
            m_pressed = 0;
        return true;
    }
    // A held key repeats its press: the action runs once per press.
    if (keyEvent->detail == m_pressed)
        return true;
    m_pressed = keyEvent->detail;
    const Grab pressed{keyEvent->detail, uint16_t(keyEvent->state & kCombinationMask)};
    QStringList keys;
    for (auto it = m_held.cbegin(); it != m_held.cend(); ++it)
        if (std::find(it->begin(), it->end(), pressed) != it->end())
            keys.append(it.key());
    for (const QString& key : keys)
        activate(key);
    return true;
}
