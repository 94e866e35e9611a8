#include "SystemStyle.h"

#include <QFontDatabase>
#include <QFontMetricsF>

bool SystemStyle::digitsShareOneWidth(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal zero = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit)
        if (!qFuzzyCompare(metrics.horizontalAdvance(QLatin1Char(digit)), zero))
            return false;
    return true;
}

QFont SystemStyle::systemFont(int pixelSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

QFont SystemStyle::monospacedDigitSystemFont(int pixelSize)
{
    QFont font = systemFont(pixelSize);
    if (digitsShareOneWidth(font))
        return font;
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}
