#include "ApplicationDelegate.h"

namespace {
ApplicationDelegate* currentDelegate = nullptr;
}

ApplicationDelegate* ApplicationDelegate::current()
{
    return currentDelegate;
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
