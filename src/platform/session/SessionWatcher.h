#pragma once

#include "platform/bus/BusCalls.h"
#include "platform/bus/BusSlots.h"
#include "platform/bus/SdBusConnection.h"

#include <QObject>

#include <systemd/sd-bus.h>

// Tells when the user's session locks or unlocks and when the machine is about
// to sleep or has woken. logind on the system bus and a screensaver on the
// session bus are both heard, whichever the desktop has; each bus is followed
// again when its daemon comes back.
class SessionWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SessionWatcher(SdBusConnection& session = SdBusConnection::session(),
                            QObject* parent = nullptr);
    ~SessionWatcher() override;

    void start();
    bool isLocked() const { return m_locked; }

Q_SIGNALS:
    // Only on a change: two sources reporting one lock give one signal; but
    // logind's Lock, a request to lock, is passed on each time.
    void lockChanged(bool locked);
    // true just before the machine sleeps, false once it has woken.
    void sleepChanged(bool sleeping);

private:
    void followSystemBus();
    void followSessionBus();
    void reportLock(bool locked);
    void followSession(sd_bus_message* reply);
    static int onSleep(sd_bus_message* message, void* self, sd_bus_error*);
    static int onLock(sd_bus_message* message, void* self, sd_bus_error*);
    static int onUnlock(sd_bus_message* message, void* self, sd_bus_error*);
    static int onSessionProperties(sd_bus_message* message, void* self, sd_bus_error*);
    static int onScreenSaver(sd_bus_message* message, void* self, sd_bus_error*);

    SdBusConnection m_system; // ours alone: nothing else of the program is on that bus
    SdBusConnection& m_session;
    BusSlots m_systemSlots{m_system};
    BusSlots m_sessionSlots{m_session};
    BusCalls m_systemCalls{m_system};
    BusCalls m_sessionCalls{m_session};
    bool m_locked = false;
};
