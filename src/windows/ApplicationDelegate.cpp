#include "ApplicationDelegate.h"

#include "menubar/KPMenuBarTimeDisplay.h"

namespace {
ApplicationDelegate* currentDelegate = nullptr;
}

ApplicationDelegate* ApplicationDelegate::current()
{
    return currentDelegate;
}

KPTimer* ApplicationDelegate::currentTimer()
{
    if (!currentDelegate || !currentDelegate->menuBarTimeDisplay())
        return nullptr;
    return currentDelegate->menuBarTimeDisplay()->timer();
}

ApplicationDelegate::ApplicationDelegate()
{
    currentDelegate = this;
}

ApplicationDelegate::~ApplicationDelegate()
{
    if (currentDelegate == this)
        currentDelegate = nullptr;
}
