#pragma once

#include <QString>
#include <QStringList>

class Defaults;

// Every key of the standard store with its default, and readers that follow
// one rule: an absent value, or one of the wrong type, reads as the default.
class PreferenceKeys
{
public:
    static inline const QString workLength = QStringLiteral("workLength");
    static inline const QString shortBreakLength = QStringLiteral("shortBreakLength");
    static inline const QString longBreakLength = QStringLiteral("longBreakLength");
    static inline const QString longBreakInterval = QStringLiteral("longBreakInterval");
    static inline const QString isLaunchingAtLogin = QStringLiteral("isLaunchingAtLogin");
    static inline const QString isShowingSeconds = QStringLiteral("isShowingSeconds");
    static inline const QString isSmallDisplayEnabled = QStringLiteral("isSmallDisplayEnabled");
    static inline const QString isTickingEnabled = QStringLiteral("isTickingEnabled");
    static inline const QString isShowingCycleCount = QStringLiteral("isShowingCycleCount");
    static inline const QString isAutohidingDisplay = QStringLiteral("isAutohidingDisplay");
    // A desktop notification when a period ends.
    static inline const QString isNotifyingAtPeriodEnd = QStringLiteral("isNotifyingAtPeriodEnd");
    // Off, the period that follows work (or a break) is set when the one before
    // ends but waits, paused, for the user to start it.
    static inline const QString isStartingBreaksAutomatically =
        QStringLiteral("isStartingBreaksAutomatically");
    static inline const QString isStartingWorkAutomatically =
        QStringLiteral("isStartingWorkAutomatically");
    // A running period pauses when the session locks or the machine sleeps.
    static inline const QString isPausingWhenLocked = QStringLiteral("isPausingWhenLocked");
    // Minutes without input in a work period after which the user is asked; 0 asks never.
    static inline const QString idlePromptMinutes = QStringLiteral("idlePromptMinutes");
    // Work periods a day the user aims for; 0 sets no goal.
    static inline const QString dailyGoal = QStringLiteral("dailyGoal");
    // The timer window shown, kept above other windows, and where it stood
    // per screen set-up ("set-up=x,y" each).
    static inline const QString isShowingTimerWindow = QStringLiteral("isShowingTimerWindow");
    static inline const QString isTimerWindowOnTop = QStringLiteral("isTimerWindowOnTop");
    static inline const QString timerWindowPlaces = QStringLiteral("timerWindowPlaces");
    // Other applications' notifications are held while a work period counts.
    static inline const QString isSilencingNotificationsDuringWork =
        QStringLiteral("isSilencingNotificationsDuringWork");
    // Set while they are held: the name of the desktop's way that holds them.
    static inline const QString notificationsSilencedBy = QStringLiteral("notificationsSilencedBy");
    static inline const QString soundName = QStringLiteral("soundName");
    // Commands of the user's own, by event ("workEnded": "playerctl play").
    static inline const QString hooks = QStringLiteral("hooks");
    // A dimmed screen over every monitor while a break counts.
    static inline const QString isShowingBreakScreen = QStringLiteral("isShowingBreakScreen");
    static inline const QString tasks = QStringLiteral("tasks");
    static inline const QString shortcutStrings = QStringLiteral("shortcutStrings");
    // Set once GNOME's user has been told how to have the time in the top bar.
    static inline const QString didTellAboutTopBar = QStringLiteral("didTellAboutTopBar");

    // The suite shared with the sibling product, and its one key.
    static inline const QString sharedSuiteName = QStringLiteral("horva-group");
    static inline const QString currentTime = QStringLiteral("currentTime");

    static constexpr qint64 defaultWorkLength = 1500;
    static constexpr qint64 defaultShortBreakLength = 300;
    static constexpr qint64 defaultLongBreakLength = 1200;
    static constexpr qint64 defaultLongBreakInterval = 4;
    static inline const QString defaultSoundName = QStringLiteral("Blow");
    static constexpr qint64 longestIdlePromptMinutes = 240;
    static constexpr qint64 largestDailyGoal = 100;

    // The default of an integer or Boolean key; 0 or false for keys without one.
    static qint64 integerDefault(const QString& key);
    static bool booleanDefault(const QString& key);

    // Integers with bounds (idlePromptMinutes, dailyGoal) read as the default outside them.
    static qint64 integer(const Defaults& store, const QString& key);
    static bool boolean(const Defaults& store, const QString& key);
    static QString string(const Defaults& store, const QString& key);
    // Empty when absent or when any element is not a string.
    static QStringList stringList(const Defaults& store, const QString& key);
};
