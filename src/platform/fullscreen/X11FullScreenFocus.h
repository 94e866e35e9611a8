#pragma once

#include "platform/fullscreen/FullScreenFocus.h"
#include "platform/x11/X11Connection.h"

// The window manager's word: _NET_ACTIVE_WINDOW on the root, and whether that
// window's _NET_WM_STATE holds _NET_WM_STATE_FULLSCREEN.
class X11FullScreenFocus : public FullScreenFocus
{
public:
    // Nothing when the application does not run on X11.
    static std::unique_ptr<X11FullScreenFocus> forApplication();

    bool isFocusedWindowFullScreen() const override;

private:
    explicit X11FullScreenFocus(const X11Connection& x11);

    X11Connection m_x11;
    xcb_atom_t m_activeWindow = XCB_ATOM_NONE;
    xcb_atom_t m_state = XCB_ATOM_NONE;
    xcb_atom_t m_fullScreen = XCB_ATOM_NONE;
};
