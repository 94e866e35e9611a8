#pragma once

#include <QMenu>

class KPMenuBarTimeDisplay;
class KPSoundMenu;
class KPUtilityWindow;
class QAction;

// The settings and commands menu shown from the popover. Each switch is stored
// the moment it changes, gets its check mark and takes effect at once.
class ZKMenu : public QMenu
{
    Q_OBJECT

public:
    static inline const QString loginItemHelperIdentifier =
        QStringLiteral("org.zembrak.Zembrak.autostart");
    static inline const QString supportMailURL =
        QStringLiteral("mailto:support@zembrak.org?Subject=Zembrak");

    explicit ZKMenu(QWidget* parent = nullptr);
    ~ZKMenu() override;

    KPMenuBarTimeDisplay* menuBarTimeDisplay() const { return m_menuBarTimeDisplay; }
    void setMenuBarTimeDisplay(KPMenuBarTimeDisplay* display) { m_menuBarTimeDisplay = display; }

    bool isLaunchingAtLogin() const { return m_isLaunchingAtLogin; }
    void setLaunchingAtLogin(bool launching);
    bool isShowingSeconds() const { return m_isShowingSeconds; }
    void setShowingSeconds(bool showing);
    bool isSmallDisplayEnabled() const { return m_isSmallDisplayEnabled; }
    void setSmallDisplayEnabled(bool enabled);
    bool isTickingEnabled() const { return m_isTickingEnabled; }
    void setTickingEnabled(bool enabled);
    bool isAutohidingDisplay() const { return m_isAutohidingDisplay; }
    void setAutohidingDisplay(bool autohiding);
    bool isShowingCycleCount() const { return m_isShowingCycleCount; }
    void setShowingCycleCount(bool showing);
    bool isNotifyingAtPeriodEnd() const { return m_isNotifyingAtPeriodEnd; }
    void setNotifyingAtPeriodEnd(bool notifying);
    bool isStartingBreaksAutomatically() const { return m_isStartingBreaksAutomatically; }
    void setStartingBreaksAutomatically(bool starting);
    bool isStartingWorkAutomatically() const { return m_isStartingWorkAutomatically; }
    void setStartingWorkAutomatically(bool starting);
    bool isPausingWhenLocked() const { return m_isPausingWhenLocked; }
    void setPausingWhenLocked(bool pausing);
    bool isShowingBreakScreen() const { return m_isShowingBreakScreen; }
    void setShowingBreakScreen(bool showing);
    // 0 asks never.
    int idlePromptMinutes() const { return m_idlePromptMinutes; }
    void setIdlePromptMinutes(int minutes);
    // Where the desktop tells no idle time, "Ask After Idle" says so and cannot be chosen.
    void setIdleAvailable(bool available);
    // Work periods a day; 0 sets no goal.
    int dailyGoal() const { return m_dailyGoal; }
    void setDailyGoal(int goal);
    bool isShowingTimerWindow() const { return m_isShowingTimerWindow; }
    void setShowingTimerWindow(bool showing);
    bool isSilencingNotifications() const { return m_isSilencingNotifications; }
    void setSilencingNotifications(bool silencing);
    // Where the desktop cannot hold notifications, the switch says so and cannot be chosen.
    void setSilenceAvailable(bool available);
    QString soundName() const { return m_soundName; }
    void setSoundName(const QString& name);

    KPSoundMenu* soundMenu() const { return m_soundMenu; }
    QAction* autodhideDisplayMenuItem() const { return m_autodhideDisplayMenuItem; }
    QAction* showCycleCountMenuItem() const { return m_showCycleCountMenuItem; }
    QAction* launchAtLoginMenuItem() const { return m_launchAtLoginMenuItem; }
    QAction* showSecondsMenuItem() const { return m_showSecondsMenuItem; }
    QAction* smallDisplayMenuItem() const { return m_smallDisplayMenuItem; }
    QAction* enableTickingMenuItem() const { return m_enableTickingMenuItem; }
    QAction* notifyAtPeriodEndMenuItem() const { return m_notifyAtPeriodEndMenuItem; }
    QAction* startBreaksMenuItem() const { return m_startBreaksMenuItem; }
    QAction* startWorkMenuItem() const { return m_startWorkMenuItem; }
    QAction* extendMenuItem() const { return m_extendMenuItem; }
    QAction* pauseWhenLockedMenuItem() const { return m_pauseWhenLockedMenuItem; }
    QAction* askAfterIdleMenuItem() const { return m_askAfterIdleMenuItem; }
    QAction* breakScreenMenuItem() const { return m_breakScreenMenuItem; }
    QAction* dailyGoalMenuItem() const { return m_dailyGoalMenuItem; }
    QAction* showTimerWindowMenuItem() const { return m_showTimerWindowMenuItem; }
    QAction* silenceNotificationsMenuItem() const { return m_silenceNotificationsMenuItem; }

    // Reads every switch and the sound from the store and applies them.
    void loadPreferences();

    void toggleShowCycleCount();
    void toggleAutohideDisplay();
    void toggleLaunchAtLogin();
    void toggleEnableTicking();
    void toggleShowSeconds();
    void toggleSmallDisplay();
    void toggleNotifyAtPeriodEnd();
    void togglePauseWhenLocked();
    void toggleStartBreaks();
    void toggleStartWork();
    // Gives the current period KPTimer::defaultExtensionSeconds more.
    void extendPeriod();
    void toggleBreakScreen();
    void toggleShowTimerWindow();
    void toggleSilenceNotifications();
    void support();
    void showTimeEditorWindow();
    void showTimeSettingsWindow();
    void showStatisticsWindow();
    void checkForUpdates();

Q_SIGNALS:
    void idlePromptMinutesChanged(int minutes);
    void dailyGoalChanged(int goal);
    void showingTimerWindowChanged(bool showing);
    void silencingNotificationsChanged(bool silencing);

private:
    QAction* addSwitch(QMenu* menu, const QString& title, void (ZKMenu::*toggle)());
    QAction* addCommand(QMenu* menu, const QString& title, void (ZKMenu::*command)());
    void markSelectedSound(const QString& name);
    // Disabled with the reason where the desktop lacks what the item needs.
    void markAvailable(QAction* item, bool available);
    // The choices under "Ask After Idle", Off first; each one's data is its minutes.
    QList<QAction*> idlePromptItems() const;
    // "Daily Goal": None first; each choice's data is its work periods.
    QMenu* dailyGoalMenu(QMenu* parent);
    void openURL(const QString& string);
    void showWindow(KPUtilityWindow* window);

    KPMenuBarTimeDisplay* m_menuBarTimeDisplay = nullptr;
    bool m_isLaunchingAtLogin = false;
    bool m_isShowingSeconds = true;
    bool m_isSmallDisplayEnabled = false;
    bool m_isTickingEnabled = false;
    bool m_isAutohidingDisplay = false;
    bool m_isShowingCycleCount = true;
    bool m_isNotifyingAtPeriodEnd = true;
    bool m_isPausingWhenLocked = false;
    bool m_isStartingBreaksAutomatically = true;
    bool m_isStartingWorkAutomatically = true;
    bool m_isShowingBreakScreen = false;
    int m_idlePromptMinutes = 0;
    int m_dailyGoal = 0;
    bool m_isShowingTimerWindow = false;
    bool m_isSilencingNotifications = false;
    QString m_soundName = QStringLiteral("Blow");
    KPSoundMenu* m_soundMenu = nullptr;
    QAction* m_autodhideDisplayMenuItem = nullptr;
    QAction* m_showCycleCountMenuItem = nullptr;
    QAction* m_launchAtLoginMenuItem = nullptr;
    QAction* m_showSecondsMenuItem = nullptr;
    QAction* m_smallDisplayMenuItem = nullptr;
    QAction* m_enableTickingMenuItem = nullptr;
    QAction* m_notifyAtPeriodEndMenuItem = nullptr;
    QAction* m_pauseWhenLockedMenuItem = nullptr;
    QAction* m_startBreaksMenuItem = nullptr;
    QAction* m_startWorkMenuItem = nullptr;
    QAction* m_extendMenuItem = nullptr;
    QAction* m_askAfterIdleMenuItem = nullptr;
    QAction* m_breakScreenMenuItem = nullptr;
    QAction* m_dailyGoalMenuItem = nullptr;
    QAction* m_showTimerWindowMenuItem = nullptr;
    QAction* m_silenceNotificationsMenuItem = nullptr;
};
