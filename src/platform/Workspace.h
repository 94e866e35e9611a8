#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// Opens URLs with the desktop's handler for their scheme (mail client, browser),
// and tells which desktop the session runs.
class Workspace
{
public:
    using Opener = std::function<bool(const QUrl& url)>;

    // Whether a handler took the URL.
    static bool openURL(const QUrl& url);
    // Replaces the desktop's handlers (tests); an empty opener restores them.
    static void setOpener(Opener opener);
    // Whether XDG_CURRENT_DESKTOP names this desktop ("GNOME", "KDE"), in any case.
    static bool isDesktop(const QString& name);
};
