#include "StatusItem.h"

#include "StatusNotifierStatusItem.h"
#include "WindowStatusItem.h"
#include "X11SystemTray.h"
#include "X11SystemTrayStatusItem.h"
#include "platform/StandardError.h"
#include "platform/Workspace.h"
#include "platform/bus/SdBusConnection.h"
#include "platform/store/Defaults.h"

std::optional<StatusItem::Preference> StatusItem::preferenceNamed(const QString& name)
{
    static const std::pair<const char*, Preference> names[] = {{"auto", Preference::automatic},
                                                               {"xembed", Preference::xembed},
                                                               {"sni", Preference::statusNotifier},
                                                               {"window", Preference::window}};
    for (const auto& [text, preference] : names)
        if (name == QLatin1String(text))
            return preference;
    return std::nullopt;
}

StatusItem::Backend StatusItem::chooseBackend(Preference preferred, bool onX11,
                                              bool trayManagerPresent, bool trayIsProxy,
                                              bool statusNotifierWatcherPresent)
{
    switch (preferred) {
    case Preference::window:
        return Backend::Window;
    case Preference::statusNotifier:
        return Backend::StatusNotifier;
    case Preference::xembed:
        return onX11 ? Backend::SystemTray : Backend::Window;
    case Preference::automatic:
        break;
    }
    if (onX11 && trayManagerPresent && !(trayIsProxy && statusNotifierWatcherPresent))
        return Backend::SystemTray;
    if (statusNotifierWatcherPresent)
        return Backend::StatusNotifier;
    return onX11 ? Backend::SystemTray : Backend::Window;
}

namespace {

bool watcherPresent()
{
    return SdBusConnection::session().hasOwner(StatusNotifierStatusItem::kWatcherService,
                                               std::chrono::seconds(2));
}

StatusItem::Preference storedPreference()
{
    const QString name =
        Defaults::standard().string(StatusItem::trayBackendKey).value_or(QString());
    if (name.isEmpty())
        return StatusItem::Preference::automatic;
    if (const auto preference = StatusItem::preferenceNamed(name))
        return *preference;
    StandardError::tell(QStringLiteral("%1 \"%2\" is none of auto, xembed, sni and window; "
                                       "auto is used")
                            .arg(StatusItem::trayBackendKey, name));
    return StatusItem::Preference::automatic;
}

} // namespace

std::unique_ptr<StatusItem> StatusItem::create()
{
    const Preference preferred = storedPreference();
    std::unique_ptr<X11SystemTray> tray =
        preferred == Preference::automatic || preferred == Preference::xembed
            ? X11SystemTray::forApplication()
            : nullptr;
    const bool trayManagerPresent = tray && tray->manager() != XCB_WINDOW_NONE;
    // Plasma's XEmbed tray on X11 is xembedsniproxy, which hands every docked
    // window to its StatusNotifierItem host as a square picture.
    const bool proxy = trayManagerPresent && Workspace::isDesktop(QStringLiteral("KDE"));
    // These panels draw the docked window themselves, and their tray may come up
    // after us (an autostart races the panel): it is waited for, rather than
    // leaving the item to their StatusNotifierItem host, which shows no label.
    const bool trayComing = tray && !trayManagerPresent &&
                            (Workspace::isDesktop(QStringLiteral("MATE")) ||
                             Workspace::isDesktop(QStringLiteral("XFCE")) ||
                             Workspace::isDesktop(QStringLiteral("LXDE")));
    const bool watcher = !trayComing && (!trayManagerPresent || proxy) && watcherPresent();
    switch (chooseBackend(preferred, tray != nullptr, trayManagerPresent, proxy, watcher)) {
    case Backend::SystemTray:
        return std::make_unique<X11SystemTrayStatusItem>(std::move(tray));
    case Backend::StatusNotifier:
        return std::make_unique<StatusNotifierStatusItem>();
    case Backend::Window:
        break;
    }
    return std::make_unique<WindowStatusItem>();
}
