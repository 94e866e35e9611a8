#pragma once

#include "GlobalShortcuts.h"

#include <QAbstractNativeEventFilter>
#include <memory>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

// Global shortcuts as passive key grabs on the root window. Each combination
// is grabbed with every state of Caps Lock and Num Lock, so those locks do not
// stop it; the keys are looked up again whenever the keyboard mapping changes.
class X11GlobalShortcuts : public GlobalShortcuts, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Nothing when the application does not run on X11.
    static std::unique_ptr<X11GlobalShortcuts> forApplication(Defaults& store);
    // Events of the connection must reach nativeEventFilter(): Qt's event
    // loop passes them once the filter is installed on the application.
    X11GlobalShortcuts(Defaults& store, xcb_connection_t* connection, xcb_window_t root);
    ~X11GlobalShortcuts() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

protected:
    void grab(const QString& key, const QString& description,
              const QKeyCombination& combination) override;
    void release(const QString& key) override;

private:
    struct Grab
    {
        xcb_keycode_t keycode;
        uint16_t modifiers;
        friend bool operator==(const Grab&, const Grab&) = default;
    };
    struct FreeSymbols
    {
        void operator()(xcb_key_symbols_t* symbols) const { xcb_key_symbols_free(symbols); }
    };

    std::vector<Grab> grabsFor(const QKeyCombination& combination) const;
    std::vector<uint16_t> lockVariants() const;
    bool heldByAnotherKey(const QString& key, const Grab& grab) const;
    void ungrab(const QString& key, const std::vector<Grab>& grabs);
    void keyboardMappingChanged();
    void regrabAll();
    void findNumLock();

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    std::unique_ptr<xcb_key_symbols_t, FreeSymbols> m_symbols;
    uint16_t m_numLockMask = 0;
    uint8_t m_xkbFirstEvent = 0;
    bool m_regrabPending = false;
    QHash<QString, std::vector<Grab>> m_held;
    xcb_keycode_t m_pressed = 0;
};
