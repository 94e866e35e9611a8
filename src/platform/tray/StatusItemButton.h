#pragma once

#include <QWidget>

// The status item's button: hosts the item's view, draws the highlight behind
// it and fades it with the item's alpha. A tray's slot may be larger than the
// view, and some trays click where the view is not (KDE's proxy clicks at the
// slot's first pixel): a click anywhere on the button reaches the view.
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A view put into a button already on screen shows, as a subview does;
    // one its owner hid stays hidden.
    void childEvent(QChildEvent* event) override;

private:
    // A click on the slot around the view goes to the view, at the view's
    // nearest pixel; false when it fell on the view already.
    bool forwardToView(QMouseEvent* event);

    bool m_highlighted = false;
    qreal m_alpha = 1.0;
};
