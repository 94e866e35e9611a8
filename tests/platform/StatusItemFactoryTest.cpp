#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "app/TopBarHint.h"
#include "platform/tray/StatusItem.h"
#include "platform/tray/WindowStatusItem.h"
#include "platform/x11/X11Environment.h"

#include <QtTest>

using Backend = StatusItem::Backend;
using namespace std::chrono_literals;

class StatusItemFactoryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesByWhatTheDesktopOffersAndTheUserAsks()
    {
        using P = StatusItem::Preference;
        // Asked for; on X11, a tray manager, a proxying tray, a StatusNotifier watcher.
        const std::tuple<P, bool, bool, bool, bool, Backend> cases[] = {
            {P::automatic, true, true, false, true, Backend::SystemTray}, // the tray wins
            // Plasma's tray only proxies: its host draws us better.
            {P::automatic, true, true, true, true, Backend::StatusNotifier},
            {P::automatic, true, true, true, false, Backend::SystemTray},
            {P::automatic, true, false, false, true, Backend::StatusNotifier},
            // Autostarted before the panel: wait for a tray in a window of our own.
            {P::automatic, true, false, false, false, Backend::SystemTray},
            {P::automatic, false, false, false, true, Backend::StatusNotifier},
            {P::automatic, false, false, false, false, Backend::Window},
            // A tray selection seen without X11 cannot be docked into.
            {P::automatic, false, true, false, false, Backend::Window},
            {P::xembed, true, true, true, true, Backend::SystemTray},
            {P::xembed, false, false, false, true, Backend::Window},
            {P::statusNotifier, true, true, false, false, Backend::StatusNotifier},
            {P::window, true, true, false, true, Backend::Window}};
        for (const auto& [preferred, onX11, tray, proxy, watcher, expected] : cases)
            QCOMPARE(StatusItem::chooseBackend(preferred, onX11, tray, proxy, watcher), expected);
        QCOMPARE(StatusItem::preferenceNamed("sni"), P::statusNotifier);
        QVERIFY(!StatusItem::preferenceNamed("SNI ").has_value());
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

    // GNOME's user whose item floats is told once how to have it in the top bar.
    void toldOnceWhereTheItemFloatsOnGnome_data()
    {
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<bool>("floating");
        QTest::addColumn<int>("told");
        QTest::newRow("GNOME, floating") << QByteArray("ubuntu:GNOME") << true << 1;
        QTest::newRow("GNOME, in a tray") << QByteArray("GNOME") << false << 0;
        QTest::newRow("XFCE, floating") << QByteArray("XFCE") << true << 0;
    }
    void toldOnceWhereTheItemFloatsOnGnome()
    {
        QFETCH(QByteArray, desktop);
        QFETCH(bool, floating);
        QFETCH(int, told);
        TemporaryStore home;
        home.reset();
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        ManualRunLoop loop;
        std::unique_ptr<StatusItem> item =
            floating ? std::make_unique<WindowStatusItem>() : std::make_unique<StatusItem>();
        int shown = 0;
        for (int launch = 0; launch < 2; ++launch) {
            const int before = shown;
            TopBarHint hint(*item, [&](const QString&, const QString&) { ++shown; });
            loop.advance(TopBarHint::patience - 1s);
            QCOMPARE(shown, before); // a panel that starts late may still take the item
            loop.advance(1s);
        }
        QCOMPARE(shown, told);
    }
};

QTEST_MAIN(StatusItemFactoryTest)
#include "StatusItemFactoryTest.moc"
