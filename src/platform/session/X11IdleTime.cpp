#include "X11IdleTime.h"

#include <cstdlib>
#include <xcb/screensaver.h>

std::unique_ptr<X11IdleTime> X11IdleTime::forApplication()
{
    const std::optional<X11Connection> x11 = X11Connection::forApplication();
    if (!x11)
        return nullptr;
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(x11->connection, &xcb_screensaver_id);
    if (!extension || !extension->present)
        return nullptr;
    return std::unique_ptr<X11IdleTime>(new X11IdleTime(*x11));
}

void X11IdleTime::query(Answer answer)
{
    // One round trip to a local server, a few times an hour.
    xcb_screensaver_query_info_reply_t* reply = xcb_screensaver_query_info_reply(
        m_x11.connection, xcb_screensaver_query_info(m_x11.connection, m_x11.root), nullptr);
    if (!reply) {
        answer(std::nullopt);
        return;
    }
    const std::chrono::milliseconds idle(reply->ms_since_user_input);
    std::free(reply);
    answer(idle);
}
