#include "Workspace.h"

#include <QDesktopServices>
#include <QStringList>

namespace {

Workspace::Opener& installedOpener()
{
    static Workspace::Opener opener;
    return opener;
}

} // namespace

bool Workspace::openURL(const QUrl& url)
{
    if (installedOpener())
        return installedOpener()(url);
    return QDesktopServices::openUrl(url);
}

void Workspace::setOpener(Opener opener)
{
    installedOpener() = std::move(opener);
}

bool Workspace::isDesktop(const QString& name)
{
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP")
        .split(QLatin1Char(':'))
        .contains(name, Qt::CaseInsensitive);
}
