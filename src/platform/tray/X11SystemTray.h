#pragma once

#include <QAbstractNativeEventFilter>
#include <QColor>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

// The X11 system tray protocol as its clients speak it: who owns the tray
// selection of our screen, asking it to dock a window, and noticing when a
// tray appears, restarts or goes away.
class X11SystemTray : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Nothing when the application does not run on X11.
    static std::unique_ptr<X11SystemTray> forApplication();
    X11SystemTray(xcb_connection_t* connection, int screenNumber);
    // Gives the widget's X11 window the class "zembrak" (instance and class),
    // as the desktop file names it. Does nothing off X11.
    static void setApplicationClass(QWidget* window);
    ~X11SystemTray() override;

    // The tray manager's window, or XCB_WINDOW_NONE when no tray runs.
    xcb_window_t manager() const { return m_manager; }

    // Marks the window as an XEmbed client and asks the tray to embed it.
    bool requestDock(xcb_window_t window);
    // The size the tray should give the window, in the window's hints (pixels).
    void setRequestedSize(xcb_window_t window, QSize size) const;
    // Where the window really is on the screen, whoever its parent is (pixels).
    QRect rootGeometry(xcb_window_t window) const;
    // The size of the tray's socket holding the docked window (pixels): the
    // slot the tray chose, whatever size was asked for.
    QSize socketSize() const;
    // The text colour the tray asks its icons to use (_NET_SYSTEM_TRAY_COLORS).
    std::optional<QColor> foregroundColor() const;
    // The colour seen most in a thin ring just outside the window: the panel
    // around the item.
    std::optional<QColor> colorAround(xcb_window_t window) const;
    // The panel's own pixels under the docked window (its picture or gradient):
    // the window takes its parent's background and is read back. Nothing where
    // the tray gives its icons no background to take (the window stays as drawn).
    std::optional<QImage> panelBehind(xcb_window_t window) const;
    // The panel's picture under the window where it runs in stripes along the
    // panel (a gradient, a tiled image) and the tray lets none of it through:
    // each line takes its commonest colour along the whole panel. Nothing where
    // a compositing manager draws the screen or the panel shows no stripes.
    std::optional<QImage> panelStripes(xcb_window_t window) const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // A compositing manager runs: the windows' own pixels are not what the screen shows.
    bool composited() const { return ownerOf(m_compositingSelection) != XCB_WINDOW_NONE; }

Q_SIGNALS:
    void managerChanged();
    // The tray changed the colours it asks its icons to use.
    void colorsChanged();
    // The window last asked to dock got a new parent since the request: the
    // tray's socket, or the root when the tray let it go.
    void windowReparented(xcb_window_t window, bool toRoot);
    void socketResized(QSize size);

private:
    xcb_window_t ownerOf(xcb_atom_t selection) const;
    xcb_atom_t atom(const char* name) const;
    void findManager();
    void selectEvents(xcb_window_t window, uint32_t mask) const;
    // Where the window's top-level ancestor (the panel) is on the root.
    QRect topLevelGeometry(xcb_window_t window) const;
    // Whether the picture's edges, put at onRoot, run on into the pixels around it.
    bool continuesAround(const QImage& inside, const QRect& onRoot) const;

    xcb_connection_t* m_connection;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_window_t m_manager = XCB_WINDOW_NONE;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    xcb_atom_t m_managerAtom = XCB_ATOM_NONE;
    xcb_atom_t m_opcode = XCB_ATOM_NONE;
    xcb_atom_t m_embedInfo = XCB_ATOM_NONE;
    xcb_atom_t m_colors = XCB_ATOM_NONE;
    xcb_atom_t m_compositingSelection = XCB_ATOM_NONE;
    xcb_window_t m_dockedWindow = XCB_WINDOW_NONE;
    xcb_window_t m_socket = XCB_WINDOW_NONE;
    unsigned int m_dockSequence = 0;
};
