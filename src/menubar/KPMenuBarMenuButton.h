#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <memory>

class KPMenuBarMenuButtonDelegate;
class KPMenuBarTimeDisplay;
class QMenu;

// The small button at the left edge of the status item: silences a ringing
// alarm, brings the application forward and asks its delegate to toggle the
// popover. Its image is a template: drawn in the bar's text colour.
class KPMenuBarMenuButton : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int defaultWidth = 13;

    explicit KPMenuBarMenuButton(QWidget* parent = nullptr);
    ~KPMenuBarMenuButton() override;

    KPMenuBarTimeDisplay* timeDisplay() const { return m_timeDisplay; }
    void setTimeDisplay(KPMenuBarTimeDisplay* display) { m_timeDisplay = display; }
    QMenu* statusMenu() const { return m_statusMenu.get(); }
    KPMenuBarMenuButtonDelegate* delegate() const { return m_delegate; }
    void setDelegate(KPMenuBarMenuButtonDelegate* delegate) { m_delegate = delegate; }

    QPixmap image() const { return m_image; }
    void setImage(const QPixmap& image);
    // The application's image of that name; no image when there is none.
    void setImageNamed(const QString& name);
    // The width the button takes when shown: its image's, or 13 without one.
    int visibleWidth() const;

    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    void press();
    void updateStatusMenuHighlight(bool highlighted);

    // Three dots on a 13 by 21 template.
    static QPixmap menuButtonImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    KPMenuBarTimeDisplay* m_timeDisplay = nullptr;
    std::unique_ptr<QMenu> m_statusMenu;
    KPMenuBarMenuButtonDelegate* m_delegate = nullptr;
    QPixmap m_image;
    bool m_highlighted = false;
};
