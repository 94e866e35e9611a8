#pragma once

#include "platform/fullscreen/FullScreenFocus.h"

// A focused window whose full-screen state the test sets through the pointer it keeps.
class FakeFullScreenFocus : public FullScreenFocus
{
public:
    explicit FakeFullScreenFocus(bool* fullScreen) : m_fullScreen(fullScreen) {}
    bool isFocusedWindowFullScreen() const override { return *m_fullScreen; }

private:
    const bool* m_fullScreen;
};
