#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>

struct sd_bus;
class QSocketNotifier;

// A connection of sd-bus to the session bus, driven from its descriptor on the
// GUI thread's event loop: connecting, authenticating and the Hello run while
// the loop turns, so nothing here ever waits on the daemon. Calls the library
// answers by itself (org.freedesktop.DBus.Peer) are answered.
class SdBusConnection : public QObject
{
    Q_OBJECT

public:
    explicit SdBusConnection(QObject* parent = nullptr);
    ~SdBusConnection() override;

    // Starts connecting to the session bus; false when no bus can be reached.
    bool open();
    void close();
    bool isOpen() const { return m_bus != nullptr; }
    // Connected, authenticated and greeted.
    bool isReady() const;
    // Ready, with nothing left from an earlier message waiting to be written.
    bool canSendAtOnce() const;
    sd_bus* bus() const { return m_bus; }

    // Lets the library write what a send left and watch for what it wants next.
    void flush() { watch(); }

Q_SIGNALS:
    void closed();

private:
    void dispatch();
    void watch();

    sd_bus* m_bus = nullptr;
    QSocketNotifier* m_readNotifier = nullptr;  // a child while open
    QSocketNotifier* m_writeNotifier = nullptr; // a child while open
    QTimer m_deadline;
    std::uint64_t m_deadlineUsec = UINT64_MAX;
};
