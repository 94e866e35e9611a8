#pragma once

#include "NotificationSilence.h"
#include "platform/bus/BusCalls.h"

#include <cstdint>

// Plasma's inhibition of notifications. The server ends it by itself when the
// connection that asked for it goes, so a crash leaves nothing to restore.
class PlasmaNotificationSilence final : public NotificationSilence
{
public:
    explicit PlasmaNotificationSilence(SdBusConnection& connection) : m_calls(connection) {}

    QString name() const override { return QStringLiteral("plasma"); }
    void read(Reading reading) override;
    void set(bool silenced, Done done) override;
    void finish(std::chrono::milliseconds within) override { m_calls.finish(within); }

private:
    BusCalls m_calls;
    std::uint32_t m_cookie = 0; // of our inhibition; 0 when none
};
