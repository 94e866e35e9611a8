#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QImage>
#include <QList>
#include <QMetaType>

// One picture of a StatusNotifierItem's icon, D-Bus type (iiay): width,
// height, and ARGB32 pixels in network byte order, rows top to bottom.
struct SniIconPixmap
{
    int width = 0;
    int height = 0;
    QByteArray bytes;

    // Unpremultiplied pixels at the image's own pixel size.
    static SniIconPixmap fromImage(const QImage& image);
    QImage toImage() const;

    friend bool operator==(const SniIconPixmap&, const SniIconPixmap&) = default;
};
using SniIconPixmapList = QList<SniIconPixmap>;

QDBusArgument& operator<<(QDBusArgument& argument, const SniIconPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniIconPixmap& pixmap);

Q_DECLARE_METATYPE(SniIconPixmap)
