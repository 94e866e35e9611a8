#pragma once

#include "BusSlots.h"
#include "SdBusConnection.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <chrono>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct sd_bus_vtable;
struct sd_bus_message;

// A well-known name on the session bus and the objects behind it, served on
// the connection the program shares. When the session's bus restarts, the
// name and the objects come back on the new one. Arguments, properties and
// signals are of the basic types s, x, i and b unless a method, a property or
// a signal reads or writes its own values.
class BusService : public QObject
{
    Q_OBJECT

public:
    struct Error
    {
        QString name;
        QString text;
    };
    struct Method
    {
        QByteArray name;
        QByteArray signature; // of its arguments
        // Done, or the error to answer with.
        std::function<std::optional<Error>(const QVariantList& arguments)> call;
        // Of the reply, for a method that answers with values.
        QByteArray result = {};
        // Reads arguments of any type from the call and writes the reply, in
        // place of call; a negative errno refuses the call.
        std::function<int(sd_bus_message* call, sd_bus_message* reply)> answer = {};
    };
    struct Property
    {
        QByteArray name;
        QByteArray signature;
        std::function<QVariant()> get;
        // Writes a value of a type that is not basic, in place of get.
        std::function<int(sd_bus_message* reply)> append = {};
    };
    struct Signal
    {
        QByteArray name;
        QByteArray signature;
    };

    BusService(const QString& name, const QString& path,
               SdBusConnection& connection = SdBusConnection::session(), QObject* parent = nullptr);
    ~BusService() override;

    // On the service's object, or on another object of the same connection at path.
    void addInterface(const QString& name, std::vector<Method> methods,
                      std::vector<Property> properties = {}, std::vector<Signal> sent = {},
                      const QString& path = QString());
    // Asks for the name, now or once the bus has greeted us; false when no bus is open now.
    bool start();
    // PropertiesChanged with the current values of these properties.
    void announce(const QString& interfaceName, const QStringList& properties);
    // One of the interface's signals, its arguments as its signature says;
    // nothing when no bus is reached now.
    void send(const QString& interfaceName, const QByteArray& signal,
              const QVariantList& arguments);
    // A signal whose arguments append writes.
    void sendWith(const QString& interfaceName, const QByteArray& signal,
                  const std::function<int(sd_bus_message* message)>& append);
    QString name() const { return QString::fromUtf8(m_name); }
    // For the service's own calls and matches, once the name is held.
    SdBusConnection& connection() { return m_connection; }

Q_SIGNALS:
    // The name is ours on this connection (again after a reconnection).
    void nameAcquired();

private:
    struct Interface;

    void exportOn(Interface& interface);
    void requestName();
    const Interface* find(const QString& interfaceName) const;

    QByteArray m_name;
    QByteArray m_path;
    std::list<Interface> m_interfaces; // where the bus's calls point
    // Callers by unique name: whether each runs as our user.
    std::unordered_map<std::string, bool> m_callers;
    SdBusConnection& m_connection;
    BusSlots m_slots{m_connection};
    bool m_started = false;
};
