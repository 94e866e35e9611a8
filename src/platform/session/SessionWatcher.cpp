#include "SessionWatcher.h"

#include <QByteArray>
#include <systemd/sd-bus.h>

namespace {

constexpr char login1[] = "org.freedesktop.login1";
constexpr char sessionInterface[] = "org.freedesktop.login1.Session";

SessionWatcher* watcher(void* self)
{
    return static_cast<SessionWatcher*>(self);
}

// The Boolean a{sv} holds under name, or -1.
int booleanMember(sd_bus_message* message, const char* name)
{
    int found = -1;
    BusCalls::readMembers(message, [&found, name](const char* key, sd_bus_message* m) {
        int value = 0;
        if (qstrcmp(key, name) != 0 || sd_bus_message_read(m, "v", "b", &value) < 0)
            return false;
        found = value;
        return true;
    });
    return found;
}

} // namespace

SessionWatcher::SessionWatcher(SdBusConnection& session, QObject* parent)
    : QObject(parent), m_session(session)
{
    connect(&m_system, &SdBusConnection::ready, this, &SessionWatcher::followSystemBus);
}

SessionWatcher::~SessionWatcher() = default;

void SessionWatcher::start()
{
    m_system.keepOpen(SdBusConnection::Bus::system);
    m_session.follow(this, [this] { followSessionBus(); });
}

void SessionWatcher::followSystemBus()
{
    sd_bus_match_signal_async(m_system.bus(), m_systemSlots.add(), login1,
                              "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                              "PrepareForSleep", &onSleep, nullptr, this);
    // Our own session: the one the desktop named, else logind's choice for us,
    // which is the user's graphical session when we run outside any session
    // (started as a systemd user service).
    QByteArray id = qgetenv("XDG_SESSION_ID");
    if (id.isEmpty())
        id = "auto";
    m_systemCalls.call(
        login1, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "GetSession",
        [this](sd_bus_message* reply) { followSession(reply); },
        [id](sd_bus_message* call) { return sd_bus_message_append(call, "s", id.constData()); });
}

void SessionWatcher::followSessionBus()
{
    for (const char* name : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"}) {
        sd_bus_match_signal_async(m_session.bus(), m_sessionSlots.add(), nullptr, nullptr, name,
                                  "ActiveChanged", &onScreenSaver, nullptr, this);
        // Asked after the match, so that no change falls between the two.
        const QByteArray path = '/' + QByteArray(name).replace('.', '/');
        m_sessionCalls.call(name, path.constData(), name, "GetActive",
                            [this](sd_bus_message* reply) {
                                if (BusCalls::succeeded(reply))
                                    onScreenSaver(reply, this, nullptr);
                            });
    }
}

void SessionWatcher::followSession(sd_bus_message* reply)
{
    const char* path = nullptr;
    if (!BusCalls::succeeded(reply) || sd_bus_message_read(reply, "o", &path) < 0)
        return;
    sd_bus* bus = m_system.bus();
    sd_bus_match_signal_async(bus, m_systemSlots.add(), login1, path, sessionInterface, "Lock",
                              &onLock, nullptr, this);
    sd_bus_match_signal_async(bus, m_systemSlots.add(), login1, path, sessionInterface, "Unlock",
                              &onUnlock, nullptr, this);
    sd_bus_match_signal_async(bus, m_systemSlots.add(), login1, path,
                              "org.freedesktop.DBus.Properties", "PropertiesChanged",
                              &onSessionProperties, nullptr, this);
    m_systemCalls.call(
        login1, path, "org.freedesktop.DBus.Properties", "Get",
        [this](sd_bus_message* answer) {
            if (const std::optional<bool> locked = BusCalls::variantBoolean(answer))
                reportLock(*locked);
        },
        [](sd_bus_message* call) {
            return sd_bus_message_append(call, "ss", sessionInterface, "LockedHint");
        });
}

int SessionWatcher::onSleep(sd_bus_message* message, void* self, sd_bus_error*)
{
    int sleeping = 0;
    if (sd_bus_message_read(message, "b", &sleeping) >= 0)
        Q_EMIT watcher(self)->sleepChanged(sleeping);
    return 0;
}

int SessionWatcher::onLock(sd_bus_message*, void* self, sd_bus_error*)
{
    // Each Lock asks anew: a locker that sets no hint is unlocked unheard.
    watcher(self)->m_locked = false;
    watcher(self)->reportLock(true);
    return 0;
}

int SessionWatcher::onUnlock(sd_bus_message*, void* self, sd_bus_error*)
{
    watcher(self)->reportLock(false);
    return 0;
}

int SessionWatcher::onSessionProperties(sd_bus_message* message, void* self, sd_bus_error*)
{
    const char* interface = nullptr;
    if (sd_bus_message_read(message, "s", &interface) < 0 || qstrcmp(interface, sessionInterface))
        return 0;
    const int locked = booleanMember(message, "LockedHint");
    if (locked >= 0)
        watcher(self)->reportLock(locked);
    return 0;
}

// ActiveChanged, or the answer to GetActive.
int SessionWatcher::onScreenSaver(sd_bus_message* message, void* self, sd_bus_error*)
{
    int active = 0;
    if (sd_bus_message_read(message, "b", &active) >= 0)
        watcher(self)->reportLock(active);
    return 0;
}

void SessionWatcher::reportLock(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    Q_EMIT lockChanged(locked);
}
