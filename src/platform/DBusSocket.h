#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class DBusWireMessage;
class QSocketNotifier;

// A connection of the process's own to a D-Bus daemon over a Unix socket,
// written to from the GUI thread. It only sends: what the bus says back (the
// reply to Hello, its greeting) is read and dropped.
class DBusSocket : public QObject
{
    Q_OBJECT

public:
    explicit DBusSocket(QObject* parent = nullptr);
    ~DBusSocket() override;

    // The session bus as libdbus finds it: DBUS_SESSION_BUS_ADDRESS, else the
    // socket "bus" in XDG_RUNTIME_DIR; empty when there is neither.
    static QString sessionBusAddress();
    // Whether some entry of the address is a Unix socket this class can reach.
    static bool isSupported(const QString& address);

    // Connects, authenticates and says hello; false when no daemon answers.
    bool open(const QString& address);
    bool isOpen() const { return m_fd >= 0; }
    void close();

    // Stamps the next serial into the message and hands it to the socket.
    // False when closed, when the socket is full, or while an earlier message
    // is still half written.
    bool send(DBusWireMessage& message);

Q_SIGNALS:
    void closed();

private:
    bool connectTo(const QString& entry);
    bool authenticate();
    void readAndDrop();
    void writePending();
    quint32 nextSerial();

    int m_fd = -1;
    quint32 m_serial = 0;
    QSocketNotifier* m_readNotifier = nullptr;  // a child while open
    QSocketNotifier* m_writeNotifier = nullptr; // a child while open
    QByteArray m_pending;                       // the rest of a half-written message
};
