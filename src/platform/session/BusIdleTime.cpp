#include "BusIdleTime.h"

#include <QByteArray>
#include <systemd/sd-bus.h>
#include <utility>

BusIdleTime::BusIdleTime(SdBusConnection& connection, QObject* parent)
    : IdleTime(parent), m_connection(connection)
{
    connect(&m_connection, &SdBusConnection::lost, this, [this] { setSource(Source::none); });
    m_connection.follow(this, [this] {
        // A screensaver or shell that starts after us is probed when it takes its name.
        for (const char* name : {"org.freedesktop.ScreenSaver", "org.gnome.Mutter.IdleMonitor"}) {
            const QByteArray rule = "type='signal',sender='org.freedesktop.DBus',"
                                    "member='NameOwnerChanged',arg0='" +
                                    QByteArray(name) + "'";
            sd_bus_add_match_async(m_connection.bus(), m_slots.add(), rule.constData(),
                                   &onOwnerChanged, nullptr, this);
        }
        probe(Source::screenSaver);
    });
}

int BusIdleTime::onOwnerChanged(sd_bus_message*, void* self, sd_bus_error*)
{
    auto* idle = static_cast<BusIdleTime*>(self);
    if (idle->m_probing == Source::none)
        idle->probe(Source::screenSaver);
    return 0;
}

BusIdleTime::~BusIdleTime() = default;

void BusIdleTime::call(Source source, BusCalls::Answer answer)
{
    if (source == Source::screenSaver)
        m_calls.call("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                     "org.freedesktop.ScreenSaver", "GetSessionIdleTime", std::move(answer));
    else
        m_calls.call("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
                     "org.gnome.Mutter.IdleMonitor", "GetIdletime", std::move(answer));
}

void BusIdleTime::probe(Source source)
{
    m_probing = source;
    call(source, [this](sd_bus_message* reply) { probed(reply); });
}

void BusIdleTime::probed(sd_bus_message* reply)
{
    const Source probed = std::exchange(m_probing, Source::none);
    if (read(probed, reply))
        setSource(probed);
    else if (probed == Source::screenSaver && reply)
        probe(Source::mutter);
    else
        setSource(Source::none);
}

void BusIdleTime::setSource(Source source)
{
    const bool was = isAvailable();
    m_source = source;
    m_answer = nullptr;
    if (was != isAvailable())
        Q_EMIT availabilityChanged(isAvailable());
}

void BusIdleTime::query(Answer answer)
{
    if (!isAvailable() || m_answer)
        return;
    m_answer = std::move(answer);
    call(m_source, [this](sd_bus_message* reply) { answered(reply); });
}

void BusIdleTime::answered(sd_bus_message* reply)
{
    if (Answer answer = std::exchange(m_answer, nullptr))
        answer(read(m_source, reply));
}

std::optional<std::chrono::milliseconds> BusIdleTime::read(Source source, sd_bus_message* reply)
{
    if (!BusCalls::succeeded(reply))
        return std::nullopt;
    if (source == Source::screenSaver) {
        std::uint32_t seconds = 0;
        if (sd_bus_message_read(reply, "u", &seconds) < 0)
            return std::nullopt;
        return std::chrono::seconds(seconds);
    }
    std::uint64_t ms = 0;
    if (sd_bus_message_read(reply, "t", &ms) < 0)
        return std::nullopt;
    return std::chrono::milliseconds(ms);
}
