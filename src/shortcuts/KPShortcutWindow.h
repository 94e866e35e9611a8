#pragma once

#include "views/KPUtilityWindow.h"

class ShortcutRecorder;

// "Shortcut": the recorder of one action's global key combination. The
// shortcut manager points it at the action's defaults key before showing it.
class KPShortcutWindow : public KPUtilityWindow
{
    Q_OBJECT

public:
    explicit KPShortcutWindow(StatusItem* statusItem);
    ~KPShortcutWindow() override;

    ShortcutRecorder* shortcutView() const { return m_shortcutView; }

private:
    ShortcutRecorder* m_shortcutView = nullptr;
};
