#include "GlobalShortcuts.h"

#include "PortalGlobalShortcuts.h"
#include "X11GlobalShortcuts.h"
#include "platform/x11/X11Connection.h"

std::unique_ptr<GlobalShortcuts> GlobalShortcuts::create(Defaults& store)
{
    const bool onX11 = X11Connection::forApplication().has_value();
    const bool waylandSession =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland");
    // Only asked where it may be used: the question can wait for the portal to start.
    const bool portalAvailable = (waylandSession || !onX11) &&
                                 PortalGlobalShortcuts::isAvailable(SdBusConnection::session());
    switch (chooseBackend(onX11, waylandSession, portalAvailable)) {
    case Backend::x11:
        return X11GlobalShortcuts::forApplication(store);
    case Backend::portal:
        return std::make_unique<PortalGlobalShortcuts>(store);
    case Backend::none:
        break;
    }
    return std::make_unique<GlobalShortcuts>(store);
}
