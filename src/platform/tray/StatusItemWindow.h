#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>

// A small frameless window that stays on top at the top right of the primary
// screen and shows a status item's button where no tray can take it.
class StatusItemWindow : public QWidget
{
    Q_OBJECT

public:
    StatusItemWindow();
    ~StatusItemWindow() override;

    // Puts the button inside and follows its size. The button stays the
    // caller's: release() gives it back as a parentless widget.
    void hold(QWidget* button);
    void release();
    QWidget* heldButton() const { return m_button; }

    // Keeps the window's right edge at the screen's right edge, or where it was put.
    void place();
    void setPlace(std::optional<QPoint> topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_button;
    std::optional<QPoint> m_place;
};
