#pragma once

class KPMenuBarMenuButton;

class KPMenuBarMenuButtonDelegate
{
public:
    virtual void menuBarMenuButtonClicked(KPMenuBarMenuButton* button) = 0;

protected:
    ~KPMenuBarMenuButtonDelegate() = default;
};
