#pragma once

#include "history/HistoryRecord.h"
#include "platform/RunLoop.h"
#include "platform/bus/BusService.h"

#include <QObject>
#include <QPointer>
#include <optional>

class DailyProgress;
class KPTimeBoxManager;
class KPTimer;

// The running instance as scripts reach it on the session bus: the controls
// of the one timer and what it shows. Changes of the properties are announced
// with PropertiesChanged, at most twice a second and only for values that
// really changed; nothing runs while nothing changes.
class ControlAdaptor : public QObject
{
    Q_OBJECT

public:
    static inline const QString interfaceName = QStringLiteral("org.zembrak.Zembrak");
    // Bursts of changes are said once; the second shown changes only once a
    // second, so each of its changes is said as it happens.
    static constexpr std::chrono::milliseconds announcementInterval{500};

    // Joins the service's object, for as long as the service lives, and drives
    // the timer the manager's display holds now.
    ControlAdaptor(BusService& service, KPTimeBoxManager& manager, QObject* parent = nullptr);

    QString state() const;
    QString period() const;
    qlonglong remaining() const;
    qlonglong cyclesSinceLaunch() const;
    // The current period's full length in seconds; 0 for a stopwatch.
    qlonglong length() const;
    // Today's finished work periods and the daily goal; both 0 without a goal.
    qlonglong todayWorkPeriods() const;
    qlonglong dailyGoal() const;
    // Lives as long as the application; its changes are announced.
    void setDailyProgress(DailyProgress* progress);

    // PeriodEnded(s kind, s outcome, x plannedSeconds, x countedSeconds), for
    // scripts that react to each period as it ends.
    void periodEnded(const HistoryRecord& record);

private:
    using Outcome = std::optional<BusService::Error>;
    struct Values
    {
        QString state;
        QString period;
        qlonglong remaining = 0;
        qlonglong cyclesSinceLaunch = 0;
        qlonglong length = 0;
        qlonglong today = 0;
        qlonglong goal = 0;
    };

    static Outcome skip(KPTimer& timer);
    Outcome setTime(qlonglong seconds);
    Outcome extend(qlonglong seconds);

    KPTimer* timer() const;
    Values values() const;
    void valuesMayHaveChanged();
    void announce();

    BusService& m_service;
    QPointer<KPTimeBoxManager> m_manager;
    QPointer<DailyProgress> m_progress;
    Values m_announced;
    bool m_announcementDue = false;
    std::optional<RunLoop::Instant> m_lastAnnouncement;
};
