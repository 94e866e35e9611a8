#pragma once

#include "platform/SystemStyle.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"
#include "timing/KPTimerDelegate.h"

#include <QStringList>
#include <memory>

// Stands in for the menu-bar display: owns the timer, passes its end on, and
// logs the colours it is given.
class FakeTimeDisplay : public KPTimeBoxManager::Display, public KPTimerDelegate
{
public:
    QStringList log;

    void setDelegate(KPTimeDisplayDelegate* delegate) override { m_delegate = delegate; }
    KPTimer* timer() const override { return m_timer.get(); }
    void setTimer(std::unique_ptr<KPTimer> timer) override
    {
        m_timer = std::move(timer);
        m_timer->setDelegate(this);
    }
    void setIndicatorColor(const QColor& c) override
    {
        log.append(c == SystemStyle::systemRedColor()    ? "red"
                   : c == SystemStyle::systemBlueColor() ? "blue"
                                                         : "purple");
    }
    void timerDidFinish(KPTimer*) override { m_delegate->timeDisplayTimerDidFinish(nullptr); }
    void timerDidChangeTime(KPTimer*) override {}
    void timerDidChangeState(KPTimer*) override {}
    void timerDidChangeHoursVisibility(KPTimer*) override {}
    void timerDidRepeatAlarm(KPTimer*) override {}

private:
    KPTimeDisplayDelegate* m_delegate = nullptr;
    std::unique_ptr<KPTimer> m_timer;
};
