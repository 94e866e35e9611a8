#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The application's place in the desktop's tray. Its button hosts the item's
// view; the backend (X11 system tray, StatusNotifierItem, or a small window
// of its own) is chosen at run time by create().
//
// Mouse events over the button reach the hosted view directly where the view
// is really on screen; a backend that only shows a picture of the view (a
// StatusNotifierItem) reports activations through the signals instead.
class StatusItem : public QObject
{
    Q_OBJECT

public:
    enum class Backend
    {
        SystemTray,
        StatusNotifier,
        Window
    };

    // A command of the menu that hosts drawing menus themselves show for the item.
    struct MenuEntry
    {
        QString label;
        std::function<void()> triggered;
        bool enabled = true;
        bool separator = false; // a line between groups: no label, no command

        static MenuEntry separatorLine()
        {
            MenuEntry line;
            line.separator = true;
            return line;
        }
    };
    using Menu = std::vector<MenuEntry>;

    // What the user asked for under trayBackendKey in the standard store.
    enum class Preference
    {
        automatic,
        xembed,
        statusNotifier,
        window
    };
    static inline const QString trayBackendKey = QStringLiteral("trayBackend");
    // "auto", "xembed", "sni" or "window"; anything else is automatic.
    static std::optional<Preference> preferenceNamed(const QString& name);

    // The backend that suits the desktop this process runs on, or the one the
    // user chose; never null.
    static std::unique_ptr<StatusItem> create();
    // Prefers an XEmbed tray that draws the item itself, then a
    // StatusNotifierItem host: a tray that only proxies XEmbed items to such a
    // host (Plasma's) makes a square icon of a picture of us, so the host is
    // taken directly. On X11 without either it still takes the tray backend,
    // which floats a window until a tray appears (at login the panel often
    // starts after its applications).
    static Backend chooseBackend(Preference preferred, bool onX11, bool trayManagerPresent,
                                 bool trayIsProxy, bool statusNotifierWatcherPresent);
    // A button that is shown nowhere: for views tested offscreen.
    StatusItem();
    ~StatusItem() override;

    QWidget* button() const { return m_button.get(); }

    double length() const { return m_length; }
    void setLength(double length);

    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    qreal alphaValue() const { return m_alpha; }
    void setAlphaValue(qreal alpha);
    // Goes to alpha over a short animation.
    void animateAlphaValue(qreal alpha);

    // The button's rectangle in screen coordinates (Qt's, origin top left): the
    // anchor for the popover and the utility windows.
    virtual QRect buttonGeometry() const;
    // Shown in a window of its own, for want of a tray or a host that takes it.
    virtual bool floats() const { return false; }

    // The room a host that sizes the button itself really gives it (an XEmbed
    // tray's slot may be narrower or wider than the length asked for); invalid
    // while the host gives what is asked. The view fits itself into it.
    QSize slotSize() const { return m_slotSize; }
    void setSlotSize(QSize size);

    // The view's content as text ("25:00"): the label and tooltip of hosts
    // that show text rather than the view itself.
    QString labelText() const { return m_labelText; }
    void setLabelText(const QString& text);
    // The time's square form (TrayTimeLayout), for hosts that draw a square icon.
    QString squareText() const { return m_squareText; }
    void setSquareText(const QString& text);

    // For hosts that draw the item themselves: the colour of the bar above
    // the time, and a tooltip of the period ("Work") over the whole time in
    // words ("24:59 remaining").
    QColor accentColor() const { return m_accentColor; }
    void setAccentColor(const QColor& color);
    QString toolTipTitle() const { return m_toolTipTitle; }
    void setToolTipTitle(const QString& title);
    QString toolTipText() const { return m_toolTipText; }
    void setToolTipText(const QString& text);

    // The commands, in order; given again whole when a label or the order changes.
    const Menu& menu() const { return m_menu; }
    void setMenu(Menu menu);

Q_SIGNALS:
    void activated();          // primary click reported by the host
    void secondaryActivated(); // secondary click reported by the host
    void lengthChanged(double length);
    void slotSizeChanged(QSize size);
    // Highlight, alpha or the view's content changed. A view that changes its
    // look without changing labelText may emit it so picture-based hosts redraw.
    void appearanceChanged();
    void labelTextChanged(const QString& text);
    void toolTipChanged();
    void menuChanged();

protected:
    virtual void applyLength();

private:
    std::unique_ptr<QWidget> m_button;
    double m_length = 0;
    bool m_highlighted = false;
    qreal m_alpha = 1.0;
    QString m_labelText;
    QString m_squareText;
    QColor m_accentColor;
    QString m_toolTipTitle;
    QString m_toolTipText;
    Menu m_menu;
    QSize m_slotSize;
    std::unique_ptr<class QVariantAnimation> m_alphaAnimation;
};
