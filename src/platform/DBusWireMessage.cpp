#include "DBusWireMessage.h"

#include <QtEndian>

namespace {

enum : char
{
    methodCallType = 1,
    signalType = 4,
};
enum : char
{
    pathField = 1,
    interfaceField = 2,
    memberField = 3,
    destinationField = 6,
    signatureField = 8,
};

void align(QByteArray& bytes, int boundary)
{
    while (bytes.size() % boundary != 0)
        bytes.append('\0');
}

void appendUint32(QByteArray& bytes, quint32 value)
{
    align(bytes, 4);
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

// A string or an object path: its length, its bytes and a nul.
void appendString(QByteArray& bytes, const QByteArray& utf8)
{
    appendUint32(bytes, quint32(utf8.size()));
    bytes.append(utf8);
    bytes.append('\0');
}

void appendSignature(QByteArray& bytes, const QByteArray& signature)
{
    bytes.append(char(signature.size()));
    bytes.append(signature);
    bytes.append('\0');
}

void appendField(QByteArray& bytes, char code, char type, const QByteArray& value)
{
    align(bytes, 8);
    bytes.append(code);
    appendSignature(bytes, QByteArray(1, type));
    if (type == 'g')
        appendSignature(bytes, value);
    else
        appendString(bytes, value);
}

struct Field
{
    char code;
    char type;
    QByteArray value;
};

QByteArray marshal(char type, const QList<Field>& fields, const QByteArray& body)
{
    QByteArray bytes;
    bytes.append('l'); // little-endian
    bytes.append(type);
    bytes.append('\0'); // flags
    bytes.append('\1'); // protocol version
    appendUint32(bytes, quint32(body.size()));
    appendUint32(bytes, 0); // the serial, stamped at each send
    appendUint32(bytes, 0); // the fields' length, known below
    const int fieldsStart = bytes.size();
    for (const Field& field : fields)
        appendField(bytes, field.code, field.type, field.value);
    qToLittleEndian(quint32(bytes.size() - fieldsStart), bytes.data() + fieldsStart - 4);
    align(bytes, 8);
    bytes.append(body);
    return bytes;
}

} // namespace

DBusWireMessage DBusWireMessage::methodCall(const QString& destination, const QString& path,
                                            const QString& interfaceName, const QString& member)
{
    DBusWireMessage message;
    message.m_bytes = marshal(methodCallType,
                              {{pathField, 'o', path.toUtf8()},
                               {interfaceField, 's', interfaceName.toUtf8()},
                               {memberField, 's', member.toUtf8()},
                               {destinationField, 's', destination.toUtf8()}},
                              QByteArray());
    return message;
}

DBusWireMessage DBusWireMessage::signal(const QString& path, const QString& interfaceName,
                                        const QString& member, const QStringList& arguments)
{
    QByteArray body;
    for (const QString& argument : arguments) {
        QByteArray utf8 = argument.toUtf8();
        utf8.replace('\0', QByteArray()); // a bus drops a peer whose string holds one
        appendString(body, utf8);
    }
    QList<Field> fields{{pathField, 'o', path.toUtf8()},
                        {interfaceField, 's', interfaceName.toUtf8()},
                        {memberField, 's', member.toUtf8()}};
    if (!arguments.isEmpty())
        fields.append({signatureField, 'g', QByteArray(arguments.size(), 's')});
    DBusWireMessage message;
    message.m_bytes = marshal(signalType, fields, body);
    return message;
}

void DBusWireMessage::setSerial(quint32 serial)
{
    qToLittleEndian(serial, m_bytes.data() + serialOffset);
}

quint32 DBusWireMessage::serial() const
{
    return qFromLittleEndian<quint32>(m_bytes.constData() + serialOffset);
}
