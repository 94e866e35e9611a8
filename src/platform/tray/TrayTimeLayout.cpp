#include "TrayTimeLayout.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRegularExpression>

TrayTimeLayout::Form TrayTimeLayout::choose(Form preferred, int preferredWidth, QSize room)
{
    if (!room.isValid() || preferredWidth <= room.width())
        return preferred;
    return Form::square;
}

QString TrayTimeLayout::squareText(qint64 hours, qint64 minutes, qint64 seconds)
{
    const qint64 wholeMinutes = std::max<qint64>(0, hours) * 60 + std::max<qint64>(0, minutes);
    const qint64 shown = wholeMinutes > 0 ? wholeMinutes : std::max<qint64>(0, seconds);
    return QStringLiteral("%1").arg(shown, 2, 10, QLatin1Char('0'));
}

QFont TrayTimeLayout::fittingFont(const QString& text, QSize box)
{
    QString sample = text;
    // Every digit as wide and tall as the widest: the size does not jump as they change.
    sample.replace(QRegularExpression(QStringLiteral("[0-9]")), QStringLiteral("0"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    for (int pixels = std::min(box.height() * 2, 400); pixels > 4; --pixels) {
        font.setPixelSize(pixels);
        const QRect ink = QFontMetrics(font).tightBoundingRect(sample);
        if (ink.width() <= box.width() && ink.height() <= box.height())
            break;
    }
    return font;
}
