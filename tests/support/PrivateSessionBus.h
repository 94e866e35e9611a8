#pragma once

#include "platform/bus/SdBusConnection.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>

// What a test executable returns when it cannot run here (SKIP_RETURN_CODE).
inline constexpr int skipReturnCode = 77;

// A D-Bus session daemon of the test's own, so tests never touch the user's
// bus; it starts no service of the machine (session-bus.conf). listen, when
// given, is a fixed address instead of a fresh socket. address() is empty when
// dbus-daemon is missing or did not start.
class PrivateSessionBus
{
public:
    explicit PrivateSessionBus(const QString& listen = QString())
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return;
        QStringList arguments = {QStringLiteral("--config-file=" ZEMBRAK_TEST_BUS_CONFIG),
                                 QStringLiteral("--nofork"), QStringLiteral("--print-address")};
        if (!listen.isEmpty())
            arguments << QStringLiteral("--address=") + listen;
        m_process.start(daemon, arguments);
        if (!m_process.waitForStarted(5000))
            return;
        // The daemon prints its address once it listens.
        while (m_address.isEmpty() && m_process.waitForReadyRead(5000))
            m_address = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~PrivateSessionBus()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    QString address() const { return m_address; }

private:
    QProcess m_process;
    QString m_address;
};

// The main() of a test that needs the session bus: Application, a private bus made the
// session bus (address, when given, gets its address) with the connection the program's
// parts share, then Test. Without dbus-daemon the whole test is skipped.
template <typename Application, typename Test>
int runOnPrivateSessionBus(int argc, char** argv, QString* address = nullptr)
{
    Application app(argc, argv);
    PrivateSessionBus bus;
    if (bus.address().isEmpty()) {
        qWarning("SKIP: dbus-daemon is not installed (scripts/install-deps installs it)");
        return skipReturnCode;
    }
    if (address)
        *address = bus.address();
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    SdBusConnection shared;
    shared.shareAsSession();
    Test test;
    return QTest::qExec(&test, argc, argv);
}
