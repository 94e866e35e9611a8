#include "PortalGlobalShortcuts.h"

#include "KeySymbols.h"
#include "platform/RunLoop.h"

#include <utility>

namespace {

constexpr char portal[] = "org.freedesktop.portal.Desktop";
constexpr char desktopPath[] = "/org/freedesktop/portal/desktop";
constexpr char interfaceName[] = "org.freedesktop.portal.GlobalShortcuts";
constexpr std::chrono::seconds availabilityTimeout{3};

// a{sv} with string values only, as the portal's options are.
int appendOptions(sd_bus_message* message, const QList<std::pair<const char*, QByteArray>>& options)
{
    int r = sd_bus_message_open_container(message, 'a', "{sv}");
    for (const auto& [key, value] : options) {
        if (r >= 0)
            r = sd_bus_message_append(message, "{sv}", key, "s", value.constData());
    }
    return r < 0 ? r : sd_bus_message_close_container(message);
}

// The ids of the a(sa{sv}) the variant at the message's place holds.
QStringList shortcutIds(sd_bus_message* message)
{
    QStringList ids;
    if (sd_bus_message_enter_container(message, 'v', "a(sa{sv})") <= 0 ||
        sd_bus_message_enter_container(message, 'a', "(sa{sv})") <= 0)
        return ids;
    while (sd_bus_message_enter_container(message, 'r', "sa{sv}") > 0) {
        const char* id = nullptr;
        if (sd_bus_message_read_basic(message, 's', &id) <= 0 ||
            sd_bus_message_skip(message, "a{sv}") < 0 || sd_bus_message_exit_container(message) < 0)
            break;
        ids.append(QString::fromUtf8(id));
    }
    return ids;
}

} // namespace

PortalGlobalShortcuts::PortalGlobalShortcuts(Defaults& store, SdBusConnection& connection)
    : GlobalShortcuts(store), m_connection(connection)
{
    m_connection.follow(this, [this] {
        sd_bus_match_signal_async(m_connection.bus(), m_slots.add(), portal, desktopPath,
                                  interfaceName, "Activated", &onActivated, nullptr, this);
        // Bound once greeted; and a portal session lives on the connection that
        // made it, so a new bus needs a new one.
        if (!grabbedCombinations().isEmpty())
            rebind();
    });
}

PortalGlobalShortcuts::~PortalGlobalShortcuts()
{
    closeSession();
}

bool PortalGlobalShortcuts::isAvailable(SdBusConnection& connection)
{
    sd_bus_message* reply = connection.callAndWait(
        portal, desktopPath, "org.freedesktop.DBus.Properties", "Get", availabilityTimeout,
        [](sd_bus_message* call) {
            return sd_bus_message_append(call, "ss", interfaceName, "version");
        });
    sd_bus_message_unref(reply);
    return reply != nullptr;
}

int PortalGlobalShortcuts::onActivated(sd_bus_message* message, void* self, sd_bus_error*)
{
    auto* shortcuts = static_cast<PortalGlobalShortcuts*>(self);
    const char* session = nullptr;
    const char* id = nullptr;
    if (sd_bus_message_read(message, "os", &session, &id) > 0 && session == shortcuts->m_session &&
        shortcuts->m_sessionKeys.contains(QString::fromUtf8(id)))
        shortcuts->activate(QString::fromUtf8(id));
    return 0;
}

void PortalGlobalShortcuts::grab(const QString&, const QString&, const QKeyCombination&)
{
    scheduleBind();
}

void PortalGlobalShortcuts::release(const QString& key)
{
    m_sessionKeys.removeAll(key);
    scheduleBind();
}

void PortalGlobalShortcuts::scheduleBind()
{
    // Binding at launch asks for several keys in a row: one session for all.
    if (m_bindPending)
        return;
    m_bindPending = true;
    RunLoop::main().post(this, [this] {
        m_bindPending = false;
        rebind();
    });
}

void PortalGlobalShortcuts::rebind()
{
    closeSession();
    if (!grabbedCombinations().isEmpty())
        createSession();
}

void PortalGlobalShortcuts::closeSession()
{
    dropRequest(); // an answer still due belongs to the old set
    if (m_session.isEmpty())
        return;
    m_calls.call(portal, m_session.constData(), "org.freedesktop.portal.Session", "Close",
                 [](sd_bus_message*) {});
    m_session.clear();
    m_sessionKeys.clear();
}

QByteArray PortalGlobalShortcuts::nextToken()
{
    return "zembrak" + QByteArray::number(++m_tokens);
}

void PortalGlobalShortcuts::listen(const QByteArray& path, Answer answer)
{
    dropRequest();
    m_request = std::make_unique<BusSlots>(m_connection);
    m_answer = answer;
    sd_bus_match_signal_async(m_connection.bus(), m_request->add(), portal, path.constData(),
                              "org.freedesktop.portal.Request", "Response", &onResponse, nullptr,
                              this);
}

int PortalGlobalShortcuts::onResponse(sd_bus_message* message, void* self, sd_bus_error*)
{
    auto* shortcuts = static_cast<PortalGlobalShortcuts*>(self);
    std::uint32_t response = 2;
    if (!shortcuts->m_request || sd_bus_message_read_basic(message, 'u', &response) <= 0)
        return 0;
    const Answer answer = shortcuts->m_answer;
    (shortcuts->*answer)(response, message);
    return 0;
}

void PortalGlobalShortcuts::request(const QByteArray& token, const char* method,
                                    const BusCalls::Append& append, Answer answer)
{
    // The portal puts the request where the caller's name and the token say:
    // listened to before the call, no answer can come first.
    const char* unique = nullptr;
    if (!m_connection.isOpen()) {
        setAllStatuses(Status::unavailable);
        return;
    }
    if (!m_connection.isReady() || sd_bus_get_unique_name(m_connection.bus(), &unique) < 0)
        return; // asked once the bus has greeted us

    const QByteArray path = QByteArray(desktopPath) + "/request/" +
                            QByteArray(unique + 1).replace('.', '_') + '/' + token;
    listen(path, answer);
    const unsigned made = ++m_requests;
    m_calls.call(
        portal, desktopPath, interfaceName, method,
        [this, made, path, answer](sd_bus_message* reply) {
            if (!m_request || made != m_requests)
                return; // given up meanwhile
            const char* handle = nullptr;
            if (!BusCalls::succeeded(reply) ||
                sd_bus_message_read_basic(reply, 'o', &handle) <= 0) {
                dropRequest();
                setAllStatuses(m_session.isEmpty() ? Status::unavailable : Status::refused);
            } else if (path != handle) {
                // A portal older than the token rule chose the path itself.
                listen(handle, answer);
            }
        },
        append, BusCalls::Start::onDemand);
}

void PortalGlobalShortcuts::createSession()
{
    const QByteArray token = nextToken();
    const QByteArray sessionToken = nextToken();
    request(
        token, "CreateSession",
        [&](sd_bus_message* call) {
            return appendOptions(call,
                                 {{"handle_token", token}, {"session_handle_token", sessionToken}});
        },
        &PortalGlobalShortcuts::sessionCreated);
}

void PortalGlobalShortcuts::dropRequest()
{
    // Called from the request's own signal: it goes once that has returned.
    if (m_request)
        m_request.release()->deleteLater();
}

void PortalGlobalShortcuts::sessionCreated(std::uint32_t response, sd_bus_message* results)
{
    dropRequest();
    QByteArray session;
    BusCalls::readMembers(results, [&session](const char* key, sd_bus_message* m) {
        const char* handle = nullptr;
        // The interface's first version sent the handle as a string.
        if (qstrcmp(key, "session_handle") != 0 || (sd_bus_message_read(m, "v", "o", &handle) < 0 &&
                                                    sd_bus_message_read(m, "v", "s", &handle) < 0))
            return false;
        session = handle;
        return true;
    });
    if (response != 0 || session.isEmpty()) {
        setAllStatuses(Status::refused);
        return;
    }
    m_session = session;
    bindShortcuts();
}

void PortalGlobalShortcuts::bindShortcuts()
{
    const QHash<QString, QKeyCombination> wanted = grabbedCombinations();
    m_sessionKeys = wanted.keys();
    const QByteArray token = nextToken();
    request(
        token, "BindShortcuts",
        [&](sd_bus_message* call) {
            int r = sd_bus_message_append(call, "o", m_session.constData());
            if (r >= 0)
                r = sd_bus_message_open_container(call, 'a', "(sa{sv})");
            for (const QString& key : std::as_const(m_sessionKeys)) {
                const QByteArray trigger = KeySymbols::trigger(wanted.value(key)).toUtf8();
                QList<std::pair<const char*, QByteArray>> properties{
                    {"description", description(key).toUtf8()}};
                if (!trigger.isEmpty())
                    properties.append({"preferred_trigger", trigger});
                if (r >= 0)
                    r = sd_bus_message_open_container(call, 'r', "sa{sv}");
                if (r >= 0)
                    r = sd_bus_message_append_basic(call, 's', key.toUtf8().constData());
                if (r >= 0)
                    r = appendOptions(call, properties);
                if (r >= 0)
                    r = sd_bus_message_close_container(call);
            }
            if (r >= 0)
                r = sd_bus_message_close_container(call);
            if (r >= 0)
                r = sd_bus_message_append(call, "s", "");
            return r < 0 ? r : appendOptions(call, {{"handle_token", token}});
        },
        &PortalGlobalShortcuts::shortcutsBound);
}

void PortalGlobalShortcuts::shortcutsBound(std::uint32_t response, sd_bus_message* results)
{
    dropRequest();
    if (response != 0) {
        setAllStatuses(Status::refused);
        return;
    }
    QStringList bound;
    BusCalls::readMembers(results, [&bound](const char* key, sd_bus_message* m) {
        if (qstrcmp(key, "shortcuts") != 0)
            return false;
        bound = shortcutIds(m);
        return true;
    });
    for (const QString& key : std::as_const(m_sessionKeys))
        setStatus(key, bound.contains(key) ? Status::active : Status::refused);
}

void PortalGlobalShortcuts::setAllStatuses(Status status)
{
    const QHash<QString, QKeyCombination> wanted = grabbedCombinations();
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        setStatus(it.key(), status);
}
