#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <systemd/sd-bus.h>

class SdBusConnection;

// Method calls on a connection shared with others, each answered to a
// function: with the reply, an error reply when refused or unanswered in
// time, or nullptr when it could not be sent. An answer that comes after this
// object is gone goes nowhere.
class BusCalls
{
public:
    using Answer = std::function<void(sd_bus_message* reply)>;
    using Append = std::function<int(sd_bus_message* call)>;

    static constexpr const char* notificationServer = "org.freedesktop.Notifications";
    static constexpr const char* notificationPath = "/org/freedesktop/Notifications";
    static constexpr const char* properties = "org.freedesktop.DBus.Properties";

    // A desktop that has not answered within replyTimeout is taken as one that will not.
    explicit BusCalls(SdBusConnection& connection,
                      std::chrono::milliseconds replyTimeout = std::chrono::seconds(3))
        : m_connection(connection), m_replyTimeout(replyTimeout)
    {}

    enum class Start
    {
        never,
        // A service the bus starts on demand, such as the desktop portal.
        onDemand
    };

    void call(const char* destination, const char* path, const char* interface, const char* member,
              Answer answer, const Append& append = {}, Start start = Start::never);
    // Properties.Get of a Boolean on the notification server.
    void getBoolean(const char* path, const char* interface, const char* property,
                    std::function<void(std::optional<bool>)> answer);
    // Turns the connection until every call is answered or within has passed.
    void finish(std::chrono::milliseconds within);

    static bool succeeded(sd_bus_message* reply);
    // A variant holding a Boolean, as Properties.Get answers.
    static std::optional<bool> variantBoolean(sd_bus_message* reply);
    // Walks a dictionary a{sv} at the message's place: read is given each key
    // with the message at its variant, and says whether it read the variant
    // (else it is skipped). False when the message is not such a dictionary.
    static bool readMembers(sd_bus_message* message,
                            const std::function<bool(const char* key, sd_bus_message*)>& read);

private:
    struct Pending;
    static int onReply(sd_bus_message* reply, void* userdata, sd_bus_error* error);

    SdBusConnection& m_connection;
    const std::chrono::milliseconds m_replyTimeout;
    // How many calls wait for a reply; each call holds it weakly.
    const std::shared_ptr<int> m_waiting = std::make_shared<int>(0);
};
