#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The time as a picture for hosts that draw the item themselves: light digits
// on a dark rounded backing under the period's bar, so that it reads on dark
// and light panels alike. A wide picture holds the whole time in one row; a
// square one its first two parts in two rows ("24" over "59", or hours over
// minutes past an hour), for hosts that fit every icon into a square.
class SniTimeIcon
{
public:
    // text is the item's label ("24:59", "01:04:59", "25").
    static QImage render(const QString& text, const QColor& accent, QSize size);
};
