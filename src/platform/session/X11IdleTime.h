#pragma once

#include "IdleTime.h"
#include "platform/x11/X11Connection.h"

// Idle time as the X server counts it (the MIT-SCREEN-SAVER extension).
class X11IdleTime : public IdleTime
{
    Q_OBJECT

public:
    // Nothing when the server lacks the extension.
    static std::unique_ptr<X11IdleTime> forApplication();

    bool isAvailable() const override { return true; }
    void query(Answer answer) override;

private:
    explicit X11IdleTime(const X11Connection& x11) : m_x11(x11) {}

    X11Connection m_x11;
};
