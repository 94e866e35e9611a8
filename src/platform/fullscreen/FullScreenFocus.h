#pragma once

#include <memory>

// Whether the window that has the focus fills its screen (a call, a video),
// asked when something would cover it.
class FullScreenFocus
{
public:
    virtual ~FullScreenFocus() = default;

    virtual bool isFocusedWindowFullScreen() const = 0;

    // Nothing where the desktop does not say (Wayland).
    static std::unique_ptr<FullScreenFocus> create();
};
