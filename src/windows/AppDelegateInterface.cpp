#include "AppDelegateInterface.h"

#include "menubar/KPMenuBarTimeDisplay.h"

namespace {
AppDelegateInterface* currentDelegate = nullptr;
}

AppDelegateInterface* AppDelegateInterface::current()
{
    return currentDelegate;
}

KPTimer* AppDelegateInterface::currentTimer()
{
    if (!currentDelegate || !currentDelegate->menuBarTimeDisplay())
        return nullptr;
    return currentDelegate->menuBarTimeDisplay()->timer();
}

AppDelegateInterface::AppDelegateInterface()
{
    currentDelegate = this;
}

AppDelegateInterface::~AppDelegateInterface()
{
    if (currentDelegate == this)
        currentDelegate = nullptr;
}
