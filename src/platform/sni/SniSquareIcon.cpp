#include "SniSquareIcon.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

// The largest bold monospaced font whose two digits fit the box.
QFont fittingFont(QSize box)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    for (int pixels = box.height() * 2; pixels > 4; --pixels) {
        font.setPixelSize(pixels);
        const QRect digits = QFontMetrics(font).tightBoundingRect(QStringLiteral("00"));
        if (digits.width() <= box.width() && digits.height() <= box.height())
            break;
    }
    return font;
}

} // namespace

QImage SniSquareIcon::render(const QString& text, const QColor& accent, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath backing;
    const qreal radius = size / 6.0;
    backing.addRoundedRect(QRectF(0, 0, size, size), radius, radius);
    painter.fillPath(backing, QColor(24, 24, 24, 230));
    const int bar = std::max(2, size / 10);
    painter.setClipPath(backing);
    painter.fillRect(QRect(0, 0, size, bar), accent.isValid() ? accent : QColor(Qt::gray));
    painter.setClipping(false);

    const QStringList parts = text.split(QLatin1Char(':'));
    const QStringList rows = parts.mid(0, 2);
    const int margin = std::max(1, size / 16);
    const int rowHeight = (size - bar - 2 * margin) / 2;
    const QFont font = fittingFont(QSize(size - 2 * margin, rowHeight - 1));
    painter.setFont(font);
    painter.setPen(QColor(245, 245, 245));
    const QFontMetrics metrics(font);
    const int digitHeight = metrics.tightBoundingRect(QStringLiteral("00")).height();
    const int top = rows.size() == 1 ? bar + (size - bar - rowHeight) / 2 : bar + margin;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int x = (size - metrics.horizontalAdvance(rows[i])) / 2;
        const int baseline = top + int(i) * rowHeight + (rowHeight + digitHeight) / 2;
        painter.drawText(x, baseline, rows[i]);
    }
    return image;
}
