#pragma once

#include "platform/bus/DistributedNotification.h"
#include "platform/store/Defaults.h"
#include "timing/KPTime.h"

#include <optional>

// The shown time as the other programs of the session follow it: the shared
// suite holds the shown second, and every tick is announced on the bus.
class SharedTimePublisher
{
public:
    static inline const QString timeDidChangeNotification =
        QStringLiteral("Horva 3: Time Did Change");

    SharedTimePublisher();

    // One tick showing time: stored when the second changed, announced always.
    // A tick that keeps the second takes nothing from the heap of ours.
    void publish(const KPTime& time);

private:
    Defaults m_sharedSuite;
    DistributedNotification m_timeDidChange;
    std::optional<KPTime> m_stored;
};
