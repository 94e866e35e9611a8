#pragma once

#include "menus/KPSoundMenuDelegate.h"
#include "windows/ApplicationDelegate.h"

#include <QStringList>

// The application as the windows and menus see it, made of the parts a test
// hands it; it records what is asked of it.
class TestApplicationDelegate : public ApplicationDelegate, public KPSoundMenuDelegate
{
public:
    KPMenuBarTimeDisplay* menuBarTimeDisplay() const override { return display; }
    KPTimeBoxManager* timeBoxManager() const override { return manager; }
    ZKPopover* popover() const override { return popoverPart; }
    ZKMenu* menu() const override { return menuPart; }
    Updater* updater() const override { return updaterPart; }
    void togglePopover() override { ++popoverToggles; }
    void didSelectSound(const QString& named) override { chosenSounds << named; }

    KPMenuBarTimeDisplay* display = nullptr;
    KPTimeBoxManager* manager = nullptr;
    ZKPopover* popoverPart = nullptr;
    ZKMenu* menuPart = nullptr;
    Updater* updaterPart = nullptr;
    int popoverToggles = 0;
    QStringList chosenSounds;
};
