#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// Images of the application found by name (":/images/<name>.svg").
class Images
{
public:
    static bool exists(const QString& name);
    // A null icon when there is no such image.
    static QIcon icon(const QString& name);
    // Rendered at size (device-independent pixels) for the given pixel ratio;
    // a null pixmap when there is no such image.
    static QPixmap pixmap(const QString& name, const QSize& size, qreal devicePixelRatio = 1.0);
    // A template image: its shape painted in one colour, as the theme's text is.
    static QPixmap tinted(const QPixmap& pixmap, const QColor& color);
    static QIcon templateIcon(const QString& name, const QSize& size, const QColor& color);
    // The image's own size in points, or an empty size.
    static QSize naturalSize(const QString& name);

private:
    static QString path(const QString& name);
};
