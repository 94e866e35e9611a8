#pragma once

#include "SniIconPixmap.h"
#include "SniToolTip.h"
#include "platform/RunLoop.h"
#include "platform/StatusItem.h"

#include <QDBusConnection>
#include <QPoint>

class QDBusServiceWatcher;
class StatusNotifierItemAdaptor;

// The status item as a StatusNotifierItem on D-Bus, for desktops whose panel
// hosts those instead of an X11 tray. The host shows the label text and a
// picture of the button; clicks come back as activated() and
// secondaryActivated().
class StatusNotifierStatusItem : public StatusItem
{
    Q_OBJECT

public:
    static constexpr auto kObjectPath = "/StatusNotifierItem";
    static constexpr auto kWatcherService = "org.kde.StatusNotifierWatcher";

    explicit StatusNotifierStatusItem(const QDBusConnection& connection);
    ~StatusNotifierStatusItem() override;

    // Where the item is exported; empty when the bus refused the name.
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
    void registerWithWatcher();
    void watchContent(QObject* object);
    void scheduleIconRefresh();
    void refreshIcon();

    QDBusConnection m_connection;
    QString m_serviceName;
    StatusNotifierItemAdaptor* m_adaptor;          // owned as a QObject child
    QDBusServiceWatcher* m_watcherWatch = nullptr; // owned as a QObject child
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
