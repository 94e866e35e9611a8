#pragma once

#include "StatusItem.h"

#include <QTimer>
#include <memory>

class StatusItemWindow;
class X11SystemTray;

// The status item docked into an X11 system tray (XEmbed). The button is the
// embedded window, so the hosted view gets real clicks and hover. While no
// tray runs, or one refuses the button, the button waits in a small window at
// the top right of the screen and docks as soon as a tray appears.
class X11SystemTrayStatusItem : public StatusItem
{
    Q_OBJECT

public:
    explicit X11SystemTrayStatusItem(std::unique_ptr<X11SystemTray> tray);
    ~X11SystemTrayStatusItem() override;

    bool isDocked() const { return m_state == State::Docked; }
    bool floats() const override { return m_state == State::Floating; }
    QRect buttonGeometry() const override;

protected:
    void applyLength() override;

private:
    enum class State
    {
        Floating,
        Docking,
        Docked
    };

    void managerChanged();
    void windowReparented(quint32 window, bool toRoot);
    void dock();
    void dockAgainLater();
    void floatInWindow();
    QSize requestedSize() const;
    void fillSlot(QSize socket);
    void takePanelColors();
    QSize inPixels(QSize size) const;

    std::unique_ptr<X11SystemTray> m_tray;
    std::unique_ptr<StatusItemWindow> m_window;
    QTimer m_dockTimeout;
    QTimer m_colorSample;
    State m_state = State::Floating;
    quint32 m_dockedWindow = 0;
    int m_refusals = 0;
    int m_colorSamples = 0;
};
