#include "platform/StatusItem.h"

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
};

QTEST_GUILESS_MAIN(StatusItemFactoryTest)
#include "StatusItemFactoryTest.moc"
