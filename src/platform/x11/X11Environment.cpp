#include "X11Environment.h"

#include <QByteArray>
#include <QtGlobal>

void X11Environment::prepare()
{
    // Shared memory spares copying a repaint's pixels, but before the next
    // repaint of a window Qt waits for the server to have read them: a round
    // trip that wakes two threads each second the shown time changes. The
    // item and its windows are small: copying their pixels costs less.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", QByteArrayLiteral("1"));
    // In a Wayland session with Qt's Wayland plugin installed, Qt would start
    // as a Wayland client: no XEmbed tray to dock into, no key grabs, and no
    // window may place itself beside the panel. Through XWayland all of that
    // works, so that is where we go whenever it is there; without it, Qt's
    // own choice stands.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
}
