#include "DunstNotificationSilence.h"

#include <systemd/sd-bus.h>

namespace {

constexpr const char* interface = "org.dunstproject.cmd0";

} // namespace

void DunstNotificationSilence::read(Reading reading)
{
    m_calls.getBoolean(BusCalls::notificationPath, interface, "paused", std::move(reading));
}

void DunstNotificationSilence::set(bool silenced, Done done)
{
    m_calls.call(
        BusCalls::notificationServer, BusCalls::notificationPath, BusCalls::properties, "Set",
        [done = std::move(done)](sd_bus_message* reply) { done(BusCalls::succeeded(reply)); },
        [silenced](sd_bus_message* m) {
            return sd_bus_message_append(m, "ssv", interface, "paused", "b", int(silenced));
        });
}
