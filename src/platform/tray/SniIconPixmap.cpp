#include "SniIconPixmap.h"

#include <QtEndian>
#include <systemd/sd-bus.h>

SniIconPixmap SniIconPixmap::fromImage(const QImage& image)
{
    SniIconPixmap pixmap;
    if (image.isNull())
        return pixmap;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    pixmap.width = argb.width();
    pixmap.height = argb.height();
    pixmap.bytes.resize(qsizetype(pixmap.width) * pixmap.height * 4);
    auto* out = reinterpret_cast<uchar*>(pixmap.bytes.data());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const quint32*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x, out += 4)
            qToBigEndian<quint32>(row[x], out);
    }
    return pixmap;
}

QImage SniIconPixmap::toImage() const
{
    if (width <= 0 || height <= 0 || bytes.size() != qsizetype(width) * height * 4)
        return QImage();
    QImage image(width, height, QImage::Format_ARGB32);
    const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, in += 4)
            row[x] = qFromBigEndian<quint32>(in);
    }
    return image;
}

int appendTo(sd_bus_message* message, const SniIconPixmapList& pixmaps)
{
    int r = sd_bus_message_open_container(message, 'a', "(iiay)");
    for (const SniIconPixmap& pixmap : pixmaps) {
        if (r >= 0)
            r = sd_bus_message_open_container(message, 'r', "iiay");
        if (r >= 0)
            r = sd_bus_message_append(message, "ii", pixmap.width, pixmap.height);
        if (r >= 0)
            r = sd_bus_message_append_array(message, 'y', pixmap.bytes.constData(),
                                            size_t(pixmap.bytes.size()));
        if (r >= 0)
            r = sd_bus_message_close_container(message);
    }
    return r < 0 ? r : sd_bus_message_close_container(message);
}
