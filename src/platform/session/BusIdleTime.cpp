#include "BusIdleTime.h"

#include <QByteArray>
#include <systemd/sd-bus.h>

BusIdleTime::BusIdleTime(QObject* parent) : IdleTime(parent)
{
    connect(&m_connection, &SdBusConnection::ready, this, [this] {
        // A screensaver or shell that starts after us is probed when it takes its name.
        for (const char* name : {"org.freedesktop.ScreenSaver", "org.gnome.Mutter.IdleMonitor"}) {
            const QByteArray rule = "type='signal',sender='org.freedesktop.DBus',"
                                    "member='NameOwnerChanged',arg0='" +
                                    QByteArray(name) + "'";
            sd_bus_add_match_async(m_connection.bus(), nullptr, rule.constData(), &onOwnerChanged,
                                   nullptr, this);
        }
        probe(Source::screenSaver);
    });
    connect(&m_connection, &SdBusConnection::lost, this, [this] { setSource(Source::none); });
    m_connection.keepOpen();
}

int BusIdleTime::onOwnerChanged(sd_bus_message*, void* self, sd_bus_error*)
{
    auto* idle = static_cast<BusIdleTime*>(self);
    if (idle->m_probing == Source::none)
        idle->probe(Source::screenSaver);
    return 0;
}

BusIdleTime::~BusIdleTime() = default;

bool BusIdleTime::call(Source source, void* userdata, sd_bus_message_handler_t callback)
{
    if (source == Source::screenSaver)
        return m_connection.callAsync("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                      "org.freedesktop.ScreenSaver", "GetSessionIdleTime", callback,
                                      userdata);
    return m_connection.callAsync(
        "org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
        "org.gnome.Mutter.IdleMonitor", "GetIdletime", callback, userdata);
}

void BusIdleTime::probe(Source source)
{
    m_probing = source;
    if (!call(source, this, &onProbe))
        m_probing = Source::none;
}

int BusIdleTime::onProbe(sd_bus_message* reply, void* self, sd_bus_error*)
{
    auto* idle = static_cast<BusIdleTime*>(self);
    const Source probed = std::exchange(idle->m_probing, Source::none);
    if (read(probed, reply))
        idle->setSource(probed);
    else if (probed == Source::screenSaver)
        idle->probe(Source::mutter);
    else
        idle->setSource(Source::none);
    return 0;
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
    if (!call(m_source, this, &onAnswer))
        m_answer = nullptr;
}

int BusIdleTime::onAnswer(sd_bus_message* reply, void* self, sd_bus_error*)
{
    auto* idle = static_cast<BusIdleTime*>(self);
    if (Answer answer = std::exchange(idle->m_answer, nullptr))
        answer(read(idle->m_source, reply));
    return 0;
}

std::optional<std::chrono::milliseconds> BusIdleTime::read(Source source, sd_bus_message* reply)
{
    if (sd_bus_message_is_method_error(reply, nullptr))
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
