#include "SniTimeIcon.h"

#include "platform/tray/TrayTimeLayout.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

int barHeight(QSize size)
{
    return std::max(2, size.height() / 10);
}

// The rounded backing under the period's bar. Kept for each size and colour:
// Qt fills a shape that large on its pool of threads, waking one of them for
// every picture, while a copy of the ready backing wakes nothing.
QImage backing(QSize size, const QColor& accent)
{
    static QHash<QString, QImage> made;
    const QString key = QStringLiteral("%1x%2 %3")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(accent.name(QColor::HexArgb));
    if (const auto found = made.constFind(key); found != made.cend())
        return *found;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    const qreal radius = size.height() / 6.0;
    shape.addRoundedRect(QRectF(QPointF(0, 0), size), radius, radius);
    painter.fillPath(shape, QColor(24, 24, 24, 230));
    painter.setClipPath(shape);
    painter.fillRect(QRect(0, 0, size.width(), barHeight(size)),
                     accent.isValid() ? accent : QColor(Qt::gray));
    painter.end();
    if (made.size() >= 32) // sizes and colours of a long day's changes
        made.clear();
    made.insert(key, image);
    return image;
}

} // namespace

QImage SniTimeIcon::render(const QString& text, const QColor& accent, QSize size)
{
    QImage image = backing(size, accent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int margin = std::max(1, size.height() / 16);
    const int top = barHeight(size) + margin;
    const QSize box(size.width() - 2 * margin, size.height() - top - margin);
    const QFont font = TrayTimeLayout::fittingFont(text, box);
    painter.setFont(font);
    painter.setPen(QColor(245, 245, 245));
    const QRect ink = QFontMetrics(font).tightBoundingRect(text);
    // Centred by its ink, not by the font's line, which has room below for descenders.
    const int x = margin + (box.width() - ink.width()) / 2 - ink.x();
    const int baseline = top + (box.height() - ink.height()) / 2 - ink.y();
    painter.drawText(x, baseline, text);
    return image;
}

QImage SniTimeIcon::marker(const QColor& accent, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal diameter = std::min(size.width(), size.height()) * 0.6;
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent.isValid() ? accent : QColor(Qt::gray));
    painter.drawEllipse(QRectF(QPointF(0, 0), size).center(), diameter / 2, diameter / 2);
    return image;
}
