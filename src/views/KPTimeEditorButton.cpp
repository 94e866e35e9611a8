#include "KPTimeEditorButton.h"

#include "platform/SystemStyle.h"

#include <QPainter>

KPTimeEditorButton::KPTimeEditorButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus); // a click must not end the edit of a field
}

void KPTimeEditorButton::setImage(Image image, const QSize& size)
{
    if (m_image == image && m_imageSize == size)
        return;
    m_image = image;
    m_imageSize = size;
    update();
}

void KPTimeEditorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(SystemStyle::tertiaryLabelColor(palette()), 1));
    painter.setBrush(isDown() ? QBrush(SystemStyle::quaternaryLabelColor(palette()))
                              : QBrush(Qt::NoBrush));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    if (!m_image)
        return;
    const QColor color = isEnabled() ? SystemStyle::labelColor(palette())
                                     : SystemStyle::tertiaryLabelColor(palette());
    const QPixmap pixmap = m_image(m_imageSize, color, devicePixelRatioF());
    const QPoint at((width() - m_imageSize.width()) / 2, (height() - m_imageSize.height()) / 2);
    painter.drawPixmap(at, pixmap);
}
