#pragma once

// What the X11 connection is told before the application opens it, and that
// it is X11 (XWayland) that the application opens where it can.
class X11Environment
{
public:
    // Call before the QApplication is made. Settings the user chose in the
    // environment stay as they are.
    static void prepare();
};
