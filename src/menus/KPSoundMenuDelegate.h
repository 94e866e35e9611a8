#pragma once

#include <QString>

// Hears which alarm sound the user chose in the sound menu.
class KPSoundMenuDelegate
{
public:
    virtual ~KPSoundMenuDelegate() = default;

    virtual void didSelectSound(const QString& named) = 0;
};
