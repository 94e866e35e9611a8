#pragma once

#include "timing/KPTimeBoxManager.h"

class KPTimeBoxManagerDelegate
{
public:
    virtual void timeBoxManagerDidChangeState(KPTimeBoxManager* manager,
                                              KPTimeBoxManager::State state) = 0;
    virtual void timeBoxManagerDidChangeCycleCount(KPTimeBoxManager* manager,
                                                   qint64 cyclesSinceLaunch) = 0;

protected:
    ~KPTimeBoxManagerDelegate() = default;
};
