#include "ZKMenu.h"

#include "menubar/KPMenuBarTimeDisplay.h"
#include "menus/KPSoundMenu.h"
#include "platform/Defaults.h"
#include "platform/LoginItem.h"
#include "platform/Sound.h"
#include "platform/Updater.h"
#include "platform/Workspace.h"
#include "tasks/KPTaskList.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "windows/ApplicationDelegate.h"
#include "windows/ZKPopover.h"
#include "windows/ZKStatisticsWindow.h"
#include "windows/ZKTimeEditorWindow.h"
#include "windows/ZKTimeSettingsWindow.h"

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
    addCommand(this, tr("Statistics"), &ZKMenu::showStatisticsWindow);
    addSeparator();
    m_autodhideDisplayMenuItem =
        addSwitch(this, tr("Autohide Display"), &ZKMenu::toggleAutohideDisplay);
    m_smallDisplayMenuItem = addSwitch(this, tr("Small Display"), &ZKMenu::toggleSmallDisplay);
    m_showSecondsMenuItem = addSwitch(this, tr("Show Seconds"), &ZKMenu::toggleShowSeconds);
    m_showCycleCountMenuItem =
        addSwitch(this, tr("Show Cycle Count"), &ZKMenu::toggleShowCycleCount);
    addSeparator();
    m_enableTickingMenuItem = addSwitch(this, tr("Enable Ticking"), &ZKMenu::toggleEnableTicking);
    addAction(tr("Sound"))->setMenu(m_soundMenu);
    addSeparator();

    auto* more = new QMenu(tr("More"), this);
    m_launchAtLoginMenuItem = addSwitch(more, tr("Launch at Login"), &ZKMenu::toggleLaunchAtLogin);
    m_notifyAtPeriodEndMenuItem =
        addSwitch(more, tr("Notify at Period End"), &ZKMenu::toggleNotifyAtPeriodEnd);
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
    ApplicationDelegate* application = ApplicationDelegate::current();
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
    if (ApplicationDelegate* application = ApplicationDelegate::current())
        application->togglePopover();
}

void ZKMenu::toggleNotifyAtPeriodEnd()
{
    setNotifyingAtPeriodEnd(!m_isNotifyingAtPeriodEnd);
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
    ApplicationDelegate* application = ApplicationDelegate::current();
    showWindow(application ? application->timeEditorWindow() : nullptr);
}

void ZKMenu::showTimeSettingsWindow()
{
    ApplicationDelegate* application = ApplicationDelegate::current();
    showWindow(application ? application->timeSettingsWindow() : nullptr);
}

void ZKMenu::showStatisticsWindow()
{
    ApplicationDelegate* application = ApplicationDelegate::current();
    showWindow(application ? application->statisticsWindow() : nullptr);
}

void ZKMenu::showWindow(KPUtilityWindow* window)
{
    ApplicationDelegate* application = ApplicationDelegate::current();
    if (!application)
        return;
    if (ZKPopover* popover = application->popover())
        popover->close();
    if (window)
        window->makeKeyAndOrderFront();
}

void ZKMenu::checkForUpdates()
{
    ApplicationDelegate* application = ApplicationDelegate::current();
    if (Updater* updater = application ? application->updater() : nullptr)
        updater->checkForUpdates();
}
