#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <systemd/sd-bus.h>

class QSocketNotifier;

// A connection of sd-bus to the session or the system bus, driven from its descriptor on the
// GUI thread's event loop: connecting, authenticating and the Hello run while
// the loop turns, so nothing here ever waits on the daemon. Calls the library
// answers by itself (org.freedesktop.DBus.Peer) are answered.
class SdBusConnection : public QObject
{
    Q_OBJECT

public:
    enum class Socket
    {
        mustExist,
        mayAppearLater
    };
    enum class Bus
    {
        session,
        system
    };

    explicit SdBusConnection(QObject* parent = nullptr);
    ~SdBusConnection() override;

    // Starts connecting; false when no bus can be reached.
    // mayAppearLater waits, without waking, for a bus socket that is not there
    // yet or is left over from a daemon that is gone.
    bool open(Socket socket = Socket::mustExist, Bus which = Bus::session);
    void close();
    // Opens the connection and keeps it open: after a failure or a loss it is
    // opened again, first after 2 s, then twice as long each time up to 64 s; a
    // greeting starts the wait over. A bus socket that is not there yet is
    // waited for without waking.
    void keepOpen(Bus which = Bus::session);
    bool isOpen() const { return m_bus != nullptr; }
    // Connected, authenticated and greeted.
    bool isReady() const;
    // Ready, with nothing left from an earlier message waiting to be written.
    bool canSendAtOnce() const;
    sd_bus* bus() const { return m_bus; }

    // Lets the library write what a send left and watch for what it wants next.
    void flush() { watch(); }
    // Runs follow now if the connection is ready, and each time it is greeted
    // again after a loss, while context lives.
    void follow(QObject* context, const std::function<void()>& follow);
    // A call answered before this returns, for the few questions asked once
    // at launch; the bus may start a service to answer. The reply, which the
    // caller unrefs, or nullptr when none came within the time.
    sd_bus_message* callAndWait(const char* destination, const char* path, const char* interface,
                                const char* member, std::chrono::milliseconds within,
                                const std::function<int(sd_bus_message*)>& append = {});
    // Whether a program holds name on this bus, asked as callAndWait asks.
    bool hasOwner(const QByteArray& name, std::chrono::milliseconds within);

    // The session bus's connection that the running program's parts share:
    // the one made shared by shareAsSession() while it lives, else one that
    // never opens, so that its users reach no bus and nothing fails.
    static SdBusConnection& session();
    // Keeps this open on the session bus and makes it the shared one.
    void shareAsSession();

Q_SIGNALS:
    // A new connection is under way: objects are exported on it now.
    void opened();
    // Greeted by the daemon: names can be asked for.
    void ready();
    // The daemon went away or refused us; the connection is closed.
    void lost();

private:
    void dispatch();
    void watch();
    void closeAfterLoss();
    void retireNotifiers();
    void reopenLater();

    sd_bus* m_bus = nullptr;
    bool m_greeted = false;
    int m_fd = -1;                              // what the notifiers watch
    QSocketNotifier* m_readNotifier = nullptr;  // a child while open
    QSocketNotifier* m_writeNotifier = nullptr; // a child while open
    QTimer m_deadline;
    std::uint64_t m_deadlineUsec = UINT64_MAX;
    bool m_kept = false;
    bool m_reopening = false;
    Bus m_which = Bus::session;
    static constexpr std::chrono::seconds firstReopenDelay{2};
    std::chrono::seconds m_reopenDelay = firstReopenDelay;
};
