#pragma once

#include "platform/bus/BusService.h"

#include <QLockFile>
#include <QObject>
#include <memory>

// One Zembrak per user store. The first instance holds a lock beside the store
// and answers on the session bus; a later one asks it to come forward and quits.
// The instance's other interfaces join its object at objectPath through service().
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static inline const QString serviceName = QStringLiteral("org.zembrak.Zembrak");
    static inline const QString objectPath = QStringLiteral("/org/zembrak/Zembrak");
    static inline const QString interfaceName = QStringLiteral("org.zembrak.Zembrak.Instance");

    explicit SingleInstance(SdBusConnection& connection = SdBusConnection::session(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the one instance; false when another holds the
    // store, which has then been asked to show itself.
    bool claim();
    QString lockPath() const;
    // The instance on the bus, once claimed.
    BusService* service() const { return m_service.get(); }

Q_SIGNALS:
    // Asked for on the bus by a second launch.
    void activationRequested();

private:
    bool runningOneAnswers();

    SdBusConnection& m_connection;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<BusService> m_service;
};
