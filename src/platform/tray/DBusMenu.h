#pragma once

#include "StatusItem.h"

#include <QObject>
#include <QStringList>
#include <cstdint>

class BusService;
struct sd_bus_message;

// The status item's commands as a com.canonical.dbusmenu object beside the
// item, for hosts that draw its menu themselves (GNOME's AppIndicator
// extension, Plasma, waybar). It lives on the item's own connection and sends
// only when a command changes: a counting timer wakes nothing here. Item n is
// the menu's n-th entry; 0 is the root that holds them.
class DBusMenu : public QObject
{
    Q_OBJECT

public:
    static constexpr auto kObjectPath = "/MenuBar";
    static constexpr auto kInterface = "com.canonical.dbusmenu";

    explicit DBusMenu(BusService& service, QObject* parent = nullptr);

    // A label or state that changes alone is announced for its item; a new
    // order of items is a new revision of the layout.
    void setMenu(const StatusItem::Menu& menu);
    std::uint32_t revision() const { return m_revision; }

private:
    struct Property
    {
        QByteArray name;
        QVariant value; // a string or a truth
    };
    using Properties = std::vector<Property>;

    Properties propertiesOf(int id) const;
    bool exists(int id) const { return id >= 0 && size_t(id) <= m_menu.size(); }
    // Runs the item's command once the host has its answer.
    bool trigger(int id, const char* event);

    int getLayout(sd_bus_message* call, sd_bus_message* reply) const;
    int getGroupProperties(sd_bus_message* call, sd_bus_message* reply) const;
    int getProperty(sd_bus_message* call, sd_bus_message* reply) const;
    int event(sd_bus_message* call, sd_bus_message* reply);
    int eventGroup(sd_bus_message* call, sd_bus_message* reply);
    int aboutToShowGroup(sd_bus_message* call, sd_bus_message* reply) const;
    int appendItem(sd_bus_message* message, int id, int depth, const QStringList& names) const;
    // (ia{sv}): the item's id and its properties.
    static int appendPropertiesOf(sd_bus_message* message, int id, const Properties& properties,
                                  const QStringList& names);
    static int appendProperties(sd_bus_message* message, const Properties& properties,
                                const QStringList& names);

    BusService& m_service;
    StatusItem::Menu m_menu;
    std::uint32_t m_revision = 1;
};
