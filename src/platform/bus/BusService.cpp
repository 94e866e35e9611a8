#include "BusService.h"

#include <memory>
#include <string>
#include <systemd/sd-bus.h>
#include <unistd.h>
#include <utility>

namespace {

int appendBasic(sd_bus_message* message, char type, const QVariant& value)
{
    switch (type) {
    case 's':
        return sd_bus_message_append_basic(message, 's', value.toString().toUtf8().constData());
    case 'i': {
        const int32_t number = value.toInt();
        return sd_bus_message_append_basic(message, 'i', &number);
    }
    case 'b': {
        const int truth = value.toBool();
        return sd_bus_message_append_basic(message, 'b', &truth);
    }
    default: {
        const int64_t number = value.toLongLong();
        return sd_bus_message_append_basic(message, 'x', &number);
    }
    }
}

int readBasic(sd_bus_message* message, char type, QVariant& value)
{
    union {
        const char* text;
        int32_t number;
        int truth;
        int64_t wide;
    } read{};
    const int r = sd_bus_message_read_basic(message, type, &read);
    if (r <= 0)
        return r < 0 ? r : -EINVAL;
    if (type == 's')
        value = QString::fromUtf8(read.text);
    else if (type == 'i')
        value = read.number;
    else if (type == 'b')
        value = bool(read.truth);
    else
        value = qint64(read.wide);
    return r;
}

std::string senderOf(sd_bus_message* message)
{
    const char* sender = sd_bus_message_get_sender(message);
    return sender ? sender : "";
}

// A bus that admits other users (a permissive policy) must not let them
// drive the user's timer.
int refuse(sd_bus_error* error)
{
    return sd_bus_error_set(error, SD_BUS_ERROR_ACCESS_DENIED,
                            "Zembrak takes calls from the user it runs for only");
}

} // namespace

struct BusService::Interface
{
    QByteArray name;
    QByteArray path;
    std::vector<Method> methods;
    std::vector<Property> properties;
    std::vector<Signal> sent;
    std::vector<sd_bus_vtable> vtable;
    BusService* service = nullptr;

    static int call(sd_bus_message* message, void* userdata, sd_bus_error* error);
    int dispatch(sd_bus_message* message, sd_bus_error* error) const;
    static int get(sd_bus* bus, const char* path, const char* interface, const char* property,
                   sd_bus_message* reply, void* userdata, sd_bus_error* error);
};

int BusService::Interface::call(sd_bus_message* message, void* userdata, sd_bus_error* error)
{
    auto* self = static_cast<Interface*>(userdata);
    BusService* service = self->service;
    const std::string sender = senderOf(message);
    if (const auto known = service->m_callers.find(sender); known != service->m_callers.end())
        return known->second ? self->dispatch(message, error) : refuse(error);
    // Whose call this is only the daemon knows: asked without waiting, the
    // call is answered once it has said.
    struct Pending
    {
        Interface* interface;
        sd_bus_message* call;
    };
    auto* pending = new Pending{self, sd_bus_message_ref(message)};
    const int r = sd_bus_call_method_async(
        sd_bus_message_get_bus(message), nullptr, "org.freedesktop.DBus", "/org/freedesktop/DBus",
        "org.freedesktop.DBus", "GetConnectionUnixUser",
        [](sd_bus_message* reply, void* userdata, sd_bus_error*) {
            std::unique_ptr<Pending> pending(static_cast<Pending*>(userdata));
            uint32_t uid = 0;
            const bool own = !sd_bus_message_is_method_error(reply, nullptr) &&
                             sd_bus_message_read_basic(reply, 'u', &uid) > 0 && uid == geteuid();
            BusService* service = pending->interface->service;
            // Unique names are never given twice on one bus; the list is kept short.
            if (service->m_callers.size() > 256)
                service->m_callers.clear();
            service->m_callers[senderOf(pending->call)] = own;
            sd_bus_error error = SD_BUS_ERROR_NULL;
            const int done =
                own ? pending->interface->dispatch(pending->call, &error) : refuse(&error);
            if (done < 0)
                sd_bus_error_is_set(&error)
                    ? sd_bus_reply_method_error(pending->call, &error)
                    : sd_bus_reply_method_errno(pending->call, done, nullptr);
            sd_bus_error_free(&error);
            sd_bus_message_unref(pending->call);
            service->m_connection.flush();
            return 0;
        },
        pending, "s", sender.c_str());
    if (r < 0) {
        sd_bus_message_unref(pending->call);
        delete pending;
        return r;
    }
    return 1;
}

int BusService::Interface::dispatch(sd_bus_message* message, sd_bus_error* error) const
{
    const QByteArray member = sd_bus_message_get_member(message);
    for (const Method& method : methods) {
        if (method.name != member)
            continue;
        if (method.answer) {
            sd_bus_message* reply = nullptr;
            int r = sd_bus_message_new_method_return(message, &reply);
            if (r >= 0)
                r = method.answer(message, reply);
            if (r >= 0)
                r = sd_bus_send(nullptr, reply, nullptr);
            sd_bus_message_unref(reply);
            return r;
        }
        QVariantList arguments(method.signature.size());
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const int r = readBasic(message, method.signature[i], arguments[i]);
            if (r < 0)
                return r;
        }
        if (const std::optional<Error> refused = method.call(arguments))
            return sd_bus_error_set(error, refused->name.toUtf8().constData(),
                                    refused->text.toUtf8().constData());
        return sd_bus_reply_method_return(message, "");
    }
    return sd_bus_error_set(error, SD_BUS_ERROR_UNKNOWN_METHOD, member.constData());
}

int BusService::Interface::get(sd_bus*, const char*, const char*, const char* property,
                               sd_bus_message* reply, void* userdata, sd_bus_error* error)
{
    const auto* self = static_cast<const Interface*>(userdata);
    for (const Property& p : self->properties) {
        if (p.name == property)
            return p.append ? p.append(reply) : appendBasic(reply, p.signature[0], p.get());
    }
    return sd_bus_error_set(error, SD_BUS_ERROR_UNKNOWN_PROPERTY, property);
}

BusService::BusService(const QString& name, const QString& path, SdBusConnection& connection,
                       QObject* parent)
    : QObject(parent), m_name(name.toUtf8()), m_path(path.toUtf8()), m_connection(connection)
{
    connect(&m_connection, &SdBusConnection::opened, this, [this] {
        for (Interface& interface : m_interfaces)
            exportOn(interface);
    });
    m_connection.follow(this, [this] {
        m_callers.clear(); // names of the bus before
        if (m_started)
            requestName();
    });
}

BusService::~BusService()
{
    // The connection stays with the program's other parts: the name goes now.
    if (m_started && m_connection.isReady()) {
        sd_bus_release_name_async(m_connection.bus(), nullptr, m_name.constData(), nullptr,
                                  nullptr);
        m_connection.flush();
    }
}

void BusService::requestName()
{
    // Queued behind an owner that is leaving rather than refused.
    sd_bus_request_name_async(
        m_connection.bus(), m_slots.add(), m_name.constData(), 0,
        [](sd_bus_message* reply, void* self, sd_bus_error*) {
            constexpr uint32_t primaryOwner = 1, alreadyOwner = 4;
            uint32_t answer = 0;
            if (!sd_bus_message_is_method_error(reply, nullptr) &&
                sd_bus_message_read_basic(reply, 'u', &answer) > 0 &&
                (answer == primaryOwner || answer == alreadyOwner))
                Q_EMIT static_cast<BusService*>(self)->nameAcquired();
            return 0;
        },
        this);
    m_connection.flush();
}

void BusService::addInterface(const QString& name, std::vector<Method> methods,
                              std::vector<Property> properties, std::vector<Signal> sent,
                              const QString& path)
{
    Interface& interface = m_interfaces.emplace_back();
    interface.service = this;
    interface.name = name.toUtf8();
    interface.path = path.isEmpty() ? m_path : path.toUtf8();
    interface.methods = std::move(methods);
    interface.properties = std::move(properties);
    interface.sent = std::move(sent);
    interface.vtable.push_back(SD_BUS_VTABLE_START(0));
    for (const Method& m : interface.methods)
        interface.vtable.push_back(SD_BUS_METHOD(m.name.constData(), m.signature.constData(),
                                                 m.result.constData(), &Interface::call,
                                                 SD_BUS_VTABLE_UNPRIVILEGED));
    for (const Property& p : interface.properties)
        interface.vtable.push_back(SD_BUS_PROPERTY(p.name.constData(), p.signature.constData(),
                                                   &Interface::get, 0,
                                                   SD_BUS_VTABLE_PROPERTY_EMITS_CHANGE));
    for (const Signal& signal : interface.sent)
        interface.vtable.push_back(
            SD_BUS_SIGNAL(signal.name.constData(), signal.signature.constData(), 0));
    interface.vtable.push_back(SD_BUS_VTABLE_END);
    if (m_connection.isOpen())
        exportOn(interface);
}

void BusService::exportOn(Interface& interface)
{
    sd_bus_add_object_vtable(m_connection.bus(), m_slots.add(), interface.path.constData(),
                             interface.name.constData(), interface.vtable.data(), &interface);
}

const BusService::Interface* BusService::find(const QString& interfaceName) const
{
    const QByteArray name = interfaceName.toUtf8();
    for (const Interface& interface : m_interfaces) {
        if (interface.name == name)
            return &interface;
    }
    return nullptr;
}

bool BusService::start()
{
    if (!std::exchange(m_started, true) && m_connection.isReady())
        requestName();
    return m_connection.isOpen();
}

void BusService::announce(const QString& interfaceName, const QStringList& properties)
{
    const Interface* interface = find(interfaceName);
    if (!m_connection.isReady() || !interface)
        return;
    std::vector<QByteArray> names;
    for (const QString& property : properties)
        names.push_back(property.toUtf8());
    std::vector<char*> list;
    for (QByteArray& name : names)
        list.push_back(name.data());
    list.push_back(nullptr);
    sd_bus_emit_properties_changed_strv(m_connection.bus(), interface->path.constData(),
                                        interface->name.constData(), list.data());
    m_connection.flush();
}

void BusService::send(const QString& interfaceName, const QByteArray& signal,
                      const QVariantList& arguments)
{
    const Interface* interface = find(interfaceName);
    if (!interface)
        return;
    for (const Signal& s : interface->sent) {
        if (s.name != signal || s.signature.size() != arguments.size())
            continue;
        sendWith(interfaceName, signal, [&](sd_bus_message* message) {
            int r = 0;
            for (qsizetype i = 0; i < arguments.size() && r >= 0; ++i)
                r = appendBasic(message, s.signature[i], arguments[i]);
            return r;
        });
        return;
    }
}

void BusService::sendWith(const QString& interfaceName, const QByteArray& signal,
                          const std::function<int(sd_bus_message* message)>& append)
{
    const Interface* interface = find(interfaceName);
    if (!m_connection.isReady() || !interface)
        return;
    sd_bus_message* message = nullptr;
    if (sd_bus_message_new_signal(m_connection.bus(), &message, interface->path.constData(),
                                  interface->name.constData(), signal.constData()) < 0)
        return;
    if (append(message) >= 0)
        sd_bus_send(m_connection.bus(), message, nullptr);
    sd_bus_message_unref(message);
    m_connection.flush();
}
