#pragma once

#include "NotificationSilence.h"
#include "platform/bus/BusCalls.h"

#include <memory>

// Finds the way to hold notifications on this desktop at run time: the
// notification server says whose it is, and that desktop's own interface must
// then answer.
class NotificationSilenceChooser
{
public:
    using Chosen = std::function<void(std::shared_ptr<NotificationSilence> silence)>;

    explicit NotificationSilenceChooser(SdBusConnection& connection)
        : m_connection(connection), m_calls(connection)
    {}

    // Answers nullptr where no backend answers.
    void choose(Chosen chosen);
    // The backend of that name (as kept in the store), or nullptr.
    std::shared_ptr<NotificationSilence> named(const QString& name) const;
    // The backend for the server that calls itself serverName, or nullptr.
    std::shared_ptr<NotificationSilence> forServer(const QString& serverName) const;

private:
    SdBusConnection& m_connection;
    BusCalls m_calls;
};
