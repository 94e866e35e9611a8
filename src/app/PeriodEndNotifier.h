#pragma once

#include "platform/notifications/DesktopNotifications.h"
#include "timing/KPTimeBoxManager.h"

#include <QObject>

class WorkSilence;

// Tells the desktop each time a period ends or is paused behind the user's
// back, while the user wants to hear of it.
class PeriodEndNotifier : public QObject
{
    Q_OBJECT

public:
    explicit PeriodEndNotifier(KPTimeBoxManager& manager,
                               SdBusConnection& connection = SdBusConnection::session(),
                               QObject* parent = nullptr);

    static QString summary(KPTimeBoxManager::State endedState, bool endedAway = false);
    static QString body(KPTimeBoxManager::State state, qint64 length);
    // The buttons for what comes next: starting a period that waits, skipping a
    // break; and the click on the body.
    static QList<DesktopNotifications::Action> actionsAfter(KPTimeBoxManager::State endedState,
                                                            KPTimeBoxManager::State state);
    // "1 hour 30 minutes", "5 minutes", "45 seconds".
    static QString describeLength(qint64 seconds);

    // The next end came while the machine slept: it is told so.
    void setNextEndAway() { m_nextEndAway = true; }
    // A pause the user did not make (the screen locked, the machine slept) is
    // told with its reason; an empty reason tells nothing.
    void tellPaused(const QString& reason);
    // The application's one way to the notification server.
    DesktopNotifications& notifications() { return m_notifications; }
    // What holds other notifications during work; ours wait until it has let go.
    void setSilence(WorkSilence* silence) { m_silence = silence; }

Q_SIGNALS:
    // The user clicked the notification's body.
    void openRequested();

private:
    // Carries out a button's command while the period it was offered for lasts.
    void act(const QString& key);
    void periodDidEnd(KPTimeBoxManager::State endedState, KPTimeBoxManager::State state,
                      qint64 length);

    void show(const QString& summary, const QString& body,
              const QList<DesktopNotifications::Action>& actions = {});

    KPTimeBoxManager& m_manager;
    DesktopNotifications m_notifications;
    // The period the shown buttons are about.
    std::optional<KPTimeBoxManager::State> m_offeredFor;
    WorkSilence* m_silence = nullptr;
    bool m_nextEndAway = false;
};
