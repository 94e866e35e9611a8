#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

// One Zembrak per user store. The first instance holds a lock beside the store
// and answers on the session bus; a later one asks it to come forward and quits.
// This object is the one exported at objectPath: the instance's other
// interfaces attach to it as adaptors.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zembrak.Zembrak.Instance")

public:
    static inline const QString serviceName = QStringLiteral("org.zembrak.Zembrak");
    static inline const QString objectPath = QStringLiteral("/org/zembrak/Zembrak");
    static inline const QString interfaceName = QStringLiteral("org.zembrak.Zembrak.Instance");

    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the one instance; false when another holds the
    // store, which has then been asked to show itself.
    bool claim();
    QString lockPath() const;

public Q_SLOTS:
    // Called on the bus by a second launch.
    Q_SCRIPTABLE void activate();

Q_SIGNALS:
    void activationRequested();

private:
    std::unique_ptr<QLockFile> m_lock;
};
