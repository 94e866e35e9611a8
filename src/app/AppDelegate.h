#pragma once

#include "menubar/KPMenuBarMenuButtonDelegate.h"

#include <QObject>
#include <memory>

class KPMenuBarTimeDisplay;
class KPTimeBoxManager;

// Builds every long-lived object once at launch, wires them together and owns
// them for the whole run.
class AppDelegate : public QObject, public KPMenuBarMenuButtonDelegate
{
    Q_OBJECT

public:
    AppDelegate();
    ~AppDelegate() override;

    // The one application delegate, as other objects reach it.
    static AppDelegate* instance();

    void setup();
    bool isSetup() const { return m_isSetup; }

    KPMenuBarTimeDisplay* menuBarTimeDisplay() const { return m_menuBarTimeDisplay.get(); }
    KPTimeBoxManager* timeBoxManager() const { return m_timeBoxManager.get(); }

    void menuBarMenuButtonClicked(KPMenuBarMenuButton* button) override;
    void applicationDidResignActive();

private:
    bool m_isSetup = false;
    std::unique_ptr<KPTimeBoxManager> m_timeBoxManager;
    std::unique_ptr<KPMenuBarTimeDisplay> m_menuBarTimeDisplay;
};
