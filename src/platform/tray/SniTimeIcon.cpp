#include "SniTimeIcon.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace {

int barHeight(QSize size)
{
    return std::max(2, size.height() / 10);
}

// The largest bold monospaced font in which sample fits the box.
QFont fittingFont(const QString& sample, QSize box)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    for (int pixels = box.height() * 2; pixels > 4; --pixels) {
        font.setPixelSize(pixels);
        const QRect ink = QFontMetrics(font).tightBoundingRect(sample);
        if (ink.width() <= box.width() && ink.height() <= box.height())
            break;
    }
    return font;
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
    const int bar = barHeight(size);

    // Wide: the whole text in one row. Square: two rows of two digits.
    const bool oneRow = 2 * size.width() >= 3 * size.height() || !text.contains(QLatin1Char(':'));
    const QStringList rows = oneRow ? QStringList{text} : text.split(QLatin1Char(':')).mid(0, 2);
    const int margin = std::max(1, size.height() / 16);
    const int rowHeight = (size.height() - bar - 2 * margin) / 2;
    const int boxHeight = oneRow ? size.height() - bar - 2 * margin : rowHeight - 1;
    QString sample = rows.first();
    sample.replace(QRegularExpression(QStringLiteral("[0-9]")), QStringLiteral("0"));
    const QFont font = fittingFont(sample, QSize(size.width() - 2 * margin, boxHeight));
    painter.setFont(font);
    painter.setPen(QColor(245, 245, 245));
    const QFontMetrics metrics(font);
    const int digitHeight = metrics.tightBoundingRect(QStringLiteral("00")).height();
    const int top = bar + margin;
    const int step = oneRow ? boxHeight : rowHeight;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int x = (size.width() - metrics.horizontalAdvance(rows[i])) / 2;
        const int baseline = top + int(i) * step + (step + digitHeight) / 2;
        painter.drawText(x, baseline, rows[i]);
    }
    return image;
}
