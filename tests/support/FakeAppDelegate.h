#pragma once

#include "menubar/KPMenuBarTimeDisplay.h"
#include "timing/KPTimeBoxManager.h"
#include "windows/AppDelegateInterface.h"

#include <QStringList>
#include <memory>

// The application as windows and menus see it: a display shown nowhere, wired to a
// cycle manager as at launch, the popover a test hands it, a record of what is asked
// of it. Build it after the run loop and the sounds the timer uses.
class FakeAppDelegate : public AppDelegateInterface
{
public:
    FakeAppDelegate()
        : m_manager(std::make_unique<KPTimeBoxManager>()),
          m_display(std::make_unique<KPMenuBarTimeDisplay>(std::make_unique<StatusItem>()))
    {
        m_manager->setMenuBarTimeDisplay(m_display.get());
    }

    KPMenuBarTimeDisplay* menuBarTimeDisplay() const override { return m_display.get(); }
    KPTimeBoxManager* timeBoxManager() const override { return m_manager.get(); }
    ZKPopover* popover() const override { return givenPopover; }
    ZKMenu* menu() const override { return nullptr; }
    Updater* updater() const override { return nullptr; }
    ZKTimeEditorWindow* timeEditorWindow() const override { return nullptr; }
    ZKTimeSettingsWindow* timeSettingsWindow() const override { return nullptr; }
    ZKStatisticsWindow* statisticsWindow() override { return nullptr; }
    void togglePopover() override { ++popoverToggles; }
    void didSelectSound(const QString& named) override { chosenSounds << named; }

    KPTimer& timer() const { return *m_display->timer(); }

    ZKPopover* givenPopover = nullptr;
    int popoverToggles = 0;
    QStringList chosenSounds;

private:
    // The display, holding the timer that reports to the manager, goes first.
    std::unique_ptr<KPTimeBoxManager> m_manager;
    std::unique_ptr<KPMenuBarTimeDisplay> m_display;
};
