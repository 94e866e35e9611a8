#pragma once

#include <QAbstractButton>

// The time editor's square action button: a rounded border around an image
// that is drawn anew, in the palette's text colour, on every paint.
class KPTimeEditorButton : public QAbstractButton
{
    Q_OBJECT

public:
    using Image = QPixmap (*)(const QSize& size, const QColor& color, qreal devicePixelRatio);

    explicit KPTimeEditorButton(QWidget* parent = nullptr);

    // No image when null. Repaints only when something changed.
    void setImage(Image image, const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Image m_image = nullptr;
    QSize m_imageSize;
};
