#include "TopBarHint.h"

#include "platform/RunLoop.h"
#include "platform/Workspace.h"
#include "platform/store/Defaults.h"
#include "platform/tray/StatusItem.h"
#include "timing/PreferenceKeys.h"

TopBarHint::TopBarHint(const StatusItem& item, Notify notify, QObject* parent)
    : QObject(parent), m_item(item), m_notify(std::move(notify))
{
    if (Workspace::isDesktop(QStringLiteral("GNOME")) &&
        !Defaults::standard().boolean(PreferenceKeys::didTellAboutTopBar))
        RunLoop::main().postAfter(patience, this, [this] { check(); });
}

void TopBarHint::check()
{
    if (!m_item.floats())
        return;
    m_notify(tr("Zembrak can show its time in the top bar"),
             tr("Install and turn on the AppIndicator extension (Debian's package "
                "gnome-shell-extension-appindicator), then start Zembrak again."));
    Defaults::standard().setBoolean(PreferenceKeys::didTellAboutTopBar, true);
}
