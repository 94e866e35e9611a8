#pragma once

#include "IdleTime.h"
#include "platform/bus/BusCalls.h"
#include "platform/bus/BusSlots.h"
#include "platform/bus/SdBusConnection.h"

#include <systemd/sd-bus.h>

// Idle time from the session bus: org.freedesktop.ScreenSaver's
// GetSessionIdleTime (seconds), else Mutter's IdleMonitor (milliseconds).
// Which one answers is learnt once the bus is reached, and again whenever
// either name changes hands.
class BusIdleTime : public IdleTime
{
    Q_OBJECT

public:
    explicit BusIdleTime(SdBusConnection& connection = SdBusConnection::session(),
                         QObject* parent = nullptr);
    ~BusIdleTime() override;

    bool isAvailable() const override { return m_source != Source::none; }
    void query(Answer answer) override;

private:
    enum class Source
    {
        none,
        screenSaver,
        mutter
    };
    void probe(Source source);
    void setSource(Source source);
    void call(Source source, BusCalls::Answer answer);
    static int onOwnerChanged(sd_bus_message* message, void* self, sd_bus_error*);
    void probed(sd_bus_message* reply);
    void answered(sd_bus_message* reply);
    static std::optional<std::chrono::milliseconds> read(Source source, sd_bus_message* reply);

    SdBusConnection& m_connection;
    BusSlots m_slots{m_connection};
    BusCalls m_calls{m_connection};
    Source m_source = Source::none;
    Source m_probing = Source::none;
    Answer m_answer;
};
