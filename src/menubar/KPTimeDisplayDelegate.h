#pragma once

class KPMenuBarTimeDisplay;

class KPTimeDisplayDelegate
{
public:
    virtual void timeDisplayTimerDidFinish(KPMenuBarTimeDisplay* display) = 0;

protected:
    ~KPTimeDisplayDelegate() = default;
};
