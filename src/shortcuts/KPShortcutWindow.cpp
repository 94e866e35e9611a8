#include "KPShortcutWindow.h"

#include "platform/Frame.h"
#include "platform/shortcuts/ShortcutRecorder.h"

KPShortcutWindow::KPShortcutWindow(StatusItem* statusItem)
    : KPUtilityWindow(statusItem, tr("Shortcut"), 140, 50)
{
    m_shortcutView = new ShortcutRecorder(utilityView());
    Frame::set(m_shortcutView, QRect(5, 5, 130, 19));
}

KPShortcutWindow::~KPShortcutWindow() = default;
