// logind as far as Zembrak hears it, on the bus in DBUS_SYSTEM_BUS_ADDRESS: our
// session, its lock hint, and the signals a scenario asks for through
// org.zembrak.FakeLogind.Emit ("Lock", "Unlock", "Sleep", "Wake"). Prints
// "followed" once the session's lock hint has been read.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <cstdio>

namespace {

const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/_31");

class Manager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public Q_SLOTS:
    Q_SCRIPTABLE QDBusObjectPath GetSession(const QString&) { return QDBusObjectPath(sessionPath); }
    Q_SCRIPTABLE QDBusObjectPath GetSessionByPID(uint) { return QDBusObjectPath(sessionPath); }
};

class Session : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint READ lockedHint SCRIPTABLE true)

public:
    bool lockedHint() const
    {
        std::printf("followed\n");
        std::fflush(stdout);
        return false;
    }
};

class Control : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zembrak.FakeLogind")

public Q_SLOTS:
    Q_SCRIPTABLE void Emit(const QString& what)
    {
        QDBusMessage signal =
            what == "Lock" || what == "Unlock"
                ? QDBusMessage::createSignal(sessionPath, "org.freedesktop.login1.Session", what)
                : QDBusMessage::createSignal("/org/freedesktop/login1",
                                             "org.freedesktop.login1.Manager", "PrepareForSleep");
        if (what == "Sleep" || what == "Wake")
            signal << (what == "Sleep");
        QDBusConnection::systemBus().send(signal);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::systemBus();
    Manager manager;
    Session session;
    Control control;
    if (!bus.registerObject("/org/freedesktop/login1", &manager,
                            QDBusConnection::ExportScriptableSlots) ||
        !bus.registerObject(sessionPath, &session, QDBusConnection::ExportScriptableProperties) ||
        !bus.registerObject("/org/zembrak/FakeLogind", &control,
                            QDBusConnection::ExportScriptableSlots) ||
        !bus.registerService("org.freedesktop.login1"))
        return 1;
    return app.exec();
}

#include "fake-logind.moc"
