#pragma once

#include "IdleTime.h"
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
    explicit BusIdleTime(QObject* parent = nullptr);
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
    bool call(Source source, void* userdata, sd_bus_message_handler_t callback);
    static int onOwnerChanged(sd_bus_message* message, void* self, sd_bus_error*);
    static int onProbe(sd_bus_message* reply, void* self, sd_bus_error*);
    static int onAnswer(sd_bus_message* reply, void* self, sd_bus_error*);
    static std::optional<std::chrono::milliseconds> read(Source source, sd_bus_message* reply);

    SdBusConnection m_connection;
    Source m_source = Source::none;
    Source m_probing = Source::none;
    Answer m_answer;
};
