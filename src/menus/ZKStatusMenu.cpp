#include "ZKStatusMenu.h"

#include "menubar/KPMenuBarTimeDisplay.h"
#include "menus/ZKMenu.h"
#include "platform/tray/StatusItem.h"
#include "timing/KPTimer.h"

#include <QCoreApplication>

namespace {

// Opens a window: the label says so, in every language.
QString opening(const QString& title)
{
    return title + QChar(0x2026);
}

} // namespace

ZKStatusMenu::ZKStatusMenu(ZKMenu& menu, KPMenuBarTimeDisplay& display,
                           std::function<void()> openPopover, QObject* parent)
    : QObject(parent), m_menu(menu), m_display(display), m_openPopover(std::move(openPopover))
{
    // The display keeps its timer for the whole run.
    if (KPTimer* timer = display.timer())
        connect(timer, &KPTimer::stateChanged, this, &ZKStatusMenu::update);
    update();
}

void ZKStatusMenu::update()
{
    const KPTimer* timer = m_display.timer();
    const bool running = timer && timer->state() == KPTimer::State::active;
    // A stopwatch has no period to end.
    const bool endless = !timer || timer->countType() == KPTimer::CountType::up;
    KPMenuBarTimeDisplay& display = m_display;
    const auto onTimer = [&display](void (*act)(KPTimer&)) {
        return [&display, act] {
            if (KPTimer* t = display.timer())
                act(*t);
        };
    };
    ZKMenu& menu = m_menu;
    StatusItem::Menu entries{
        {tr("Open Zembrak"), m_openPopover},
        StatusItem::MenuEntry::separatorLine(),
        {running ? tr("Pause") : tr("Start"), onTimer([](KPTimer& t) { t.toggle(); }),
         timer != nullptr},
        {KPMenuBarTimeDisplay::tr("Reset"), onTimer([](KPTimer& t) { t.reset(); }),
         timer != nullptr},
        {tr("Skip"), onTimer([](KPTimer& t) { t.finish(); }), !endless},
        {ZKMenu::tr("+5 Minutes"), [&menu] { menu.extendPeriod(); }, !endless},
        StatusItem::MenuEntry::separatorLine(),
        {opening(ZKMenu::tr("Edit Time")), [&menu] { menu.showTimeEditorWindow(); }},
        {opening(ZKMenu::tr("Time Settings")), [&menu] { menu.showTimeSettingsWindow(); }},
        {ZKMenu::tr("Statistics"), [&menu] { menu.showStatisticsWindow(); }},
        StatusItem::MenuEntry::separatorLine(),
        {ZKMenu::tr("Quit"), [] { QCoreApplication::quit(); }}};
    m_display.statusItem()->setMenu(std::move(entries));
}
