#include "BusSlots.h"

#include "SdBusConnection.h"

BusSlots::BusSlots(SdBusConnection& connection)
{
    connect(&connection, &SdBusConnection::lost, this, &BusSlots::clear);
}

BusSlots::~BusSlots()
{
    clear();
}

sd_bus_slot** BusSlots::add()
{
    return &m_slots.emplace_back(nullptr);
}

void BusSlots::clear()
{
    for (sd_bus_slot* slot : m_slots)
        sd_bus_slot_unref(slot);
    m_slots.clear();
}
