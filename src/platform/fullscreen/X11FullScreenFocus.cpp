#include "X11FullScreenFocus.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The property's values of 32 bits each; empty when absent or of another type.
std::vector<uint32_t> values(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                             xcb_atom_t type)
{
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, 64), nullptr));
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {data, data + xcb_get_property_value_length(reply.get()) / 4};
}

} // namespace

std::unique_ptr<X11FullScreenFocus> X11FullScreenFocus::forApplication()
{
    const std::optional<X11Connection> x11 = X11Connection::forApplication();
    if (!x11)
        return nullptr;
    return std::unique_ptr<X11FullScreenFocus>(new X11FullScreenFocus(*x11));
}

X11FullScreenFocus::X11FullScreenFocus(const X11Connection& x11)
    : m_x11(x11), m_activeWindow(atom(x11.connection, "_NET_ACTIVE_WINDOW")),
      m_state(atom(x11.connection, "_NET_WM_STATE")),
      m_fullScreen(atom(x11.connection, "_NET_WM_STATE_FULLSCREEN"))
{}

bool X11FullScreenFocus::isFocusedWindowFullScreen() const
{
    // Two round trips to a local server, once a second at most while waiting.
    const std::vector<uint32_t> active =
        values(m_x11.connection, m_x11.root, m_activeWindow, XCB_ATOM_WINDOW);
    if (active.empty() || active.front() == XCB_WINDOW_NONE)
        return false;
    const std::vector<uint32_t> states =
        values(m_x11.connection, active.front(), m_state, XCB_ATOM_ATOM);
    return std::find(states.begin(), states.end(), m_fullScreen) != states.end();
}
