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

    explicit BusCalls(SdBusConnection& connection) : m_connection(connection) {}

    void call(const char* destination, const char* path, const char* interface, const char* member,
              Answer answer, const Append& append = {});
    // Properties.Get of a Boolean on the notification server.
    void getBoolean(const char* path, const char* interface, const char* property,
                    std::function<void(std::optional<bool>)> answer);
    // Turns the connection until every call is answered or within has passed.
    void finish(std::chrono::milliseconds within);

    static bool succeeded(sd_bus_message* reply);
    // A variant holding a Boolean, as Properties.Get answers.
    static std::optional<bool> variantBoolean(sd_bus_message* reply);

private:
    struct Pending;
    static int onReply(sd_bus_message* reply, void* userdata, sd_bus_error* error);

    SdBusConnection& m_connection;
    // How many calls wait for a reply; each call holds it weakly.
    const std::shared_ptr<int> m_waiting = std::make_shared<int>(0);
};
