#pragma once

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

// Qt's connection to the X server, the number of the screen it uses and that
// screen's root window.
struct X11Connection
{
    xcb_connection_t* connection = nullptr;
    int screenNumber = 0;
    xcb_window_t root = XCB_WINDOW_NONE;

    // Nothing when the application does not run on X11.
    static std::optional<X11Connection> forApplication()
    {
        auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (!x11 || !x11->connection())
            return std::nullopt;
        // Qt connected to $DISPLAY (or -display, which sets it); its screen part is ours.
        char* host = nullptr;
        int display = 0;
        int screen = 0;
        if (xcb_parse_display(nullptr, &host, &display, &screen))
            std::free(host);
        return X11Connection{x11->connection(), screen, rootOf(x11->connection(), screen)};
    }

    // A screen number past the last falls back to the first screen.
    static xcb_window_t rootOf(xcb_connection_t* connection, int screenNumber)
    {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; it.rem && i < screenNumber; ++i)
            xcb_screen_next(&it);
        if (!it.rem)
            it = xcb_setup_roots_iterator(xcb_get_setup(connection));
        return it.data->root;
    }
};

// Replies and errors from xcb are malloc()ed and freed by their receiver.
template <typename Reply> struct XcbFree
{
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply> using XcbReply = std::unique_ptr<Reply, XcbFree<Reply>>;
