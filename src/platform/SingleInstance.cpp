#include "SingleInstance.h"

#include "Defaults.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath() const
{
    return Defaults::configHome() + QStringLiteral("/zembrak/zembrak.lock");
}

bool SingleInstance::claim()
{
    QDir().mkpath(Defaults::configHome() + QStringLiteral("/zembrak"));
    m_lock = std::make_unique<QLockFile>(lockPath());
    // Never stale by age: a running instance holds it all day. A lock whose
    // process is gone is still taken over.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected())
            bus.call(QDBusMessage::createMethodCall(serviceName, objectPath, interfaceName,
                                                    QStringLiteral("activate")),
                     QDBus::NoBlock);
        return false;
    }
    m_service = std::make_unique<BusService>(serviceName, objectPath);
    m_service->addInterface(interfaceName, {{"activate", {}, [this](const QVariantList&) {
                                                 Q_EMIT activationRequested();
                                                 return std::optional<BusService::Error>();
                                             }}});
    m_service->start();
    return true;
}
