#pragma once

#include "NotificationSilence.h"
#include "platform/bus/BusCalls.h"

#include <QStringList>

// mako's "do-not-disturb" mode, offered only when the user's mako
// configuration defines it: without that section the mode would hide nothing.
class MakoNotificationSilence final : public NotificationSilence
{
public:
    explicit MakoNotificationSilence(SdBusConnection& connection) : m_calls(connection) {}

    QString name() const override { return QStringLiteral("mako"); }
    void read(Reading reading) override;
    void set(bool silenced, Done done) override;
    void finish(std::chrono::milliseconds within) override { m_calls.finish(within); }

    static bool configurationHasMode();

private:
    void listModes(std::function<void(std::optional<QStringList>)> answer);

    BusCalls m_calls;
};
