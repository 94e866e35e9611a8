#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

// Frames as the layout rules give them: origin at the bottom left of the
// parent, y growing upwards. Qt's origin is the top left; these turn one into
// the other against the parent's height, so layout code keeps the rules' numbers.
class Frame
{
public:
    static QRect toQt(const QRect& frame, int parentHeight)
    {
        return QRect(frame.x(), parentHeight - frame.y() - frame.height(), frame.width(),
                     frame.height());
    }
    static QRect fromQt(const QRect& geometry, int parentHeight)
    {
        return toQt(geometry, parentHeight); // the flip is its own inverse
    }

    // The widget's frame in its parent's flipped coordinates.
    static QRect of(const QWidget* widget)
    {
        const int parentHeight = widget->parentWidget() ? widget->parentWidget()->height() : 0;
        return fromQt(widget->geometry(), parentHeight);
    }
    static void set(QWidget* widget, const QRect& frame)
    {
        const int parentHeight = widget->parentWidget() ? widget->parentWidget()->height() : 0;
        widget->setGeometry(toQt(frame, parentHeight));
    }
    static void setOrigin(QWidget* widget, int x, int y)
    {
        set(widget, QRect(x, y, widget->width(), widget->height()));
    }
    // Screen rectangles flip the same way, against the height of the first
    // screen, whose bottom-left corner is the origin of the whole desktop.
    static int screenHeight()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().y() + screen->geometry().height() : 0;
    }
    static QRect toQtScreen(const QRect& frame) { return toQt(frame, screenHeight()); }
    static QRect fromQtScreen(const QRect& geometry) { return fromQt(geometry, screenHeight()); }
    static QPoint fromQtScreen(const QPoint& point)
    {
        return QPoint(point.x(), screenHeight() - point.y());
    }

    // Right and top edges: x + width and y + height, as the rules use them.
    static int maxX(const QRect& frame) { return frame.x() + frame.width(); }
    static int maxY(const QRect& frame) { return frame.y() + frame.height(); }
};
