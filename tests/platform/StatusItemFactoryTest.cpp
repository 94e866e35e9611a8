#include "PrivateSessionBus.h"
#include "platform/StatusItem.h"
#include "platform/WindowStatusItem.h"
#include "platform/sni/StatusNotifierStatusItem.h"
#include "platform/x11/X11Environment.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

using Backend = StatusItem::Backend;

class StatusItemFactoryTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PrivateSessionBus> m_bus;

private Q_SLOTS:
    void initTestCase()
    {
        // Before anything opens the session bus: create() must find ours.
        m_bus = std::make_unique<PrivateSessionBus>();
        if (!m_bus->address().isEmpty())
            qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus->address().toLocal8Bit());
    }

    void choosesByWhatTheDesktopOffers()
    {
        // On X11, a tray manager, a StatusNotifier watcher: the item to make.
        const std::tuple<bool, bool, bool, Backend> cases[] = {
            {true, true, false, Backend::SystemTray},
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

    void createFollowsTheSessionBus()
    {
        if (m_bus->address().isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/install-deps installs it)");
        {
            const std::unique_ptr<StatusItem> item = StatusItem::create();
            QVERIFY(dynamic_cast<WindowStatusItem*>(item.get()));
        }
        QDBusConnection panel = QDBusConnection::connectToBus(m_bus->address(), "panel");
        QVERIFY(panel.registerService(StatusNotifierStatusItem::kWatcherService));
        {
            const std::unique_ptr<StatusItem> item = StatusItem::create();
            QVERIFY(dynamic_cast<StatusNotifierStatusItem*>(item.get()));
        }
        QDBusConnection::disconnectFromBus("panel");
    }

    void windowStaysAtTheScreensTopRight()
    {
        WindowStatusItem item;
        auto* view = new QLabel("25:00", item.button());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (int length : {60, 95, 40}) {
            item.setLength(length);
            const QRect window = item.window()->geometry();
            QCOMPARE(window.width(), length);
            QCOMPARE(window.topRight(), screen.topRight());
            QCOMPARE(item.buttonGeometry(), window);
        }
        QVERIFY(item.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTRY_VERIFY(view->isVisible()); // shown as soon as it is put in
        auto* hidden = new QLabel("hidden", item.button());
        hidden->hide(); // but what its owner hides stays hidden
        QCoreApplication::processEvents();
        QVERIFY(!hidden->isVisible());
    }
};

QTEST_MAIN(StatusItemFactoryTest)
#include "StatusItemFactoryTest.moc"
