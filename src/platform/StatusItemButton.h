#pragma once

#include <QWidget>

// The status item's button: hosts the item's view, draws the highlight behind
// it and fades it with the item's alpha.
class StatusItemButton : public QWidget
{
    Q_OBJECT

public:
    explicit StatusItemButton(QWidget* parent = nullptr);

    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return m_highlighted; }
    void setAlpha(qreal alpha);
    qreal alpha() const { return m_alpha; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // A view put into a button already on screen shows, as a subview does;
    // one its owner hid stays hidden.
    void childEvent(QChildEvent* event) override;

private:
    bool m_highlighted = false;
    qreal m_alpha = 1.0;
};
