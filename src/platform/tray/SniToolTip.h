#pragma once

#include "SniIconPixmap.h"

#include <QString>

// A StatusNotifierItem's tooltip, D-Bus type (sa(iiay)ss).
struct SniToolTip
{
    QString iconName;
    SniIconPixmapList iconPixmaps;
    QString title;
    QString description;
};

// Writes the tooltip as (sa(iiay)ss); a negative errno when the message refuses it.
int appendTo(sd_bus_message* message, const SniToolTip& toolTip);
