#include "SingleInstance.h"

#include "platform/StandardError.h"
#include "platform/store/Defaults.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

namespace {

constexpr std::chrono::seconds answerWithin{2};

// Held by a process of this machine, which the lock file's own check has
// found alive; any other holder (another host, another machine id in a shared
// home) cannot be asked and may be long gone.
bool heldOnThisMachine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QList<QByteArray> lines = file.read(4096).split('\n');
    const QString host = lines.size() > 2 ? QString::fromUtf8(lines.at(2)) : QString();
    const QByteArray machine = lines.size() > 3 ? lines.at(3) : QByteArray();
    return (host.isEmpty() || host == QSysInfo::machineHostName()) &&
           (machine.isEmpty() || machine == QSysInfo::machineUniqueId());
}

} // namespace

SingleInstance::SingleInstance(SdBusConnection& connection, QObject* parent)
    : QObject(parent), m_connection(connection)
{}

bool SingleInstance::runningOneAnswers()
{
    return m_connection.hasOwner(serviceName.toUtf8(), answerWithin);
}

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
        const bool held = m_lock->error() == QLockFile::LockFailedError;
        if (runningOneAnswers() || (held && heldOnThisMachine(lockPath()))) {
            sd_bus_message_unref(m_connection.callAndWait(
                serviceName.toUtf8().constData(), objectPath.toUtf8().constData(),
                interfaceName.toUtf8().constData(), "activate", answerWithin));
            return false;
        }
        if (held && m_lock->removeStaleLockFile() && m_lock->tryLock(0)) {
            StandardError::tell(
                tr("took over %1, left by another machine where nothing answers").arg(lockPath()));
        } else {
            // A full or read-only folder must not keep the timer from the user.
            StandardError::tell(tr("cannot take the lock %1; starting without it, so a second "
                                   "copy is not kept from starting")
                                    .arg(lockPath()));
            m_lock.reset();
        }
    }
    m_service = std::make_unique<BusService>(serviceName, objectPath, m_connection);
    m_service->addInterface(interfaceName, {{"activate", {}, [this](const QVariantList&) {
                                                 Q_EMIT activationRequested();
                                                 return std::optional<BusService::Error>();
                                             }}});
    m_service->start();
    return true;
}
