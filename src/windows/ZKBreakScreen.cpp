#include "ZKBreakScreen.h"

#include "history/PeriodRecorder.h"
#include "menubar/KPTimeDigits.h"
#include "platform/store/Defaults.h"
#include "platform/RunLoop.h"
#include "platform/fullscreen/FullScreenFocus.h"
#include "tasks/KPTaskManager.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "windows/ZKBreakScreenPanel.h"
#include "windows/ZKPopover.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

bool isBreak(const QString& kind)
{
    const auto state = KPTimeBoxManager::fromRawValue(kind);
    return state && *state != KPTimeBoxManager::State::work;
}

} // namespace

ZKBreakScreen::ZKBreakScreen(PeriodRecorder& recorder, KPTimeBoxManager& manager,
                             const KPTaskManager* tasks, std::unique_ptr<FullScreenFocus> focus,
                             QObject* parent)
    : QObject(parent), m_manager(manager), m_tasks(tasks), m_focus(std::move(focus))
{
    connect(&recorder, &PeriodRecorder::periodStarted, this, &ZKBreakScreen::started);
    connect(&recorder, &PeriodRecorder::periodEnded, this, &ZKBreakScreen::ended);
    if (KPTimer* timer =
            manager.menuBarTimeDisplay() ? manager.menuBarTimeDisplay()->timer() : nullptr)
        connect(timer, &KPTimer::currentTimeChanged, this, &ZKBreakScreen::updateTexts);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        if (!m_panels.empty())
            addPanel(screen);
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &ZKBreakScreen::removePanel);
}

ZKBreakScreen::~ZKBreakScreen() = default;

void ZKBreakScreen::started(const QString& kind)
{
    // Read at each break, so that the switch takes effect without a restart.
    if (!isBreak(kind) ||
        !PreferenceKeys::boolean(Defaults::standard(), PreferenceKeys::isShowingBreakScreen))
        return;
    m_inBreak = true;
    showWhenFree(++m_breakNumber);
}

void ZKBreakScreen::ended(const HistoryRecord& record)
{
    if (!isBreak(record.kind))
        return;
    m_inBreak = false;
    ++m_breakNumber;
    clearPanels();
}

void ZKBreakScreen::showWhenFree(quint64 breakNumber)
{
    if (!m_inBreak || breakNumber != m_breakNumber || !m_panels.empty())
        return;
    if (m_focus && m_focus->isFocusedWindowFullScreen()) {
        RunLoop::main().postAfter(fullScreenRecheck, this,
                                  [this, breakNumber] { showWhenFree(breakNumber); });
        return;
    }
    for (QScreen* screen : QGuiApplication::screens())
        addPanel(screen);
    // The primary monitor's panel takes the focus, so that Escape reaches it.
    if (!m_panels.empty()) {
        m_panels.front()->activateWindow();
        m_panels.front()->postponeButton()->setFocus();
    }
}

void ZKBreakScreen::addPanel(QScreen* screen)
{
    auto panel = std::make_unique<ZKBreakScreenPanel>(screen);
    connect(panel.get(), &ZKBreakScreenPanel::skipClicked, this, &ZKBreakScreen::skip);
    connect(panel.get(), &ZKBreakScreenPanel::postponeClicked, this, &ZKBreakScreen::postpone);
    connect(panel.get(), &ZKBreakScreenPanel::escapePressed, this, &ZKBreakScreen::close);
    ZKBreakScreenPanel* shown = panel.get();
    // The primary screen's first: it is the one that gets the focus.
    if (screen == QGuiApplication::primaryScreen())
        m_panels.insert(m_panels.begin(), std::move(panel));
    else
        m_panels.push_back(std::move(panel));
    updateTexts();
    shown->showFullScreen();
}

void ZKBreakScreen::removePanel(QScreen* screen)
{
    for (auto it = m_panels.begin(); it != m_panels.end();) {
        if ((*it)->shownScreen() == screen) {
            (*it)->hide();
            it->release()->deleteLater();
            it = m_panels.erase(it);
        } else {
            ++it;
        }
    }
}

void ZKBreakScreen::clearPanels()
{
    // Gone from the screen now, deleted later: a panel's own click may be what closes it.
    for (auto& panel : m_panels) {
        panel->hide();
        panel.release()->deleteLater();
    }
    m_panels.clear();
}

void ZKBreakScreen::updateTexts()
{
    if (m_panels.empty())
        return;
    const KPTimer* timer =
        m_manager.menuBarTimeDisplay() ? m_manager.menuBarTimeDisplay()->timer() : nullptr;
    const KPTime shown = timer ? timer->currentTime() : KPTime{};
    const QString time =
        (shown.hours ? QString::number(shown.hours) + QLatin1Char(':') : QString()) +
        KPTime::twoDigitString(shown.minutes) + QLatin1Char(':') +
        KPTime::twoDigitString(shown.seconds);
    const std::optional<KPTask> task = m_tasks ? m_tasks->firstOpenTask() : std::nullopt;
    const QString next = task ? tr("Next: %1").arg(task->string) : QString();
    for (const auto& panel : m_panels)
        panel->setTexts(ZKPopover::title(m_manager.state()), time,
                        KPTimeDigits::spokenText(shown, false), next);
}

void ZKBreakScreen::skip()
{
    // As Skip in the menus: the break ends now, and with it the screen.
    KPTimer* timer =
        m_manager.menuBarTimeDisplay() ? m_manager.menuBarTimeDisplay()->timer() : nullptr;
    if (!timer || !timer->finish())
        clearPanels();
}

void ZKBreakScreen::postpone()
{
    clearPanels();
    const quint64 breakNumber = m_breakNumber;
    RunLoop::main().postAfter(postponement, this,
                              [this, breakNumber] { showWhenFree(breakNumber); });
}

void ZKBreakScreen::close()
{
    clearPanels();
    // Not again in this break.
    ++m_breakNumber;
}
