#include "platform/StatusItem.h"
#include "platform/x11/X11Environment.h"

#include <QtTest>

using Backend = StatusItem::Backend;

class StatusItemFactoryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesByWhatTheDesktopOffers()
    {
        // On X11, a tray manager, a StatusNotifier watcher: the item to make.
        const std::tuple<bool, bool, bool, Backend> cases[] = {
            {true, true, true, Backend::SystemTray}, // the tray wins
            {true, false, true, Backend::StatusNotifier},
            // Autostarted before the panel: wait for a tray in a window of our own.
            {true, false, false, Backend::SystemTray},
            {false, false, true, Backend::StatusNotifier},
            {false, false, false, Backend::Window},
            // A tray selection seen without X11 cannot be docked into.
            {false, true, false, Backend::Window}};
        for (const auto& [onX11, tray, watcher, expected] : cases)
            QCOMPARE(StatusItem::chooseBackend(onX11, tray, watcher), expected);
    }

    void waylandSessionsGoThroughXWayland()
    {
        // DISPLAY, QT_QPA_PLATFORM as the user left it, and the platform Qt is told.
        const std::tuple<const char*, const char*, const char*> cases[] = {
            {":1", nullptr, "xcb"},
            {":1", "wayland", "wayland"}, // the user's choice stays
            {nullptr, nullptr, nullptr}}; // no XWayland: Qt chooses, natively
        const QByteArray display = qgetenv("DISPLAY"), platform = qgetenv("QT_QPA_PLATFORM");
        qputenv("WAYLAND_DISPLAY", "wayland-1");
        for (const auto& [x, chosen, expected] : cases) {
            x ? qputenv("DISPLAY", x) : qunsetenv("DISPLAY");
            chosen ? qputenv("QT_QPA_PLATFORM", chosen) : qunsetenv("QT_QPA_PLATFORM");
            X11Environment::prepare();
            QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), expected != nullptr);
            if (expected)
                QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray(expected));
        }
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", platform);
    }
};

QTEST_GUILESS_MAIN(StatusItemFactoryTest)
#include "StatusItemFactoryTest.moc"
