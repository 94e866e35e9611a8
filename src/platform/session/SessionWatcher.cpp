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
    if (sd_bus_message_enter_container(message, 'a', "{sv}") <= 0)
        return found;
    while (sd_bus_message_enter_container(message, 'e', "sv") > 0) {
        const char* key = nullptr;
        int value = 0;
        if (sd_bus_message_read(message, "s", &key) < 0)
            return found;
        if (qstrcmp(key, name) == 0 && sd_bus_message_read(message, "v", "b", &value) >= 0)
            found = value;
        else if (sd_bus_message_skip(message, "v") < 0)
            return found;
        sd_bus_message_exit_container(message);
    }
    return found;
}

} // namespace

SessionWatcher::SessionWatcher(QObject* parent) : QObject(parent)
{
    connect(&m_system, &SdBusConnection::ready, this, &SessionWatcher::followSystemBus);
    connect(&m_session, &SdBusConnection::ready, this, &SessionWatcher::followSessionBus);
}

SessionWatcher::~SessionWatcher() = default;

void SessionWatcher::start()
{
    m_system.keepOpen(SdBusConnection::Bus::system);
    m_session.keepOpen(SdBusConnection::Bus::session);
}

void SessionWatcher::followSystemBus()
{
    sd_bus* bus = m_system.bus();
    sd_bus_match_signal_async(bus, nullptr, login1, "/org/freedesktop/login1",
                              "org.freedesktop.login1.Manager", "PrepareForSleep", &onSleep,
                              nullptr, this);
    // Our own session: the one the desktop named, else logind's choice for us,
    // which is the user's graphical session when we run outside any session
    // (started as a systemd user service).
    QByteArray id = qgetenv("XDG_SESSION_ID");
    if (id.isEmpty())
        id = "auto";
    m_system.callAsync(login1, "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                       "GetSession", &onSession, this, [id](sd_bus_message* call) {
                           return sd_bus_message_append(call, "s", id.constData());
                       });
}

void SessionWatcher::followSessionBus()
{
    sd_bus* bus = m_session.bus();
    for (const char* name : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"}) {
        sd_bus_match_signal_async(bus, nullptr, nullptr, nullptr, name, "ActiveChanged",
                                  &onScreenSaver, nullptr, this);
        // Asked after the match, so that no change falls between the two.
        const QByteArray path = '/' + QByteArray(name).replace('.', '/');
        m_session.callAsync(name, path.constData(), name, "GetActive", &onScreenSaver, this);
    }
}

int SessionWatcher::onSession(sd_bus_message* reply, void* self, sd_bus_error*)
{
    const char* path = nullptr;
    if (sd_bus_message_is_method_error(reply, nullptr) ||
        sd_bus_message_read(reply, "o", &path) < 0)
        return 0;
    sd_bus* bus = sd_bus_message_get_bus(reply);
    sd_bus_match_signal_async(bus, nullptr, login1, path, sessionInterface, "Lock", &onLock,
                              nullptr, self);
    sd_bus_match_signal_async(bus, nullptr, login1, path, sessionInterface, "Unlock", &onUnlock,
                              nullptr, self);
    sd_bus_match_signal_async(bus, nullptr, login1, path, "org.freedesktop.DBus.Properties",
                              "PropertiesChanged", &onSessionProperties, nullptr, self);
    watcher(self)->m_system.callAsync(login1, path, "org.freedesktop.DBus.Properties", "Get",
                                      &onLockedHint, self, [](sd_bus_message* call) {
                                          return sd_bus_message_append(call, "ss", sessionInterface,
                                                                       "LockedHint");
                                      });
    return 0;
}

int SessionWatcher::onLockedHint(sd_bus_message* reply, void* self, sd_bus_error*)
{
    int locked = 0;
    if (!sd_bus_message_is_method_error(reply, nullptr) &&
        sd_bus_message_read(reply, "v", "b", &locked) >= 0)
        watcher(self)->reportLock(locked);
    return 0;
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
    if (!sd_bus_message_is_method_error(message, nullptr) &&
        sd_bus_message_read(message, "b", &active) >= 0)
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
