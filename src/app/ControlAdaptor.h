#pragma once

#include "platform/RunLoop.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QPointer>
#include <optional>

class KPTimeBoxManager;
class KPTimer;

// The running instance as scripts reach it on the session bus: the controls
// of the one timer and what it shows. Changes of the properties are announced
// with PropertiesChanged, at most twice a second and only for values that
// really changed; nothing runs while nothing changes.
class ControlAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zembrak.Zembrak")
    Q_PROPERTY(QString State READ state)
    Q_PROPERTY(QString Period READ period)
    Q_PROPERTY(qlonglong Remaining READ remaining)
    Q_PROPERTY(qlonglong CyclesSinceLaunch READ cyclesSinceLaunch)
    Q_PROPERTY(qlonglong Length READ length)

public:
    static inline const QString interfaceName = QStringLiteral("org.zembrak.Zembrak");
    // Bursts of changes are said once; the second shown changes only once a
    // second, so each of its changes is said as it happens.
    static constexpr std::chrono::milliseconds announcementInterval{500};

    // Attaches to host, the object exported at path on connection, and drives
    // the timer the manager's display holds now.
    ControlAdaptor(QObject* host, KPTimeBoxManager& manager, const QDBusConnection& connection,
                   const QString& path);

    QString state() const;
    QString period() const;
    qlonglong remaining() const;
    qlonglong cyclesSinceLaunch() const;
    // The current period's full length in seconds; 0 for a stopwatch.
    qlonglong length() const;

public Q_SLOTS:
    // Each takes the call, to answer it with an error when it cannot be done.
    void StartPause(const QDBusMessage& call);
    void Reset(const QDBusMessage& call);
    void Skip(const QDBusMessage& call);
    void SetTime(qlonglong seconds, const QDBusMessage& call);

private:
    struct Values
    {
        QString state;
        QString period;
        qlonglong remaining = 0;
        qlonglong cyclesSinceLaunch = 0;
        qlonglong length = 0;
    };

    KPTimer* timer() const;
    // The timer, or an error reply to the call and nothing.
    KPTimer* timerFor(const QDBusMessage& call);
    void refuse(const QDBusMessage& call, const QString& errorName, const QString& text);
    Values values() const;
    void valuesMayHaveChanged();
    void announce();

    QPointer<KPTimeBoxManager> m_manager;
    QDBusConnection m_connection;
    QString m_path;
    Values m_announced;
    bool m_announcementDue = false;
    std::optional<RunLoop::Instant> m_lastAnnouncement;
};
