#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

struct sd_bus_message;

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

// Writes the pictures as a(iiay); a negative errno when the message refuses them.
int appendTo(sd_bus_message* message, const SniIconPixmapList& pixmaps);
