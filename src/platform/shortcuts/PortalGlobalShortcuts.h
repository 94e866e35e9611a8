#pragma once

#include "GlobalShortcuts.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <memory>

class GlobalShortcutsPortal;
class PortalRequest;

// Global shortcuts through the desktop portal (Wayland sessions): one portal
// session holds every bound combination, each offered as the preferred
// trigger of the shortcut whose id is its defaults key; the desktop may let
// the user choose another. Any change opens a new session with the whole set,
// which every version of the interface accepts.
class PortalGlobalShortcuts : public GlobalShortcuts
{
    Q_OBJECT

public:
    PortalGlobalShortcuts(Defaults& store, const QDBusConnection& connection);
    ~PortalGlobalShortcuts() override;

    // Whether a portal on the bus offers the GlobalShortcuts interface.
    static bool isAvailable(const QDBusConnection& connection);

protected:
    void grab(const QString& key, const QString& description,
              const QKeyCombination& combination) override;
    void release(const QString& key) override;

private:
    void scheduleBind();
    void closeSession();
    void createSession();
    void bindShortcuts();
    // Listens for the answer of a call made with token, then makes it.
    template <typename Call, typename Answer>
    void request(const QString& token, Call call, Answer answer);
    void dropRequest();
    void sessionCreated(uint response, const QVariantMap& results);
    void shortcutsBound(uint response, const QVariantMap& results);
    void setAllStatuses(Status status);
    QString nextToken();

    QDBusConnection m_connection;
    std::unique_ptr<GlobalShortcutsPortal> m_portal;
    std::unique_ptr<PortalRequest> m_request;
    QDBusObjectPath m_session;
    QStringList m_sessionKeys;
    bool m_bindPending = false;
    unsigned m_tokens = 0;
    unsigned m_requests = 0;
};
