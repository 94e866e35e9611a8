#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimeZone>
#include <functional>

class HistoryStore;

// Today's finished work periods against the daily goal, as the history counts
// them on the local day. Read from the store only while there is a goal: when
// it is set, when a period ends and when the local day turns.
class DailyProgress : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit DailyProgress(
        HistoryStore& store, QTimeZone zone = QTimeZone::systemTimeZone(),
        Clock clock = [] { return QDateTime::currentDateTimeUtc(); }, QObject* parent = nullptr);
    ~DailyProgress() override;

    // 0: no goal.
    int goal() const { return m_goal; }
    void setGoal(int goal);
    int today() const { return m_today; }
    // "3 of 8 today"; empty without a goal.
    QString text() const;

    // Counts today again (a period ended, or the day turned).
    void recount();

Q_SIGNALS:
    void changed();

private:
    void waitForMidnight();

    HistoryStore& m_store;
    QTimeZone m_zone;
    Clock m_clock;
    int m_goal = 0;
    int m_today = 0;
    bool m_waiting = false;
};
