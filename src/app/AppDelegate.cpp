#include "AppDelegate.h"

#include "menubar/KPMenuBarMenuButton.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "timing/KPTimeBoxManager.h"

namespace {
AppDelegate* current = nullptr;
}

AppDelegate::AppDelegate()
{
    current = this;
}

AppDelegate::~AppDelegate()
{
    // The display holds the timer that reports to the manager: it goes first.
    m_menuBarTimeDisplay.reset();
    if (current == this)
        current = nullptr;
}

AppDelegate* AppDelegate::instance()
{
    return current;
}

void AppDelegate::setup()
{
    if (m_isSetup)
        return;
    m_isSetup = true;
    m_menuBarTimeDisplay = std::make_unique<KPMenuBarTimeDisplay>();
    m_timeBoxManager = std::make_unique<KPTimeBoxManager>();
    m_menuBarTimeDisplay->menuButton()->setImageNamed(QStringLiteral("menubarIcon"));
    m_menuBarTimeDisplay->setMenuButtonMode(KPMenuBarTimeDisplay::MenuButtonMode::hide);
    m_menuBarTimeDisplay->menuButton()->setDelegate(this);
    m_timeBoxManager->setMenuBarTimeDisplay(m_menuBarTimeDisplay.get());
}

void AppDelegate::menuBarMenuButtonClicked(KPMenuBarMenuButton*) {}

void AppDelegate::applicationDidResignActive() {}
