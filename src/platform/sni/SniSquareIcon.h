#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The time drawn for hosts that fit every icon into a square: its first two
// parts in two rows ("24" over "59", or hours over minutes past an hour)
// under the period's bar, light digits on a dark rounded backing so that it
// reads on dark and light panels alike.
class SniSquareIcon
{
public:
    // text is the item's label ("24:59", "01:04:59", "25").
    static QImage render(const QString& text, const QColor& accent, int size);
};
