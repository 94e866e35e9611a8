#include "PlasmaNotificationSilence.h"

#include <QCoreApplication>
#include <systemd/sd-bus.h>

void PlasmaNotificationSilence::read(Reading reading)
{
    m_calls.getBoolean(BusCalls::notificationPath, BusCalls::notificationServer, "Inhibited",
                       std::move(reading));
}

void PlasmaNotificationSilence::set(bool silenced, Done done)
{
    if (!silenced) {
        const std::uint32_t cookie = std::exchange(m_cookie, 0);
        if (!cookie) {
            done(true);
            return;
        }
        m_calls.call(
            BusCalls::notificationServer, BusCalls::notificationPath, BusCalls::notificationServer,
            "UnInhibit",
            [done = std::move(done)](sd_bus_message* reply) { done(BusCalls::succeeded(reply)); },
            [cookie](sd_bus_message* m) { return sd_bus_message_append(m, "u", cookie); });
        return;
    }
    const QByteArray reason =
        QCoreApplication::translate("PlasmaNotificationSilence", "A work period is counting")
            .toUtf8();
    m_calls.call(
        BusCalls::notificationServer, BusCalls::notificationPath, BusCalls::notificationServer,
        "Inhibit",
        [this, done = std::move(done)](sd_bus_message* reply) {
            std::uint32_t cookie = 0;
            const bool inhibited =
                BusCalls::succeeded(reply) && sd_bus_message_read(reply, "u", &cookie) >= 0;
            m_cookie = inhibited ? cookie : 0;
            done(inhibited);
        },
        [reason](sd_bus_message* m) {
            return sd_bus_message_append(m, "ssa{sv}", "zembrak", reason.constData(), 0);
        });
}
