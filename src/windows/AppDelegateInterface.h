#pragma once

#include <QString>

class KPMenuBarTimeDisplay;
class KPTimeBoxManager;
class KPTimer;
class Updater;
class ZKMenu;
class ZKPopover;
class ZKStatisticsWindow;
class ZKTimeEditorWindow;
class ZKTimeSettingsWindow;

// What the windows and menus reach through the application: the long-lived
// objects it owns, the popover toggle and the choice of alarm sound. The
// application sets the one current delegate; views below the application
// depend on this, never on it.
class AppDelegateInterface
{
public:
    // The running application's delegate, or none (views shown on their own).
    static AppDelegateInterface* current();
    // The one timer, held by the current delegate's display; none before launch.
    static KPTimer* currentTimer();

    virtual KPMenuBarTimeDisplay* menuBarTimeDisplay() const = 0;
    virtual KPTimeBoxManager* timeBoxManager() const = 0;
    virtual ZKPopover* popover() const = 0;
    virtual ZKMenu* menu() const = 0;
    // The update checker; none where the application has none.
    virtual Updater* updater() const = 0;
    virtual ZKTimeEditorWindow* timeEditorWindow() const = 0;
    virtual ZKTimeSettingsWindow* timeSettingsWindow() const = 0;
    // Made at the first call: most runs never open it.
    virtual ZKStatisticsWindow* statisticsWindow() = 0;
    // Opens the popover when it is closed and closes it when it is open.
    virtual void togglePopover() = 0;
    // The alarm sound chosen in the sound menu.
    virtual void didSelectSound(const QString& named) = 0;

protected:
    AppDelegateInterface();
    virtual ~AppDelegateInterface();
    AppDelegateInterface(const AppDelegateInterface&) = delete;
    AppDelegateInterface& operator=(const AppDelegateInterface&) = delete;
};
