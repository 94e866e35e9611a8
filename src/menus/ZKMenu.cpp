#include "ZKMenu.h"

#include "menubar/KPMenuBarTimeDisplay.h"
#include "menus/KPSoundMenu.h"
#include "platform/Workspace.h"
#include "platform/session/LoginItem.h"
#include "platform/sound/Sound.h"
#include "platform/store/Defaults.h"
#include "platform/update/Updater.h"
#include "tasks/KPTaskList.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "windows/AppDelegateInterface.h"
#include "windows/ZKPopover.h"
#include "windows/ZKStatisticsWindow.h"
#include "windows/ZKTimeEditorWindow.h"
#include "windows/ZKTimeSettingsWindow.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLabel>

using Keys = PreferenceKeys;

ZKMenu::ZKMenu(QWidget* parent)
    : QMenu(parent), m_soundMenu(new KPSoundMenu(Sound::systemSoundFolder(), this))
{
    setObjectName(QStringLiteral("ZKMenu"));
    setTitle(tr("Preferences Menu"));

    addCommand(this, tr("Time Settings"), &ZKMenu::showTimeSettingsWindow);
    addCommand(this, tr("Edit Time"), &ZKMenu::showTimeEditorWindow);
    m_extendMenuItem = addCommand(this, tr("+5 Minutes"), &ZKMenu::extendPeriod);
    // A stopwatch has no period to extend.
    connect(this, &QMenu::aboutToShow, this, [this] {
        const KPTimer* timer = m_menuBarTimeDisplay ? m_menuBarTimeDisplay->timer() : nullptr;
        m_extendMenuItem->setEnabled(timer && timer->countType() == KPTimer::CountType::down);
    });
    addCommand(this, tr("Statistics"), &ZKMenu::showStatisticsWindow);
    addSeparator();
    m_autodhideDisplayMenuItem =
        addSwitch(this, tr("Autohide Display"), &ZKMenu::toggleAutohideDisplay);
    m_smallDisplayMenuItem = addSwitch(this, tr("Small Display"), &ZKMenu::toggleSmallDisplay);
    m_showSecondsMenuItem = addSwitch(this, tr("Show Seconds"), &ZKMenu::toggleShowSeconds);
    m_showCycleCountMenuItem =
        addSwitch(this, tr("Show Cycle Count"), &ZKMenu::toggleShowCycleCount);
    m_showTimerWindowMenuItem =
        addSwitch(this, tr("Show Timer Window"), &ZKMenu::toggleShowTimerWindow);
    addSeparator();
    m_enableTickingMenuItem = addSwitch(this, tr("Enable Ticking"), &ZKMenu::toggleEnableTicking);
    addAction(tr("Sound"))->setMenu(m_soundMenu);
    addSeparator();

    auto* more = new QMenu(tr("More"), this);
    m_launchAtLoginMenuItem = addSwitch(more, tr("Launch at Login"), &ZKMenu::toggleLaunchAtLogin);
    m_notifyAtPeriodEndMenuItem =
        addSwitch(more, tr("Notify at Period End"), &ZKMenu::toggleNotifyAtPeriodEnd);
    m_pauseWhenLockedMenuItem =
        addSwitch(more, tr("Pause When Locked"), &ZKMenu::togglePauseWhenLocked);
    m_startBreaksMenuItem =
        addSwitch(more, tr("Start Breaks Automatically"), &ZKMenu::toggleStartBreaks);
    m_startWorkMenuItem = addSwitch(more, tr("Start Work Automatically"), &ZKMenu::toggleStartWork);
    auto* idle = new QMenu(tr("Ask After Idle"), more);
    auto* choices = new QActionGroup(idle);
    for (const int minutes : {0, 5, 10, 15, 30}) {
        QAction* item = idle->addAction(minutes ? tr("%n minutes", nullptr, minutes) : tr("Off"));
        item->setCheckable(true);
        item->setData(minutes);
        choices->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, minutes] { setIdlePromptMinutes(minutes); });
    }
    m_askAfterIdleMenuItem = more->addMenu(idle);
    m_breakScreenMenuItem = addSwitch(more, tr("Break Screen"), &ZKMenu::toggleBreakScreen);
    m_dailyGoalMenuItem = more->addMenu(dailyGoalMenu(more));
    m_silenceNotificationsMenuItem = addSwitch(more, tr("Silence Notifications During Work"),
                                               &ZKMenu::toggleSilenceNotifications);
    setSilenceAvailable(false); // until the desktop has answered
    more->setToolTipsVisible(true);
    more->addSeparator();
    addCommand(more, tr("Check for Updates"), &ZKMenu::checkForUpdates);
    addCommand(more, tr("Questions/Problems/Suggestions"), &ZKMenu::support);
    addMenu(more);
    connect(addAction(tr("Quit")), &QAction::triggered, qApp, &QCoreApplication::quit);
}

ZKMenu::~ZKMenu() = default;

QAction* ZKMenu::addSwitch(QMenu* menu, const QString& title, void (ZKMenu::*toggle)())
{
    QAction* item = menu->addAction(title);
    item->setCheckable(true);
    // The property's observer sets the mark, not the click: a login item that
    // cannot be changed keeps the mark it had.
    connect(item, &QAction::triggered, this, [this, item, toggle] {
        item->setChecked(!item->isChecked());
        (this->*toggle)();
    });
    return item;
}

QAction* ZKMenu::addCommand(QMenu* menu, const QString& title, void (ZKMenu::*command)())
{
    QAction* item = menu->addAction(title);
    connect(item, &QAction::triggered, this, command);
    return item;
}

void ZKMenu::loadPreferences()
{
    const Defaults& store = Defaults::standard();
    setLaunchingAtLogin(Keys::boolean(store, Keys::isLaunchingAtLogin));
    setShowingSeconds(Keys::boolean(store, Keys::isShowingSeconds));
    setSmallDisplayEnabled(Keys::boolean(store, Keys::isSmallDisplayEnabled));
    setTickingEnabled(Keys::boolean(store, Keys::isTickingEnabled));
    setShowingCycleCount(Keys::boolean(store, Keys::isShowingCycleCount));
    setAutohidingDisplay(Keys::boolean(store, Keys::isAutohidingDisplay));
    setNotifyingAtPeriodEnd(Keys::boolean(store, Keys::isNotifyingAtPeriodEnd));
    setPausingWhenLocked(Keys::boolean(store, Keys::isPausingWhenLocked));
    setStartingBreaksAutomatically(Keys::boolean(store, Keys::isStartingBreaksAutomatically));
    setStartingWorkAutomatically(Keys::boolean(store, Keys::isStartingWorkAutomatically));
    setIdlePromptMinutes(int(Keys::integer(store, Keys::idlePromptMinutes)));
    setShowingBreakScreen(Keys::boolean(store, Keys::isShowingBreakScreen));
    setDailyGoal(int(Keys::integer(store, Keys::dailyGoal)));
    setShowingTimerWindow(Keys::boolean(store, Keys::isShowingTimerWindow));
    setSilencingNotifications(Keys::boolean(store, Keys::isSilencingNotificationsDuringWork));
    setSoundName(Keys::string(store, Keys::soundName));
}

void ZKMenu::setLaunchingAtLogin(bool launching)
{
    m_isLaunchingAtLogin = launching;
    Defaults::standard().setBoolean(Keys::isLaunchingAtLogin, launching);
    if (LoginItem::setEnabled(loginItemHelperIdentifier, launching))
        m_launchAtLoginMenuItem->setChecked(launching);
}

void ZKMenu::setShowingSeconds(bool showing)
{
    m_isShowingSeconds = showing;
    Defaults::standard().setBoolean(Keys::isShowingSeconds, showing);
    m_showSecondsMenuItem->setChecked(showing);
    if (m_menuBarTimeDisplay)
        m_menuBarTimeDisplay->setHideSeconds(!showing);
}

void ZKMenu::setSmallDisplayEnabled(bool enabled)
{
    m_isSmallDisplayEnabled = enabled;
    Defaults::standard().setBoolean(Keys::isSmallDisplayEnabled, enabled);
    m_smallDisplayMenuItem->setChecked(enabled);
    if (m_menuBarTimeDisplay)
        m_menuBarTimeDisplay->setDisplaySize(enabled ? KPMenuBarTimeDisplay::DisplaySize::small
                                                     : KPMenuBarTimeDisplay::DisplaySize::regular);
}

void ZKMenu::setTickingEnabled(bool enabled)
{
    m_isTickingEnabled = enabled;
    Defaults::standard().setBoolean(Keys::isTickingEnabled, enabled);
    m_enableTickingMenuItem->setChecked(enabled);
    if (m_menuBarTimeDisplay && m_menuBarTimeDisplay->timer())
        m_menuBarTimeDisplay->timer()->setTicking(enabled);
}

void ZKMenu::setAutohidingDisplay(bool autohiding)
{
    m_isAutohidingDisplay = autohiding;
    Defaults::standard().setBoolean(Keys::isAutohidingDisplay, autohiding);
    m_autodhideDisplayMenuItem->setChecked(autohiding);
    if (m_menuBarTimeDisplay)
        m_menuBarTimeDisplay->setMenuButtonMode(
            autohiding ? KPMenuBarTimeDisplay::MenuButtonMode::replacesDisplay
                       : KPMenuBarTimeDisplay::MenuButtonMode::hide);
}

void ZKMenu::setShowingCycleCount(bool showing)
{
    m_isShowingCycleCount = showing;
    Defaults::standard().setBoolean(Keys::isShowingCycleCount, showing);
    m_showCycleCountMenuItem->setChecked(showing);
    AppDelegateInterface* application = AppDelegateInterface::current();
    ZKPopover* popover = application ? application->popover() : nullptr;
    if (!popover)
        return;
    popover->cyclesLabel()->setVisible(showing);
    popover->taskList()->setShowingCycles(showing);
    popover->taskList()->updateCyclesColumnWidth();
}

// Read again at each period's end: the mark and the stored value are all it takes.
void ZKMenu::setNotifyingAtPeriodEnd(bool notifying)
{
    m_isNotifyingAtPeriodEnd = notifying;
    Defaults::standard().setBoolean(Keys::isNotifyingAtPeriodEnd, notifying);
    m_notifyAtPeriodEndMenuItem->setChecked(notifying);
}

// Read at each lock or sleep, like the notification switch.
void ZKMenu::setPausingWhenLocked(bool pausing)
{
    m_isPausingWhenLocked = pausing;
    Defaults::standard().setBoolean(Keys::isPausingWhenLocked, pausing);
    m_pauseWhenLockedMenuItem->setChecked(pausing);
}

// Read at each period's end, like the notification switch.
void ZKMenu::setStartingBreaksAutomatically(bool starting)
{
    m_isStartingBreaksAutomatically = starting;
    Defaults::standard().setBoolean(Keys::isStartingBreaksAutomatically, starting);
    m_startBreaksMenuItem->setChecked(starting);
}

void ZKMenu::setStartingWorkAutomatically(bool starting)
{
    m_isStartingWorkAutomatically = starting;
    Defaults::standard().setBoolean(Keys::isStartingWorkAutomatically, starting);
    m_startWorkMenuItem->setChecked(starting);
}

// Read at each break's start.
void ZKMenu::setShowingBreakScreen(bool showing)
{
    m_isShowingBreakScreen = showing;
    Defaults::standard().setBoolean(Keys::isShowingBreakScreen, showing);
    m_breakScreenMenuItem->setChecked(showing);
}

void ZKMenu::setIdlePromptMinutes(int minutes)
{
    m_idlePromptMinutes = minutes;
    Defaults::standard().setInteger(Keys::idlePromptMinutes, minutes);
    for (QAction* item : idlePromptItems())
        item->setChecked(item->data().toInt() == minutes);
    Q_EMIT idlePromptMinutesChanged(minutes);
}

QMenu* ZKMenu::dailyGoalMenu(QMenu* parent)
{
    auto* goals = new QMenu(tr("Daily Goal"), parent);
    auto* choices = new QActionGroup(goals);
    for (const int goal : {0, 4, 6, 8, 10, 12}) {
        QAction* item = goals->addAction(goal ? tr("%n work periods", nullptr, goal) : tr("None"));
        item->setCheckable(true);
        item->setData(goal);
        choices->addAction(item);
        connect(item, &QAction::triggered, this, [this, goal] { setDailyGoal(goal); });
    }
    return goals;
}

void ZKMenu::setDailyGoal(int goal)
{
    m_dailyGoal = goal;
    Defaults::standard().setInteger(Keys::dailyGoal, goal);
    for (QAction* item : m_dailyGoalMenuItem->menu()->actions())
        item->setChecked(item->data().toInt() == goal);
    Q_EMIT dailyGoalChanged(goal);
}

void ZKMenu::setShowingTimerWindow(bool showing)
{
    m_isShowingTimerWindow = showing;
    Defaults::standard().setBoolean(Keys::isShowingTimerWindow, showing);
    m_showTimerWindowMenuItem->setChecked(showing);
    Q_EMIT showingTimerWindowChanged(showing);
}

void ZKMenu::toggleShowTimerWindow()
{
    // Like the other windows, it opens in place of the popover.
    AppDelegateInterface* application = AppDelegateInterface::current();
    if (ZKPopover* popover =
            application && !m_isShowingTimerWindow ? application->popover() : nullptr)
        popover->close();
    setShowingTimerWindow(!m_isShowingTimerWindow);
}

QList<QAction*> ZKMenu::idlePromptItems() const
{
    return m_askAfterIdleMenuItem->menu()->actions();
}

void ZKMenu::setIdleAvailable(bool available)
{
    markAvailable(m_askAfterIdleMenuItem, available);
}

void ZKMenu::markAvailable(QAction* item, bool available)
{
    item->setEnabled(available);
    const QString why = available ? QString() : tr("Not available on this desktop");
    item->setToolTip(why);
    item->setStatusTip(why);
}

void ZKMenu::setSilencingNotifications(bool silencing)
{
    m_isSilencingNotifications = silencing;
    Defaults::standard().setBoolean(Keys::isSilencingNotificationsDuringWork, silencing);
    m_silenceNotificationsMenuItem->setChecked(silencing);
    Q_EMIT silencingNotificationsChanged(silencing);
}

void ZKMenu::setSilenceAvailable(bool available)
{
    markAvailable(m_silenceNotificationsMenuItem, available);
}

void ZKMenu::setSoundName(const QString& name)
{
    m_soundName = name;
    Defaults::standard().setString(Keys::soundName, name);
    markSelectedSound(name);
    if (m_menuBarTimeDisplay && m_menuBarTimeDisplay->timer())
        m_menuBarTimeDisplay->timer()->setAlarmSound(Sound::named(name));
}

void ZKMenu::markSelectedSound(const QString& name)
{
    for (QAction* item : m_soundMenu->actions()) {
        if (!item->isSeparator())
            item->setChecked(KPSoundMenu::soundName(item) == name);
    }
}

void ZKMenu::toggleShowCycleCount()
{
    setShowingCycleCount(!m_isShowingCycleCount);
}

void ZKMenu::toggleAutohideDisplay()
{
    setAutohidingDisplay(!m_isAutohidingDisplay);
}

void ZKMenu::toggleLaunchAtLogin()
{
    setLaunchingAtLogin(!m_isLaunchingAtLogin);
}

void ZKMenu::toggleEnableTicking()
{
    setTickingEnabled(!m_isTickingEnabled);
}

void ZKMenu::toggleShowSeconds()
{
    setShowingSeconds(!m_isShowingSeconds);
}

void ZKMenu::toggleSmallDisplay()
{
    setSmallDisplayEnabled(!m_isSmallDisplayEnabled);
    // Shown from the open popover: this closes it.
    if (AppDelegateInterface* application = AppDelegateInterface::current())
        application->togglePopover();
}

void ZKMenu::toggleNotifyAtPeriodEnd()
{
    setNotifyingAtPeriodEnd(!m_isNotifyingAtPeriodEnd);
}

void ZKMenu::togglePauseWhenLocked()
{
    setPausingWhenLocked(!m_isPausingWhenLocked);
}

void ZKMenu::toggleStartBreaks()
{
    setStartingBreaksAutomatically(!m_isStartingBreaksAutomatically);
}

void ZKMenu::toggleStartWork()
{
    setStartingWorkAutomatically(!m_isStartingWorkAutomatically);
}

void ZKMenu::extendPeriod()
{
    // A stopwatch, or a period at the bound, takes no more.
    if (m_menuBarTimeDisplay && m_menuBarTimeDisplay->timer())
        m_menuBarTimeDisplay->timer()->extend(KPTimer::defaultExtensionSeconds);
}

void ZKMenu::toggleBreakScreen()
{
    setShowingBreakScreen(!m_isShowingBreakScreen);
}

void ZKMenu::toggleSilenceNotifications()
{
    setSilencingNotifications(!m_isSilencingNotifications);
}

void ZKMenu::support()
{
    openURL(supportMailURL);
}

void ZKMenu::openURL(const QString& string)
{
    const QUrl url(string, QUrl::StrictMode);
    if (url.isValid())
        Workspace::openURL(url);
}

void ZKMenu::showTimeEditorWindow()
{
    AppDelegateInterface* application = AppDelegateInterface::current();
    showWindow(application ? application->timeEditorWindow() : nullptr);
}

void ZKMenu::showTimeSettingsWindow()
{
    AppDelegateInterface* application = AppDelegateInterface::current();
    showWindow(application ? application->timeSettingsWindow() : nullptr);
}

void ZKMenu::showStatisticsWindow()
{
    AppDelegateInterface* application = AppDelegateInterface::current();
    showWindow(application ? application->statisticsWindow() : nullptr);
}

void ZKMenu::showWindow(KPUtilityWindow* window)
{
    AppDelegateInterface* application = AppDelegateInterface::current();
    if (!application)
        return;
    if (ZKPopover* popover = application->popover())
        popover->close();
    if (window)
        window->makeKeyAndOrderFront();
}

void ZKMenu::checkForUpdates()
{
    AppDelegateInterface* application = AppDelegateInterface::current();
    if (Updater* updater = application ? application->updater() : nullptr)
        updater->checkForUpdates();
}
