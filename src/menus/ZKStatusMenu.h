#pragma once

#include <QObject>

class KPMenuBarTimeDisplay;
class ZKMenu;

// The commands of the status item's own menu, for hosts that draw it: the
// timer's controls as the tray item and the control interface run them, the
// windows as the preferences menu opens them, and Quit. The play command's
// label follows the timer.
class ZKStatusMenu : public QObject
{
    Q_OBJECT

public:
    ZKStatusMenu(ZKMenu& menu, KPMenuBarTimeDisplay& display, QObject* parent = nullptr);

private:
    void update();

    ZKMenu& m_menu;
    KPMenuBarTimeDisplay& m_display;
};
