// The fake logind on the bus in DBUS_SYSTEM_BUS_ADDRESS, sending what a scenario
// asks for through org.zembrak.FakeLogind.Send ("Lock", "Sleep", ...). Prints
// "followed" once the session's lock hint has been read.
#include "FakeLogind.h"

#include <QCoreApplication>
#include <cstdio>

class Control : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zembrak.FakeLogind")

public:
    FakeLogind logind;

public Q_SLOTS:
    Q_SCRIPTABLE void Send(const QString& what) { logind.send(what); }
    Q_SCRIPTABLE int Reads() { return logind.session.reads; }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Control control;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.registerObject("/org/zembrak/FakeLogind", &control,
                            QDBusConnection::ExportScriptableSlots) ||
        !control.logind.serve(bus))
        return 1;
    return app.exec();
}

#include "fake-logind.moc"
