#include "BusCalls.h"

#include "SdBusConnection.h"

#include <QTimer>

#include <systemd/sd-bus.h>

struct BusCalls::Pending
{
    std::weak_ptr<int> waiting;
    Answer answer;
    bool answered = false;
};

void BusCalls::call(const char* destination, const char* path, const char* interface,
                    const char* member, Answer answer, const Append& append, Start start)
{
    sd_bus* bus = m_connection.bus();
    sd_bus_message* message = nullptr;
    sd_bus_slot* slot = nullptr;
    auto* pending = new Pending{m_waiting, std::move(answer)};
    const bool sent =
        bus &&
        sd_bus_message_new_method_call(bus, &message, destination, path, interface, member) >= 0 &&
        sd_bus_message_set_auto_start(message, start == Start::onDemand) >= 0 &&
        (!append || append(message) >= 0) &&
        sd_bus_call_async(bus, &slot, message, &BusCalls::onReply, pending,
                          std::uint64_t(m_replyTimeout.count()) * 1000u) >= 0;
    sd_bus_message_unref(message);
    if (!sent) {
        Answer unsent = std::move(pending->answer);
        delete pending;
        unsent(nullptr);
        return;
    }
    ++*m_waiting;
    // The bus owns the call from here; what it drops unanswered is freed with it.
    sd_bus_slot_set_destroy_callback(slot, [](void* userdata) {
        auto* dropped = static_cast<Pending*>(userdata);
        const std::shared_ptr<int> waiting = dropped->waiting.lock();
        if (waiting && !dropped->answered) {
            // The connection went with the call: answered as unanswered, once the
            // bus is no longer in the middle of going.
            --*waiting;
            QTimer::singleShot(0, [alive = dropped->waiting, answer = std::move(dropped->answer)] {
                if (!alive.expired())
                    answer(nullptr);
            });
        }
        delete dropped;
    });
    sd_bus_slot_set_floating(slot, 1);
    sd_bus_slot_unref(slot);
    m_connection.flush();
}

int BusCalls::onReply(sd_bus_message* reply, void* userdata, sd_bus_error*)
{
    auto* pending = static_cast<Pending*>(userdata);
    const std::shared_ptr<int> waiting = pending->waiting.lock();
    if (!waiting || pending->answered)
        return 0;
    pending->answered = true;
    --*waiting;
    // The slot frees the call once this returns; the answer may make new calls.
    Answer answer = std::move(pending->answer);
    answer(reply);
    return 0;
}

void BusCalls::getBoolean(const char* path, const char* interface, const char* property,
                          std::function<void(std::optional<bool>)> answer)
{
    call(
        notificationServer, path, properties, "Get",
        [answer = std::move(answer)](sd_bus_message* reply) { answer(variantBoolean(reply)); },
        [interface, property](sd_bus_message* m) {
            return sd_bus_message_append(m, "ss", interface, property);
        });
}

void BusCalls::finish(std::chrono::milliseconds within)
{
    sd_bus* bus = m_connection.bus();
    const auto until = std::chrono::steady_clock::now() + within;
    while (bus && *m_waiting > 0) {
        const auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return;
        const int r = sd_bus_process(bus, nullptr);
        if (r < 0)
            return;
        if (r == 0 &&
            sd_bus_wait(bus, std::chrono::duration_cast<std::chrono::microseconds>(left).count()) <
                0)
            return;
    }
}

bool BusCalls::succeeded(sd_bus_message* reply)
{
    return reply && !sd_bus_message_is_method_error(reply, nullptr);
}

std::optional<bool> BusCalls::variantBoolean(sd_bus_message* reply)
{
    int value = 0;
    if (!succeeded(reply) || sd_bus_message_read(reply, "v", "b", &value) < 0)
        return std::nullopt;
    return value != 0;
}

bool BusCalls::readMembers(sd_bus_message* message,
                           const std::function<bool(const char* key, sd_bus_message*)>& read)
{
    if (sd_bus_message_enter_container(message, 'a', "{sv}") <= 0)
        return false;
    int r;
    while ((r = sd_bus_message_enter_container(message, 'e', "sv")) > 0) {
        const char* key = nullptr;
        if (sd_bus_message_read_basic(message, 's', &key) <= 0)
            return false;
        if (!read(key, message) && sd_bus_message_skip(message, "v") < 0)
            return false;
        if (sd_bus_message_exit_container(message) < 0)
            return false;
    }
    return r >= 0 && sd_bus_message_exit_container(message) >= 0;
}
