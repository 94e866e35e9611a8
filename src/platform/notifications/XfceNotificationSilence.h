#pragma once

#include "NotificationSilence.h"
#include "platform/bus/BusCalls.h"

// xfce4-notifyd's "do not disturb", kept in xfconf.
class XfceNotificationSilence final : public NotificationSilence
{
public:
    explicit XfceNotificationSilence(SdBusConnection& connection) : m_calls(connection) {}

    QString name() const override { return QStringLiteral("xfce"); }
    void read(Reading reading) override;
    void set(bool silenced, Done done) override;
    void finish(std::chrono::milliseconds within) override { m_calls.finish(within); }

private:
    BusCalls m_calls;
};
