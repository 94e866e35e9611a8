#include "BusIdleTime.h"
#include "IdleTime.h"
#include "X11IdleTime.h"

std::unique_ptr<IdleTime> IdleTime::create()
{
    // Under Xwayland the X server sees only its own clients' input.
    const bool waylandSession =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland");
    if (!waylandSession)
        if (std::unique_ptr<X11IdleTime> x11 = X11IdleTime::forApplication())
            return x11;
    return std::make_unique<BusIdleTime>();
}
