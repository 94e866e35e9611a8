#include "platform/fullscreen/FullScreenFocus.h"
#include "platform/fullscreen/X11FullScreenFocus.h"

std::unique_ptr<FullScreenFocus> FullScreenFocus::create()
{
    return X11FullScreenFocus::forApplication();
}
