#pragma once

// What the X11 connection is told before the application opens it.
class X11Environment
{
public:
    // Call before the QApplication is made. Settings the user chose in the
    // environment stay as they are.
    static void prepare();
};
