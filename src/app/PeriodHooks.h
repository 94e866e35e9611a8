#pragma once

#include <QObject>

struct HistoryRecord;
class HookRunner;
class KPTaskManager;
class KPTimeBoxManager;
class PeriodRecorder;

// Tells the user's hooks of each period as the history sees it: its start, its
// pauses, its skip and its end, in the words the history and the bus use.
// The stopwatch and a countdown outside the cycle have no start or end event.
class PeriodHooks : public QObject
{
    Q_OBJECT

public:
    PeriodHooks(PeriodRecorder& recorder, const KPTimeBoxManager& manager, HookRunner& runner,
                const KPTaskManager* tasks, QObject* parent = nullptr);

private:
    struct Facts
    {
        QString kind;
        QString outcome;
        qint64 length = 0;
        qint64 remaining = 0;
        QString task;
    };

    void started(const QString& kind, qint64 plannedSeconds);
    void pauseChanged(bool paused, const QString& kind, qint64 plannedSeconds);
    void ended(const HistoryRecord& record);
    // "work" or "break" for the cycle's periods, else empty.
    static QString phaseOf(const QString& kind);
    qint64 shownSeconds() const;
    QString openTask() const;
    void tell(const QString& event, const Facts& facts);

    const KPTimeBoxManager& m_manager;
    HookRunner& m_runner;
    const KPTaskManager* m_tasks;
};
