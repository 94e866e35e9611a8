#include "SystemStyle.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>

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

namespace {

qreal relativeLuminance(const QColor& color)
{
    const auto linear = [](qreal c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

} // namespace

QColor SystemStyle::over(const QColor& text, const QColor& background)
{
    const qreal a = text.alphaF();
    return QColor::fromRgbF(float(text.redF() * a + background.redF() * (1 - a)),
                            float(text.greenF() * a + background.greenF() * (1 - a)),
                            float(text.blueF() * a + background.blueF() * (1 - a)));
}

qreal SystemStyle::contrastRatio(const QColor& a, const QColor& b)
{
    const qreal la = relativeLuminance(a);
    const qreal lb = relativeLuminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor SystemStyle::textColorOn(const QColor& background, const QColor& preferred)
{
    if (preferred.isValid() && contrastRatio(preferred, background) >= readableContrast)
        return preferred;
    return contrastRatio(Qt::white, background) > contrastRatio(Qt::black, background)
               ? QColor(Qt::white)
               : QColor(Qt::black);
}

QColor SystemStyle::hardestBackground(const QImage& background, const QColor& text)
{
    QColor hardest;
    qreal lowest = 22;
    for (int y = 0; y < background.height(); ++y) {
        for (int x = 0; x < background.width(); ++x) {
            const QColor pixel = background.pixelColor(x, y);
            if (const qreal ratio = contrastRatio(text, pixel); ratio < lowest) {
                lowest = ratio;
                hardest = pixel;
            }
        }
    }
    return hardest;
}

QColor SystemStyle::readableOn(QColor text, const QColor& background)
{
    while (text.alphaF() < 1 &&
           contrastRatio(over(text, background), background) < readableContrast)
        text.setAlphaF(qMin(1.0f, text.alphaF() + 0.05f));
    return text;
}
