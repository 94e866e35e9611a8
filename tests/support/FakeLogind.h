#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

// logind as far as Zembrak asks it, served on a bus of the test's own: which
// session is ours, that session's lock hint, and the signals it sends.
class FakeLoginSession : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint READ lockedHint SCRIPTABLE true)

public:
    mutable int reads = 0; // once read, the reader's matches are in place
    bool lockedHint() const { return ++reads, false; }
};

class FakeLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    static inline const QString path = QStringLiteral("/org/freedesktop/login1");
    static inline const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/_31");
    FakeLoginSession session;

    bool serve(const QDBusConnection& bus)
    {
        m_bus = bus;
        return m_bus.registerObject(path, this, QDBusConnection::ExportScriptableSlots) &&
               m_bus.registerObject(sessionPath, &session,
                                    QDBusConnection::ExportScriptableProperties) &&
               m_bus.registerService(QStringLiteral("org.freedesktop.login1"));
    }
    // "Lock", "Unlock", "LockedHint", "UnlockedHint", "Sleep" or "Wake".
    bool send(const QString& what)
    {
        const bool on = what == "Lock" || what == "LockedHint" || what == "Sleep";
        QDBusMessage signal;
        if (what.endsWith("Hint"))
            signal = QDBusMessage::createSignal(sessionPath, "org.freedesktop.DBus.Properties",
                                                "PropertiesChanged")
                     << "org.freedesktop.login1.Session" << QVariantMap{{"LockedHint", on}}
                     << QStringList();
        else if (what == "Sleep" || what == "Wake")
            signal = QDBusMessage::createSignal(path, "org.freedesktop.login1.Manager",
                                                "PrepareForSleep")
                     << on;
        else
            signal =
                QDBusMessage::createSignal(sessionPath, "org.freedesktop.login1.Session", what);
        return m_bus.send(signal);
    }

public Q_SLOTS:
    Q_SCRIPTABLE QDBusObjectPath GetSession(const QString&) { return QDBusObjectPath(sessionPath); }

private:
    QDBusConnection m_bus{QString()};
};
