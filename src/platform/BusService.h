#pragma once

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
#include <vector>

struct sd_bus_vtable;

// A well-known name on the session bus and the one object behind it, served
// from the GUI thread's own connection. When the session's bus restarts, the
// name and the object come back on the new one.
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
        QByteArray signature; // of its argument: none, or "x"
        // Done, or the error to answer with.
        std::function<std::optional<Error>(qint64 argument)> call;
    };
    struct Property
    {
        QByteArray name;
        QByteArray signature; // "s" or "x"
        std::function<QVariant()> get;
    };
    struct Signal
    {
        QByteArray name;
        QByteArray signature; // of "s" and "x" only
    };

    BusService(const QString& name, const QString& path, QObject* parent = nullptr);
    ~BusService() override;

    void addInterface(const QString& name, std::vector<Method> methods,
                      std::vector<Property> properties = {}, std::vector<Signal> sent = {});
    // Starts connecting and asks for the name; false when no bus can be reached now.
    bool start();
    // PropertiesChanged with the current values of these properties.
    void announce(const QString& interfaceName, const QStringList& properties);
    // One of the interface's signals, its arguments strings and integers as
    // its signature says; nothing when no bus is reached now.
    void send(const QString& interfaceName, const QByteArray& signal,
              const QVariantList& arguments);

private:
    struct Interface;

    void exportOn(Interface& interface);
    void reconnectLater();

    QByteArray m_name;
    QByteArray m_path;
    std::list<Interface> m_interfaces; // where the bus's calls point
    SdBusConnection m_connection;
    bool m_reconnecting = false;
    static constexpr std::chrono::seconds firstReconnectDelay{2};
    std::chrono::seconds m_reconnectDelay = firstReconnectDelay;
};
