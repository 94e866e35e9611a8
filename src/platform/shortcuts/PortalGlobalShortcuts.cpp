#include "PortalGlobalShortcuts.h"

#include "GlobalShortcutsPortal.h"
#include "KeySymbols.h"
#include "PortalRequest.h"
#include "platform/RunLoop.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {

constexpr int kAvailabilityTimeoutMs = 3000;

QString objectPath(const QVariant& value)
{
    // The interface's first version sent the session handle as a string.
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

PortalGlobalShortcuts::PortalGlobalShortcuts(Defaults& store, const QDBusConnection& connection)
    : GlobalShortcuts(store), m_connection(connection)
{
    PortalShortcut::registerMetaTypes();
    m_portal = std::make_unique<GlobalShortcutsPortal>(connection);
    connect(m_portal.get(), &GlobalShortcutsPortal::Activated, this,
            [this](const QDBusObjectPath& session, const QString& id) {
                if (session == m_session && m_sessionKeys.contains(id))
                    activate(id);
            });
}

PortalGlobalShortcuts::~PortalGlobalShortcuts()
{
    closeSession();
}

bool PortalGlobalShortcuts::isAvailable(const QDBusConnection& connection)
{
    if (!connection.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        PortalRequest::service, GlobalShortcutsPortal::path,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << GlobalShortcutsPortal::interfaceName << QStringLiteral("version");
    return connection.call(get, QDBus::Block, kAvailabilityTimeoutMs).type() ==
           QDBusMessage::ReplyMessage;
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
        closeSession();
        if (!grabbedCombinations().isEmpty())
            createSession();
    });
}

void PortalGlobalShortcuts::closeSession()
{
    dropRequest(); // an answer still due belongs to the old set
    if (m_session.path().isEmpty())
        return;
    m_connection.send(QDBusMessage::createMethodCall(
        PortalRequest::service, m_session.path(), QStringLiteral("org.freedesktop.portal.Session"),
        QStringLiteral("Close")));
    m_session = QDBusObjectPath();
    m_sessionKeys.clear();
}

QString PortalGlobalShortcuts::nextToken()
{
    return QStringLiteral("zembrak%1").arg(++m_tokens);
}

template <typename Call, typename Answer>
void PortalGlobalShortcuts::request(const QString& token, Call call, Answer answer)
{
    if (!m_connection.isConnected()) {
        setAllStatuses(Status::unavailable);
        return;
    }
    const QString path = PortalRequest::pathFor(m_connection, QStringLiteral("request"), token);
    m_request = std::make_unique<PortalRequest>(path, m_connection);
    connect(m_request.get(), &PortalRequest::Response, this, answer);
    const unsigned made = ++m_requests;
    auto* watcher = new QDBusPendingCallWatcher(call(), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, made, path, answer] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (!m_request || made != m_requests)
            return; // given up meanwhile
        if (reply.isError()) {
            m_request.reset();
            setAllStatuses(m_session.path().isEmpty() ? Status::unavailable : Status::refused);
        } else if (reply.value().path() != path) {
            // A portal older than the token rule chose the path itself.
            m_request = std::make_unique<PortalRequest>(reply.value().path(), m_connection);
            connect(m_request.get(), &PortalRequest::Response, this, answer);
        }
    });
}

void PortalGlobalShortcuts::createSession()
{
    const QString token = nextToken();
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("session_handle_token"), nextToken()}};
    request(
        token, [this, options] { return m_portal->CreateSession(options); },
        &PortalGlobalShortcuts::sessionCreated);
}

void PortalGlobalShortcuts::dropRequest()
{
    // Called from the request's own signal: it goes once that has returned.
    if (m_request)
        m_request.release()->deleteLater();
}

void PortalGlobalShortcuts::sessionCreated(uint response, const QVariantMap& results)
{
    dropRequest();
    const QString session = objectPath(results.value(QStringLiteral("session_handle")));
    if (response != 0 || session.isEmpty()) {
        setAllStatuses(Status::refused);
        return;
    }
    m_session = QDBusObjectPath(session);
    bindShortcuts();
}

void PortalGlobalShortcuts::bindShortcuts()
{
    PortalShortcutList shortcuts;
    const QHash<QString, QKeyCombination> wanted = grabbedCombinations();
    m_sessionKeys = wanted.keys();
    for (const QString& key : std::as_const(m_sessionKeys)) {
        QVariantMap properties{{QStringLiteral("description"), description(key)}};
        const QString trigger = KeySymbols::trigger(wanted.value(key));
        if (!trigger.isEmpty())
            properties.insert(QStringLiteral("preferred_trigger"), trigger);
        shortcuts.append({key, properties});
    }
    const QString token = nextToken();
    const QVariantMap options{{QStringLiteral("handle_token"), token}};
    request(
        token,
        [this, shortcuts, options] {
            return m_portal->BindShortcuts(m_session, shortcuts, QString(), options);
        },
        &PortalGlobalShortcuts::shortcutsBound);
}

void PortalGlobalShortcuts::shortcutsBound(uint response, const QVariantMap& results)
{
    dropRequest();
    if (response != 0) {
        setAllStatuses(Status::refused);
        return;
    }
    PortalShortcutList bound;
    results.value(QStringLiteral("shortcuts")).value<QDBusArgument>() >> bound;
    for (const QString& key : std::as_const(m_sessionKeys)) {
        const bool accepted = std::any_of(bound.cbegin(), bound.cend(),
                                          [&key](const PortalShortcut& s) { return s.id == key; });
        setStatus(key, accepted ? Status::active : Status::refused);
    }
}

void PortalGlobalShortcuts::setAllStatuses(Status status)
{
    const QHash<QString, QKeyCombination> wanted = grabbedCombinations();
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        setStatus(it.key(), status);
}
