#pragma once

#include "StatusItem.h"

#include <memory>

class StatusItemWindow;

// The status item where the desktop has no tray at all: the button in a small
// always-on-top window at the top right of the primary screen.
class WindowStatusItem : public StatusItem
{
    Q_OBJECT

public:
    WindowStatusItem();
    ~WindowStatusItem() override;

    QWidget* window() const;
    QRect buttonGeometry() const override;
    bool floats() const override { return true; }

private:
    std::unique_ptr<StatusItemWindow> m_window;
};
