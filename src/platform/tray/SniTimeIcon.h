#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The time as a picture for hosts that draw the item themselves: light digits
// on a dark rounded backing under the period's bar, so that it reads on dark
// and light panels alike: the text in one row, as large as fits.
class SniTimeIcon
{
public:
    // text is the item's label ("24:59", "01:04:59", "25") or its square form ("24").
    static QImage render(const QString& text, const QColor& accent, QSize size);
    // The period's colour alone, a disc: for hosts that draw the label beside the icon.
    static QImage marker(const QColor& accent, QSize size);
};
