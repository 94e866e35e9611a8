#pragma once

class KPTimer;

class KPTimerDelegate
{
public:
    virtual void timerDidChangeTime(KPTimer* timer) = 0;
    virtual void timerDidChangeState(KPTimer* timer) = 0;
    virtual void timerDidFinish(KPTimer* timer) = 0;
    virtual void timerDidChangeHoursVisibility(KPTimer* timer) = 0;
    virtual void timerDidRepeatAlarm(KPTimer* timer) = 0;

protected:
    ~KPTimerDelegate() = default;
};
