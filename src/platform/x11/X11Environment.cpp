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
}
