#pragma once

#include "GlobalShortcuts.h"
#include "platform/bus/BusCalls.h"
#include "platform/bus/BusSlots.h"
#include "platform/bus/SdBusConnection.h"

#include <QByteArray>
#include <QStringList>
#include <memory>

// Global shortcuts through the desktop portal (Wayland sessions): one portal
// session holds every bound combination, each offered as the preferred
// trigger of the shortcut whose id is its defaults key; the desktop may let
// the user choose another. Any change opens a new session with the whole set,
// which every version of the interface accepts.
class PortalGlobalShortcuts : public GlobalShortcuts
{
    Q_OBJECT

public:
    explicit PortalGlobalShortcuts(Defaults& store,
                                   SdBusConnection& connection = SdBusConnection::session());
    ~PortalGlobalShortcuts() override;

    // Whether a portal on the bus offers the GlobalShortcuts interface; the
    // bus may start the portal to answer.
    static bool isAvailable(SdBusConnection& connection);

protected:
    void grab(const QString& key, const QString& description,
              const QKeyCombination& combination) override;
    void release(const QString& key) override;

private:
    using Answer = void (PortalGlobalShortcuts::*)(std::uint32_t response, sd_bus_message* results);

    void scheduleBind();
    void rebind();
    void closeSession();
    void createSession();
    void bindShortcuts();
    // Listens for the answer of a call made with token, then makes it.
    void request(const QByteArray& token, const char* method, const BusCalls::Append& append,
                 Answer answer);
    void listen(const QByteArray& path, Answer answer);
    void dropRequest();
    void sessionCreated(std::uint32_t response, sd_bus_message* results);
    void shortcutsBound(std::uint32_t response, sd_bus_message* results);
    static int onResponse(sd_bus_message* message, void* self, sd_bus_error*);
    static int onActivated(sd_bus_message* message, void* self, sd_bus_error*);
    void setAllStatuses(Status status);
    QByteArray nextToken();

    SdBusConnection& m_connection;
    BusSlots m_slots{m_connection};
    // The portal may be started to answer: it is given the bus's own time.
    BusCalls m_calls{m_connection, std::chrono::seconds(25)};
    // The Response of the request waiting, and what it goes to.
    std::unique_ptr<BusSlots> m_request;
    Answer m_answer = nullptr;
    QByteArray m_session;
    QStringList m_sessionKeys;
    bool m_bindPending = false;
    unsigned m_tokens = 0;
    unsigned m_requests = 0;
};
