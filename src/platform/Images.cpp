#include "Images.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

QString Images::path(const QString& name)
{
    return QStringLiteral(":/images/") + name + QStringLiteral(".svg");
}

bool Images::exists(const QString& name)
{
    return QFile::exists(path(name));
}

QIcon Images::icon(const QString& name)
{
    if (!exists(name))
        return QIcon();
    return QIcon(path(name));
}

QPixmap Images::pixmap(const QString& name, const QSize& size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(path(name));
    if (!renderer.isValid() || size.isEmpty())
        return QPixmap();
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QSize Images::naturalSize(const QString& name)
{
    QSvgRenderer renderer(path(name));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap Images::tinted(const QPixmap& pixmap, const QColor& color)
{
    if (pixmap.isNull())
        return pixmap;
    QPixmap result(pixmap.size());
    result.setDevicePixelRatio(pixmap.devicePixelRatio());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(0, 0, pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(0, 0), pixmap.size()), color);
    return result;
}

QIcon Images::templateIcon(const QString& name, const QSize& size, const QColor& color)
{
    QIcon icon;
    for (qreal ratio : {1.0, 2.0}) {
        const QPixmap image = pixmap(name, size, ratio);
        if (image.isNull())
            return QIcon();
        icon.addPixmap(tinted(image, color));
    }
    return icon;
}
