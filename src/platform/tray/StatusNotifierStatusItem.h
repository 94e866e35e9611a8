#pragma once

#include "SniIconPixmap.h"
#include "SniToolTip.h"
#include "StatusItem.h"
#include "platform/RunLoop.h"
#include "platform/bus/BusCalls.h"
#include "platform/bus/BusSlots.h"

#include <QPoint>
#include <memory>

class BusService;
class DBusMenu;

// The status item as a StatusNotifierItem on the session bus, for desktops
// whose panel hosts those instead of an X11 tray. The host shows the label
// text and a picture of the button; clicks come back as activated() and
// secondaryActivated(), and hosts that draw menus show the item's menu. Served from the GUI
// thread's own connection, so that a host reading each new second wakes no other thread.
class StatusNotifierStatusItem : public StatusItem
{
    Q_OBJECT

public:
    static constexpr auto kObjectPath = "/StatusNotifierItem";
    static constexpr auto kInterface = "org.kde.StatusNotifierItem";
    static constexpr auto kWatcherService = "org.kde.StatusNotifierWatcher";

    StatusNotifierStatusItem();
    ~StatusNotifierStatusItem() override;

    // Where the item is exported; empty until the bus has given it the name.
    QString serviceName() const { return m_serviceName; }
    // Whether the watcher accepted the item the last time it was asked.
    bool isRegisteredWithWatcher() const { return m_registered; }

    QRect buttonGeometry() const override;

    // What the host reads.
    SniIconPixmapList iconPixmaps() const { return m_icons; }
    SniToolTip toolTip() const;
    // The item's name with the period and the whole time.
    QString title() const;
    // The label with every digit as 0: the widest text the label takes.
    QString labelGuide() const;

    // What the host asks for, at the pointer position it gives (or 0, 0).
    void activate(QPoint at);
    void secondaryActivate(QPoint at);

Q_SIGNALS:
    void registeredWithWatcher();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void exportInterface();
    void followWatcher();
    void registerWithWatcher();
    void nudgeLabel();
    void watchContent(QObject* object);
    void scheduleIconRefresh();
    void refreshIcon();
    // The label, or its square form where an icon of this size is too narrow for it.
    QString textFor(QSize icon) const;

    std::unique_ptr<BusService> m_service;
    std::unique_ptr<DBusMenu> m_menu; // on the service's connection
    BusSlots m_slots;
    BusCalls m_calls;
    QString m_serviceName;
    bool m_registered = false;
    SniIconPixmapList m_icons;
    QString m_lastIconKey;
    QString m_lastTitle;
    RunLoop::Instant m_lastRefresh{};
    bool m_refreshPending = false;
    bool m_everRefreshed = false;
    QPoint m_lastActivation;
    bool m_activationKnown = false;
};
