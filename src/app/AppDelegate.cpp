#include "AppDelegate.h"

#include "app/HookRunner.h"
#include "app/PeriodEndNotifier.h"
#include "app/PeriodHooks.h"
#include "app/TopBarHint.h"
#include "app/WorkSilence.h"
#include "history/DailyProgress.h"
#include "history/HistoryStore.h"
#include "history/PeriodRecorder.h"
#include "menubar/KPMenuBarMenuButton.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "menus/ZKMenu.h"
#include "menus/ZKStatusMenu.h"
#include "platform/RunLoop.h"
#include "platform/fullscreen/FullScreenFocus.h"
#include "platform/session/IdleTime.h"
#include "platform/session/SessionWatcher.h"
#include "platform/shortcuts/GlobalShortcuts.h"
#include "platform/store/Defaults.h"
#include "platform/tray/StatusItem.h"
#include "platform/update/Updater.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"
#include "timing/AwayController.h"
#include "timing/KPTimeBoxManager.h"
#include "windows/ZKBreakScreen.h"
#include "windows/ZKIdlePromptWindow.h"
#include "windows/ZKPopover.h"
#include "windows/ZKStatisticsWindow.h"
#include "windows/ZKTimeEditorWindow.h"
#include "windows/ZKTimeSettingsWindow.h"
#include "windows/ZKTimerWindow.h"

#include <QCoreApplication>

AppDelegate::AppDelegate()
    : m_menu(std::make_unique<ZKMenu>()), m_updater(std::make_unique<Updater>())
{}

AppDelegate::~AppDelegate()
{
    // The period running at quit is kept, as abandoned.
    if (m_periodRecorder)
        m_periodRecorder->flush();
    // The display holds the timer that reports to the manager and, through it,
    // to the popover: it goes first.
    m_menuBarTimeDisplay.reset();
}

void AppDelegate::setup()
{
    if (m_isSetup)
        return;
    m_isSetup = true;
    // Before the display, which binds the stored shortcuts when it receives its timer.
    m_globalShortcuts = GlobalShortcuts::create(Defaults::standard());
    GlobalShortcuts::setShared(m_globalShortcuts.get());
    m_popover = std::make_unique<ZKPopover>();
    m_menuBarTimeDisplay = std::make_unique<KPMenuBarTimeDisplay>();
    m_timeBoxManager = std::make_unique<KPTimeBoxManager>();
    m_menuBarTimeDisplay->menuButton()->setImageNamed(QStringLiteral("menubarIcon"));
    m_menuBarTimeDisplay->setMenuButtonMode(KPMenuBarTimeDisplay::MenuButtonMode::hide);
    m_menuBarTimeDisplay->menuButton()->setDelegate(this);
    m_timeBoxManager->setDelegate(m_popover.get());
    m_timeBoxManager->setMenuBarTimeDisplay(m_menuBarTimeDisplay.get());
    m_menu->setMenuBarTimeDisplay(m_menuBarTimeDisplay.get());
    m_menu->loadPreferences();
    m_statusMenu =
        std::make_unique<ZKStatusMenu>(*m_menu, *m_menuBarTimeDisplay, [this] { showPopover(); });
    m_timeEditorWindow = std::make_unique<ZKTimeEditorWindow>(m_menuBarTimeDisplay->statusItem());
    m_timeSettingsWindow =
        std::make_unique<ZKTimeSettingsWindow>(m_menuBarTimeDisplay->statusItem());
    setupAway();
    // After the away controller: it hears each end first and marks one that came in sleep.
    m_periodEndNotifier = std::make_unique<PeriodEndNotifier>(*m_timeBoxManager);
    connect(m_awayController.get(), &AwayController::periodEndedAway, m_periodEndNotifier.get(),
            &PeriodEndNotifier::setNextEndAway);
    connect(m_awayController.get(), &AwayController::pauseNoteChanged, m_periodEndNotifier.get(),
            &PeriodEndNotifier::tellPaused);
    connect(m_periodEndNotifier.get(), &PeriodEndNotifier::openRequested, this,
            &AppDelegate::showPopover);
    m_historyStore = std::make_unique<HistoryStore>();
    m_periodRecorder = std::make_unique<PeriodRecorder>(*m_timeBoxManager, *m_historyStore);
    connect(m_popover->taskList()->taskManager(), &KPTaskManager::workCycleCredited,
            m_periodRecorder.get(), &PeriodRecorder::taskCredited);
    connect(qApp, &QCoreApplication::aboutToQuit, m_periodRecorder.get(), &PeriodRecorder::flush);
    PeriodRecorder* recorder = m_periodRecorder.get();
    connect(m_awayController.get(), &AwayController::pausingFor, recorder,
            &PeriodRecorder::setNextPauseCause);
    connect(m_awayController.get(), &AwayController::countedDiscarded, recorder,
            &PeriodRecorder::discardCounted);
    connect(m_sessionWatcher.get(), &SessionWatcher::sleepChanged, recorder,
            &PeriodRecorder::sleepChanged);
    setupPeriodFollowers();
    StatusItem* item = m_menuBarTimeDisplay->statusItem();
    item->setToolTipTitle(ZKPopover::title(m_timeBoxManager->state()));
    connect(m_timeBoxManager.get(), &KPTimeBoxManager::periodDidEnd, item,
            [item](KPTimeBoxManager::State, KPTimeBoxManager::State state) {
                item->setToolTipTitle(ZKPopover::title(state));
            });
    connect(m_popover.get(), &ZKPopover::popoverDidClose, this, &AppDelegate::popoverDidClose);
    setupGoalAndTimerWindow();
    PeriodEndNotifier* notifier = m_periodEndNotifier.get();
    m_topBarHint = std::make_unique<TopBarHint>(
        *item, [notifier](const QString& summary, const QString& body) {
            notifier->notifications().notify(summary, body);
        });
}

void AppDelegate::setupWorkSilence(SdBusConnection& connection)
{
    if (!m_isSetup || m_workSilence)
        return;
    m_workSilence = std::make_unique<WorkSilence>(*m_timeBoxManager, connection);
    WorkSilence* silence = m_workSilence.get();
    m_periodEndNotifier->setSilence(silence);
    m_menu->setSilenceAvailable(silence->isAvailable());
    connect(silence, &WorkSilence::availabilityChanged, m_menu.get(), &ZKMenu::setSilenceAvailable);
    connect(m_menu.get(), &ZKMenu::silencingNotificationsChanged, silence,
            &WorkSilence::setEnabled);
    connect(qApp, &QCoreApplication::aboutToQuit, silence, &WorkSilence::restoreAtQuit);
}

ZKStatisticsWindow* AppDelegate::statisticsWindow()
{
    if (!m_statisticsWindow && m_historyStore) {
        HistoryStore* store = m_historyStore.get();
        m_statisticsWindow = std::make_unique<ZKStatisticsWindow>(
            m_menuBarTimeDisplay ? m_menuBarTimeDisplay->statusItem() : nullptr,
            [store](const QDateTime& since,
                    const QDateTime& until) -> std::optional<QList<HistoryRecord>> {
                bool read = false;
                QList<HistoryRecord> records = store->records(since, until, &read);
                if (!read)
                    return std::nullopt;
                return records;
            },
            [store] { return store->clear(); });
        // A period that ends while the window is open shows in it at once.
        ZKStatisticsWindow* window = m_statisticsWindow.get();
        window->setDailyGoal(m_menu->dailyGoal());
        connect(m_menu.get(), &ZKMenu::dailyGoalChanged, window, &ZKStatisticsWindow::setDailyGoal);
        connect(m_periodRecorder.get(), &PeriodRecorder::periodEnded, window, [window] {
            if (window->isVisible())
                window->refresh();
        });
    }
    return m_statisticsWindow.get();
}

void AppDelegate::setupPeriodFollowers()
{
    KPTaskManager* tasks = m_popover->taskList()->taskManager();
    m_hookRunner = std::make_unique<HookRunner>(Defaults::standard());
    m_periodHooks =
        std::make_unique<PeriodHooks>(*m_periodRecorder, *m_timeBoxManager, *m_hookRunner, tasks);
    m_breakScreen = std::make_unique<ZKBreakScreen>(*m_periodRecorder, *m_timeBoxManager, tasks,
                                                    FullScreenFocus::create());
}

void AppDelegate::setupGoalAndTimerWindow()
{
    m_dailyProgress = std::make_unique<DailyProgress>(*m_historyStore);
    DailyProgress* progress = m_dailyProgress.get();
    ZKPopover* popover = m_popover.get();
    connect(progress, &DailyProgress::changed, popover,
            [progress, popover] { popover->setDailyProgressText(progress->text()); });
    connect(m_periodRecorder.get(), &PeriodRecorder::periodEnded, progress,
            &DailyProgress::recount);
    connect(m_menu.get(), &ZKMenu::dailyGoalChanged, progress, &DailyProgress::setGoal);
    progress->setGoal(m_menu->dailyGoal());

    m_timerWindow = std::make_unique<ZKTimerWindow>(
        *m_menuBarTimeDisplay, m_popover->taskList()->taskManager(), Defaults::standard());
    ZKTimerWindow* window = m_timerWindow.get();
    connect(m_menu.get(), &ZKMenu::showingTimerWindowChanged, window, &ZKTimerWindow::setShown);
    connect(window, &ZKTimerWindow::hideRequested, m_menu.get(),
            [this] { m_menu->setShowingTimerWindow(false); });
    window->setShown(m_menu->isShowingTimerWindow());
}

void AppDelegate::setupAway()
{
    m_sessionWatcher = std::make_unique<SessionWatcher>();
    m_idleTime = IdleTime::create();
    m_awayController =
        std::make_unique<AwayController>(*m_timeBoxManager, *m_sessionWatcher, m_idleTime.get());
    m_idlePromptWindow =
        std::make_unique<ZKIdlePromptWindow>(m_menuBarTimeDisplay->statusItem(), *m_awayController);
    AwayController* away = m_awayController.get();
    connect(away, &AwayController::pauseNoteChanged, m_popover.get(), &ZKPopover::setPauseNote);
    connect(m_menu.get(), &ZKMenu::idlePromptMinutesChanged, away,
            &AwayController::idlePreferenceChanged);
    m_menu->setIdleAvailable(away->isIdleAvailable());
    connect(away, &AwayController::idleAvailabilityChanged, m_menu.get(),
            &ZKMenu::setIdleAvailable);
    m_sessionWatcher->start();
}

void AppDelegate::menuBarMenuButtonClicked(KPMenuBarMenuButton*)
{
    togglePopover();
}

void AppDelegate::didSelectSound(const QString& named)
{
    m_menu->setSoundName(named);
}

void AppDelegate::togglePopover()
{
    if (!m_menuBarTimeDisplay || !m_menuBarTimeDisplay->statusItem()->button())
        return;
    if (m_menuBarTimeDisplay->isHighlighted()) {
        m_menuBarTimeDisplay->setHighlighted(false);
        m_popover->close();
        return;
    }
    // After the click has been handled, so the popover opens on a settled item.
    RunLoop::main().post(this, [this] {
        m_menuBarTimeDisplay->setHighlighted(true);
        m_popover->showRelativeToRect(m_menuBarTimeDisplay->statusItem()->buttonGeometry());
    });
}

void AppDelegate::showPopover()
{
    if (m_menuBarTimeDisplay && !m_menuBarTimeDisplay->isHighlighted())
        togglePopover();
}

void AppDelegate::applicationDidResignActive()
{
    if (m_popover)
        m_popover->close();
}

void AppDelegate::popoverDidClose()
{
    RunLoop::main().post(this, [this] { m_menuBarTimeDisplay->setHighlighted(false); });
}
