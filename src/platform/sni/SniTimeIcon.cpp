#include "SniTimeIcon.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace {

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

} // namespace

QImage SniTimeIcon::render(const QString& text, const QColor& accent, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath backing;
    const qreal radius = size.height() / 6.0;
    backing.addRoundedRect(QRectF(QPointF(0, 0), size), radius, radius);
    painter.fillPath(backing, QColor(24, 24, 24, 230));
    const int bar = std::max(2, size.height() / 10);
    painter.setClipPath(backing);
    painter.fillRect(QRect(0, 0, size.width(), bar), accent.isValid() ? accent : QColor(Qt::gray));
    painter.setClipping(false);

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
