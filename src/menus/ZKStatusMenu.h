#pragma once

#include <QObject>
#include <functional>

class KPMenuBarTimeDisplay;
class ZKMenu;

// The commands of the status item's own menu, for hosts that draw it: the
// timer's controls as the tray item and the control interface run them, the
// windows as the preferences menu opens them, and Quit. The play command's
// label follows the timer. Its first command opens the popover: hosts that
// open the menu on a click (GNOME's) leave no other way to it.
class ZKStatusMenu : public QObject
{
    Q_OBJECT

public:
    ZKStatusMenu(ZKMenu& menu, KPMenuBarTimeDisplay& display, std::function<void()> openPopover,
                 QObject* parent = nullptr);

private:
    void update();

    ZKMenu& m_menu;
    KPMenuBarTimeDisplay& m_display;
    std::function<void()> m_openPopover;
};
