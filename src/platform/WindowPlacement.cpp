#include "WindowPlacement.h"

#include <algorithm>

QPoint WindowPlacement::beside(const QRect& anchor, const QSize& size, const QRect& area, int gap)
{
    const int x = std::max(area.left(), std::min(anchor.x() + (anchor.width() - size.width()) / 2,
                                                 area.right() + 1 - size.width()));
    const int below = anchor.bottom() + 1 + gap;
    const int above = anchor.top() - gap - size.height();
    if (below + size.height() <= area.bottom() + 1)
        return QPoint(x, std::max(below, area.top()));
    if (above >= area.top())
        return QPoint(x, std::min(above, area.bottom() + 1 - size.height()));
    // Too tall for either side: inside the work area all the same, reaching over
    // the item from the side with more room.
    const bool roomBelow = area.bottom() - anchor.bottom() >= anchor.top() - area.top();
    return QPoint(x,
                  roomBelow ? std::max(area.top(), area.bottom() + 1 - size.height()) : area.top());
}
