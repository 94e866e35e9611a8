#include "NotificationSilenceChooser.h"

#include "DunstNotificationSilence.h"
#include "GnomeNotificationSilence.h"
#include "MakoNotificationSilence.h"
#include "PlasmaNotificationSilence.h"
#include "XfceNotificationSilence.h"

#include <systemd/sd-bus.h>

void NotificationSilenceChooser::choose(Chosen chosen)
{
    m_calls.call(
        BusCalls::notificationServer, BusCalls::notificationPath, BusCalls::notificationServer,
        "GetServerInformation", [this, chosen = std::move(chosen)](sd_bus_message* reply) {
            const char* server = nullptr;
            if (!BusCalls::succeeded(reply) || sd_bus_message_read_basic(reply, 's', &server) < 0) {
                chosen(nullptr);
                return;
            }
            std::shared_ptr<NotificationSilence> candidate = forServer(QString::fromUtf8(server));
            if (!candidate) {
                chosen(nullptr);
                return;
            }
            candidate->read([candidate, chosen](std::optional<bool> silenced) {
                chosen(silenced ? candidate : nullptr);
            });
        });
}

std::shared_ptr<NotificationSilence>
NotificationSilenceChooser::forServer(const QString& serverName) const
{
    // Each server names itself in GetServerInformation with its desktop's name
    // ("gnome-shell", "Plasma", "Xfce Notify Daemon"), which names its backend.
    for (const char* desktop : {"gnome", "plasma", "xfce", "dunst", "mako"})
        if (serverName.contains(QLatin1String(desktop), Qt::CaseInsensitive))
            return named(QLatin1String(desktop));
    return nullptr;
}

std::shared_ptr<NotificationSilence> NotificationSilenceChooser::named(const QString& name) const
{
    if (name == QLatin1String("gnome"))
        return std::make_shared<GnomeNotificationSilence>();
    if (name == QLatin1String("plasma"))
        return std::make_shared<PlasmaNotificationSilence>(m_connection);
    if (name == QLatin1String("xfce"))
        return std::make_shared<XfceNotificationSilence>(m_connection);
    if (name == QLatin1String("dunst"))
        return std::make_shared<DunstNotificationSilence>(m_connection);
    if (name == QLatin1String("mako"))
        return std::make_shared<MakoNotificationSilence>(m_connection);
    return nullptr;
}
