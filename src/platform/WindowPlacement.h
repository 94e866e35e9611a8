#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <optional>

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

    // A window the user places is remembered per set of screens: the set-up's
    // name, from the screens' geometries ("1920x1080+0+0,1280x1024+1920+0").
    static QString screenSetup(const QList<QRect>& screens);
    // The place kept for the set-up in "set-up=x,y" entries; none when absent or unreadable.
    static std::optional<QPoint> keptPlace(const QStringList& places, const QString& setup);
    static QStringList withPlace(QStringList places, const QString& setup, QPoint topLeft);
    // The top left that keeps the window wholly on the screen it overlaps most
    // (the first when none), moved as little as can be.
    static QPoint inside(QPoint topLeft, const QSize& size, const QList<QRect>& areas);
};
