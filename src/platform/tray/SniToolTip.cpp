#include "SniToolTip.h"

#include <systemd/sd-bus.h>

int appendTo(sd_bus_message* message, const SniToolTip& toolTip)
{
    int r = sd_bus_message_open_container(message, 'r', "sa(iiay)ss");
    if (r >= 0)
        r = sd_bus_message_append(message, "s", toolTip.iconName.toUtf8().constData());
    if (r >= 0)
        r = appendTo(message, toolTip.iconPixmaps);
    if (r >= 0)
        r = sd_bus_message_append(message, "ss", toolTip.title.toUtf8().constData(),
                                  toolTip.description.toUtf8().constData());
    return r < 0 ? r : sd_bus_message_close_container(message);
}
