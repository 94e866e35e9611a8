#pragma once

#include "NotificationSilence.h"
#include "platform/bus/BusCalls.h"

// dunst's own pause: its "paused" property.
class DunstNotificationSilence final : public NotificationSilence
{
public:
    explicit DunstNotificationSilence(SdBusConnection& connection) : m_calls(connection) {}

    QString name() const override { return QStringLiteral("dunst"); }
    void read(Reading reading) override;
    void set(bool silenced, Done done) override;
    void finish(std::chrono::milliseconds within) override { m_calls.finish(within); }

private:
    BusCalls m_calls;
};
