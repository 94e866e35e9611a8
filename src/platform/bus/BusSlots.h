#pragma once

#include <QObject>
#include <list>
#include <systemd/sd-bus.h>

class SdBusConnection;

// What one object has put on a connection it shares with others: exports
// and matches. They go with the object, so no signal or call reaches an
// object that is gone, and with the bus they were made on when the connection
// is lost. Method calls go through BusCalls.
class BusSlots : public QObject
{
    Q_OBJECT

public:
    explicit BusSlots(SdBusConnection& connection);
    ~BusSlots() override;

    // Where the library puts the slot of a new export or match.
    sd_bus_slot** add();
    void clear();

private:
    std::list<sd_bus_slot*> m_slots; // stable addresses for the library
};
