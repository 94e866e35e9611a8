#include "PrivateSessionBus.h"
#include "platform/StatusItem.h"
#include "platform/WindowStatusItem.h"
#include "platform/sni/StatusNotifierStatusItem.h"

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

    void choosesByWhatTheDesktopOffers_data()
    {
        QTest::addColumn<bool>("onX11");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("watcher");
        QTest::addColumn<Backend>("expected");
        QTest::newRow("x11 tray") << true << true << false << Backend::SystemTray;
        QTest::newRow("x11 tray beats watcher") << true << true << true << Backend::SystemTray;
        QTest::newRow("x11 watcher only") << true << false << true << Backend::StatusNotifier;
        // Autostarted before the panel: wait for a tray in a window of our own.
        QTest::newRow("x11 nothing yet") << true << false << false << Backend::SystemTray;
        QTest::newRow("wayland watcher") << false << false << true << Backend::StatusNotifier;
        QTest::newRow("wayland nothing") << false << false << false << Backend::Window;
        // A tray selection seen without X11 cannot be docked into.
        QTest::newRow("tray without x11") << false << true << false << Backend::Window;
    }

    void choosesByWhatTheDesktopOffers()
    {
        QFETCH(bool, onX11);
        QFETCH(bool, tray);
        QFETCH(bool, watcher);
        QFETCH(Backend, expected);
        QCOMPARE(StatusItem::chooseBackend(onX11, tray, watcher), expected);
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
        view->setGeometry(0, 0, 60, 21);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (int length : {60, 95, 40}) {
            item.setLength(length);
            const QRect window = item.window()->geometry();
            QCOMPARE(window.size(), QSize(length, 21));
            QCOMPARE(window.topRight(), screen.topRight());
            QCOMPARE(item.buttonGeometry(), window);
        }
        QVERIFY(item.window()->isVisible());
        QTRY_VERIFY(view->isVisible()); // shown as soon as it is put in
        auto* hidden = new QLabel("hidden", item.button());
        hidden->hide();
        QCoreApplication::processEvents();
        QVERIFY(!hidden->isVisible());
        QVERIFY(item.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
};

QTEST_MAIN(StatusItemFactoryTest)
#include "StatusItemFactoryTest.moc"
