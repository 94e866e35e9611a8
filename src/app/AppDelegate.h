#pragma once

#include "menubar/KPMenuBarMenuButtonDelegate.h"
#include "windows/AppDelegateInterface.h"

#include <QObject>
#include <memory>

class AwayController;
class DailyProgress;
class GlobalShortcuts;
class HistoryStore;
class HookRunner;
class IdleTime;
class KPMenuBarTimeDisplay;
class KPTimeBoxManager;
class PeriodEndNotifier;
class PeriodHooks;
class PeriodRecorder;
class SdBusConnection;
class SessionWatcher;
class Updater;
class ZKBreakScreen;
class WorkSilence;
class ZKIdlePromptWindow;
class ZKPopover;
class ZKStatusMenu;
class ZKStatisticsWindow;
class ZKTimeEditorWindow;
class ZKTimeSettingsWindow;
class ZKTimerWindow;

// Builds every long-lived object once at launch, wires them together and owns
// them for the whole run.
class AppDelegate : public QObject, public AppDelegateInterface, public KPMenuBarMenuButtonDelegate
{
    Q_OBJECT

public:
    AppDelegate();
    ~AppDelegate() override;

    void setup();
    // Once set up: holds other notifications during work through this connection.
    void setupWorkSilence(SdBusConnection& connection);
    bool isSetup() const { return m_isSetup; }

    ZKPopover* popover() const override { return m_popover.get(); }
    KPMenuBarTimeDisplay* menuBarTimeDisplay() const override { return m_menuBarTimeDisplay.get(); }
    KPTimeBoxManager* timeBoxManager() const override { return m_timeBoxManager.get(); }
    ZKMenu* menu() const override { return m_menu.get(); }
    Updater* updater() const override { return m_updater.get(); }
    ZKTimeEditorWindow* timeEditorWindow() const override { return m_timeEditorWindow.get(); }
    ZKTimeSettingsWindow* timeSettingsWindow() const override { return m_timeSettingsWindow.get(); }
    ZKStatisticsWindow* statisticsWindow() override;
    void togglePopover() override;
    // Pauses for a lock or sleep and asks after idle time; its signals tell why.
    AwayController* awayController() const { return m_awayController.get(); }
    // Opened at its first record or read, not before.
    HistoryStore* historyStore() const { return m_historyStore.get(); }
    PeriodRecorder* periodRecorder() const { return m_periodRecorder.get(); }
    // Today's work periods against the daily goal.
    DailyProgress* dailyProgress() const { return m_dailyProgress.get(); }
    ZKTimerWindow* timerWindow() const { return m_timerWindow.get(); }

    void menuBarMenuButtonClicked(KPMenuBarMenuButton* button) override;
    void didSelectSound(const QString& named) override;
    // Opens the popover unless it is open already (a second launch asks for this).
    void showPopover();
    void applicationDidResignActive();
    void popoverDidClose();

private:
    void setupAway();
    void setupPeriodFollowers();
    void setupGoalAndTimerWindow();

    bool m_isSetup = false;
    // Outlives the display, whose shortcut manager binds through it.
    std::unique_ptr<GlobalShortcuts> m_globalShortcuts;
    std::unique_ptr<ZKPopover> m_popover;
    std::unique_ptr<KPMenuBarTimeDisplay> m_menuBarTimeDisplay;
    std::unique_ptr<KPTimeBoxManager> m_timeBoxManager;
    const std::unique_ptr<ZKMenu> m_menu;
    std::unique_ptr<ZKStatusMenu> m_statusMenu;
    std::unique_ptr<ZKTimeEditorWindow> m_timeEditorWindow;
    std::unique_ptr<ZKTimeSettingsWindow> m_timeSettingsWindow;
    std::unique_ptr<ZKStatisticsWindow> m_statisticsWindow;
    std::unique_ptr<SessionWatcher> m_sessionWatcher;
    std::unique_ptr<IdleTime> m_idleTime;
    std::unique_ptr<AwayController> m_awayController;
    std::unique_ptr<ZKIdlePromptWindow> m_idlePromptWindow;
    std::unique_ptr<WorkSilence> m_workSilence; // outlives the notifier, which waits on it
    std::unique_ptr<PeriodEndNotifier> m_periodEndNotifier;
    std::unique_ptr<class TopBarHint> m_topBarHint;
    std::unique_ptr<HistoryStore> m_historyStore;
    std::unique_ptr<PeriodRecorder> m_periodRecorder;
    std::unique_ptr<HookRunner> m_hookRunner;
    std::unique_ptr<PeriodHooks> m_periodHooks;
    std::unique_ptr<ZKBreakScreen> m_breakScreen;
    std::unique_ptr<DailyProgress> m_dailyProgress;
    std::unique_ptr<ZKTimerWindow> m_timerWindow;
    // Makes its network and window at the first check only.
    const std::unique_ptr<Updater> m_updater;
};
