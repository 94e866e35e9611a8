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

QString WindowPlacement::screenSetup(const QList<QRect>& screens)
{
    QStringList names;
    for (const QRect& screen : screens)
        names << QStringLiteral("%1x%2+%3+%4")
                     .arg(screen.width())
                     .arg(screen.height())
                     .arg(screen.x())
                     .arg(screen.y());
    return names.join(QLatin1Char(','));
}

std::optional<QPoint> WindowPlacement::keptPlace(const QStringList& places, const QString& setup)
{
    const QString prefix = setup + QLatin1Char('=');
    for (const QString& place : places) {
        if (!place.startsWith(prefix))
            continue;
        const QStringList xy = place.mid(prefix.size()).split(QLatin1Char(','));
        bool xRead = false;
        bool yRead = false;
        const int x = xy.value(0).toInt(&xRead);
        const int y = xy.value(1).toInt(&yRead);
        if (xy.size() == 2 && xRead && yRead)
            return QPoint(x, y);
    }
    return std::nullopt;
}

QStringList WindowPlacement::withPlace(QStringList places, const QString& setup, QPoint topLeft)
{
    const QString prefix = setup + QLatin1Char('=');
    places.removeIf([&prefix](const QString& place) { return place.startsWith(prefix); });
    places.prepend(prefix + QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y()));
    // A handful of set-ups is plenty: docks and projectors come and go.
    return places.mid(0, 8);
}

QPoint WindowPlacement::inside(QPoint topLeft, const QSize& size, const QList<QRect>& areas)
{
    if (areas.isEmpty())
        return topLeft;
    const QRect window(topLeft, size);
    QRect best = areas.first();
    qint64 mostOverlap = -1;
    for (const QRect& area : areas) {
        const QRect overlap = area.intersected(window);
        const qint64 shared = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        if (shared > mostOverlap) {
            mostOverlap = shared;
            best = area;
        }
    }
    const int x = std::max(best.left(), std::min(topLeft.x(), best.right() + 1 - size.width()));
    const int y = std::max(best.top(), std::min(topLeft.y(), best.bottom() + 1 - size.height()));
    return QPoint(x, y);
}
