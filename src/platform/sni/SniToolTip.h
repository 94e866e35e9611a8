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

QDBusArgument& operator<<(QDBusArgument& argument, const SniToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniToolTip& toolTip);

Q_DECLARE_METATYPE(SniToolTip)
