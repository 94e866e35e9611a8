#include "XfceNotificationSilence.h"

#include <systemd/sd-bus.h>

namespace {

constexpr const char* service = "org.xfce.Xfconf";
constexpr const char* path = "/org/xfce/Xfconf";
constexpr const char* channel = "xfce4-notifyd";
constexpr const char* property = "/do-not-disturb";

} // namespace

void XfceNotificationSilence::read(Reading reading)
{
    m_calls.call(
        service, path, service, "GetProperty",
        [reading = std::move(reading)](sd_bus_message* reply) {
            // Never switched: xfconf holds no value, and notifications are shown.
            if (reply &&
                sd_bus_message_is_method_error(reply, "org.xfce.Xfconf.Error.PropertyNotFound"))
                reading(false);
            else
                reading(BusCalls::variantBoolean(reply));
        },
        [](sd_bus_message* m) { return sd_bus_message_append(m, "ss", channel, property); });
}

void XfceNotificationSilence::set(bool silenced, Done done)
{
    m_calls.call(
        service, path, service, "SetProperty",
        [done = std::move(done)](sd_bus_message* reply) { done(BusCalls::succeeded(reply)); },
        [silenced](sd_bus_message* m) {
            return sd_bus_message_append(m, "ssv", channel, property, "b", int(silenced));
        });
}
