#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A D-Bus message in its little-endian wire form, marshalled once and sent
// as often as needed: only its serial changes between sends, in place.
class DBusWireMessage
{
public:
    static constexpr int serialOffset = 8;

    // A call without arguments (the bus's Hello).
    static DBusWireMessage methodCall(const QString& destination, const QString& path,
                                      const QString& interfaceName, const QString& member);
    // A signal whose arguments are all strings.
    static DBusWireMessage signal(const QString& path, const QString& interfaceName,
                                  const QString& member, const QStringList& arguments);

    void setSerial(quint32 serial);
    quint32 serial() const;
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
