#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window that drops from the tray item goes: centred on the item,
// wholly below it (or wholly above it when the panel is at the bottom),
// inside the screen's work area, never over the item or its panel (unless
// the window is too tall for either side).
class WindowPlacement
{
public:
    // The window's top left in Qt's screen coordinates; anchor is the item (or
    // the stretch of panel it stands for), area the free part of its screen,
    // gap the space between them.
    static QPoint beside(const QRect& anchor, const QSize& size, const QRect& area, int gap = 0);
};
