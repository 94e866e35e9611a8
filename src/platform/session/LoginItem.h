#pragma once

#include <QString>

// Starting the application at login through XDG autostart: an entry in
// $XDG_CONFIG_HOME/autostart/<identifier>.desktop that runs this executable.
class LoginItem
{
public:
    static QString entryPath(const QString& identifier);
    // The autostart entry that runs `executable`, an absolute path.
    static QString desktopEntry(const QString& executable);
    // Writes the entry for the running executable, or removes it; whether the
    // autostart folder now says what was asked.
    static bool setEnabled(const QString& identifier, bool enabled);
};
