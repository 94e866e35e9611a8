#pragma once

class KPMenuBarTimeDisplay;

// What the cycle manager hears from the tray display: the end of a period.
class KPTimeDisplayDelegate
{
public:
    virtual void timeDisplayTimerDidFinish(KPMenuBarTimeDisplay* display) = 0;

protected:
    ~KPTimeDisplayDelegate() = default;
};
