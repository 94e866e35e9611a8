#pragma once

#include "platform/notifications/NotificationSilenceChooser.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class KPTimeBoxManager;
class KPTimer;

// Holds other applications' notifications while a work period counts, when
// the user wants it, and gives the desktop back the state it had: at the
// period's end, at a pause, at quit, and after a crash at the next start, from
// a note kept in the store while notifications are held. What the user had
// held already is left held, and left alone.
class WorkSilence : public QObject
{
    Q_OBJECT

public:
    WorkSilence(KPTimeBoxManager& manager, SdBusConnection& connection, QObject* parent = nullptr);
    ~WorkSilence() override;

    // Whether this desktop has a way to hold notifications.
    bool isAvailable() const { return m_silence != nullptr; }
    void setEnabled(bool enabled);
    // Runs then once the desktop shows notifications again: at once when
    // nothing is held, and after a moment at most when the desktop is slow.
    void whenLifted(std::function<void()> then);
    // At quit: lifts what is held, waiting a moment at most for the desktop.
    void restoreAtQuit();

Q_SIGNALS:
    void availabilityChanged(bool available);

private:
    KPTimer* timer() const;
    bool isCounting() const;
    void probe();
    void update();
    void hold();
    void lift();
    void settle();
    void runWaiting();

    KPTimeBoxManager& m_manager;
    NotificationSilenceChooser m_chooser;
    std::shared_ptr<NotificationSilence> m_silence; // this desktop's way, once found
    std::shared_ptr<NotificationSilence> m_holder;  // what holds notifications for us now
    std::vector<std::function<void()>> m_waiting;
    bool m_enabled = false;
    bool m_quitting = false;
    bool m_busy = false; // the desktop has not answered yet
    bool m_probing = false;
    bool m_leftAlone = false; // this stretch of work found notifications held already
};
