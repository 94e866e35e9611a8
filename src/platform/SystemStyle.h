#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>

// The system's fonts and colour roles as the views name them.
class SystemStyle
{
public:
    // The application font at a size in pixels (a point of the layout is a
    // pixel of text), with digits of one width; a fixed-pitch font stands in
    // when the system font lacks tabular digits.
    static QFont monospacedDigitSystemFont(int pixelSize);
    static QFont systemFont(int pixelSize);
    static bool digitsShareOneWidth(const QFont& font);

    // The palette's text colour at decreasing strength.
    static QColor labelColor(const QPalette& palette) { return text(palette, 0.85); }
    static QColor secondaryLabelColor(const QPalette& palette) { return text(palette, 0.5); }
    static QColor tertiaryLabelColor(const QPalette& palette) { return text(palette, 0.26); }
    static QColor quaternaryLabelColor(const QPalette& palette) { return text(palette, 0.1); }

    // Fixed colours, the same wherever they appear.
    static QColor systemRedColor() { return QColor(255, 59, 48); }
    static QColor systemBlueColor() { return QColor(0, 122, 255); }
    static QColor systemPurpleColor() { return QColor(175, 82, 222); }

    // Text on a background: at least this contrast ratio reads (WCAG's AA).
    static constexpr qreal readableContrast = 4.5;
    // The contrast ratio of two opaque colours, from 1 to 21.
    static qreal contrastRatio(const QColor& a, const QColor& b);
    // The opaque colour a translucent one shows as over the background.
    static QColor over(const QColor& text, const QColor& background);
    // The colour as it shows over the background, made only as transparent
    // as still reads there.
    static QColor readableOn(QColor text, const QColor& background);
    // The text colour for a background that is known only as pixels (a panel):
    // the preferred one where it reads there, else white on dark, black on light.
    static QColor textColorOn(const QColor& background, const QColor& preferred = QColor());
    // The pixel of a background picture on which text of this colour reads worst.
    static QColor hardestBackground(const QImage& background, const QColor& text);

    static QColor withAlpha(QColor color, qreal alpha)
    {
        color.setAlphaF(alpha);
        return color;
    }

private:
    static QColor text(const QPalette& palette, qreal alpha)
    {
        return withAlpha(palette.color(QPalette::WindowText), alpha);
    }
};
