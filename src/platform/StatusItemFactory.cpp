#include "StatusItem.h"

#include "WindowStatusItem.h"
#include "sni/StatusNotifierStatusItem.h"
#include "x11/X11SystemTray.h"
#include "x11/X11SystemTrayStatusItem.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

StatusItem::Backend StatusItem::chooseBackend(bool onX11, bool trayManagerPresent,
                                              bool statusNotifierWatcherPresent)
{
    if (onX11 && trayManagerPresent)
        return Backend::SystemTray;
    if (statusNotifierWatcherPresent)
        return Backend::StatusNotifier;
    return onX11 ? Backend::SystemTray : Backend::Window;
}

std::unique_ptr<StatusItem> StatusItem::create()
{
    std::unique_ptr<X11SystemTray> tray = X11SystemTray::forApplication();
    const bool trayManagerPresent = tray && tray->manager() != XCB_WINDOW_NONE;
    bool watcherPresent = false;
    if (!trayManagerPresent) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        const QDBusConnectionInterface* busInterface =
            bus.isConnected() ? bus.interface() : nullptr;
        watcherPresent = busInterface && busInterface
                                             ->isServiceRegistered(QString::fromLatin1(
                                                 StatusNotifierStatusItem::kWatcherService))
                                             .value();
    }
    switch (chooseBackend(tray != nullptr, trayManagerPresent, watcherPresent)) {
    case Backend::SystemTray:
        return std::make_unique<X11SystemTrayStatusItem>(std::move(tray));
    case Backend::StatusNotifier:
        return std::make_unique<StatusNotifierStatusItem>();
    case Backend::Window:
        break;
    }
    return std::make_unique<WindowStatusItem>();
}
