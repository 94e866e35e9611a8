#include "platform/tray/StatusNotifierStatusItem.h"
#include "BusCall.h"
#include "ManualRunLoop.h"
#include "PrivateSessionBus.h"
#include "platform/tray/SniTimeIcon.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QWidget>
#include <QtTest>

using namespace std::chrono_literals;

// The item as a panel reads it over the bus; the test is the panel's watcher.
class StatusNotifierStatusItemTest : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

    QDBusConnection m_host = QDBusConnection::sessionBus();
    QString m_service;
    QStringList m_registered;
    int m_newIcons = 0;

    // The item on the bus, under the name the panel reads it by.
    void follow(const StatusNotifierStatusItem& item)
    {
        QVERIFY(QTest::qWaitFor([&] { return !item.serviceName().isEmpty(); }));
        m_service = item.serviceName();
    }
    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& arguments, const QString& path = "/StatusNotifierItem")
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_service, path, interface, method);
        message.setArguments(arguments);
        return callAndWait(m_host, message);
    }
    QVariant property(const QString& name)
    {
        QDBusReply<QDBusVariant> reply =
            call("org.freedesktop.DBus.Properties", "Get", {"org.kde.StatusNotifierItem", name});
        return reply.isValid() ? reply.value().variant() : QVariant();
    }
    QDBusMessage callMenu(const QString& method, const QVariantList& arguments)
    {
        const QString path = property("Menu").value<QDBusObjectPath>().path();
        return call("com.canonical.dbusmenu", method, arguments, path);
    }
    // The menu as the host draws it: a label, or "-" for a separator, and
    // whether it can be chosen, for each item by id.
    QMap<int, std::pair<QString, bool>> shownMenu()
    {
        const QDBusMessage reply = callMenu("GetLayout", {0, -1, QStringList()});
        QMap<int, std::pair<QString, bool>> shown;
        if (reply.type() != QDBusMessage::ReplyMessage)
            return shown;
        const auto layout = reply.arguments().at(1).value<QDBusArgument>();
        int id = 0;
        QVariantMap properties;
        layout.beginStructure();
        layout >> id >> properties;
        layout.beginArray();
        while (!layout.atEnd()) {
            QDBusVariant child;
            layout >> child;
            const auto item = child.variant().value<QDBusArgument>();
            item.beginStructure();
            item >> id >> properties;
            const bool separator = properties.value("type") == "separator";
            shown[id] = {separator ? "-" : properties.value("label").toString(),
                         properties.value("enabled", true).toBool()};
            item.endStructure();
        }
        return shown;
    }
    // Signals the item sent before a reply arrive before it.
    int newIcons()
    {
        call("org.freedesktop.DBus.Peer", "Ping", {});
        QCoreApplication::processEvents();
        return m_newIcons;
    }

    // Light digits, at least minHeight pixels tall, in one band, on a dark
    // backing under the period's bar.
    static void hasReadableDigits(const QImage& image, int minHeight)
    {
        QCOMPARE(image.pixel(image.width() / 2, 0), qRgb(255, 0, 0));
        QVERIFY(qGray(image.pixel(0, image.height() / 2)) < 60);
        QList<int> runs; // heights of the bands of rows holding light pixels
        for (int y = 0, run = 0; y <= image.height(); ++y) {
            bool light = false;
            for (int x = 0; y < image.height() && x < image.width(); ++x)
                light = light || qGray(image.pixel(x, y)) > 160;
            if (light)
                ++run;
            else if (run > 0)
                runs << std::exchange(run, 0);
        }
        QCOMPARE(runs.size(), 1);
        QVERIFY(runs.first() >= minHeight);
    }

public Q_SLOTS:
    void newIcon() { ++m_newIcons; }
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString& item) { m_registered << item; }

private Q_SLOTS:
    void panelReadsTimeAndPictures()
    {
        ManualRunLoop loop;
        StatusNotifierStatusItem item;
        follow(item);
        QVERIFY(m_host.connect(m_service, "/StatusNotifierItem", "org.kde.StatusNotifierItem",
                               "NewIcon", this, SLOT(newIcon())));
        // A panel that starts after the item is told of it.
        QVERIFY(m_host.registerObject("/StatusNotifierWatcher", this,
                                      QDBusConnection::ExportScriptableSlots));
        QVERIFY(m_host.registerService(StatusNotifierStatusItem::kWatcherService));
        // By the connection's own name: GNOME's extension drops some items registered
        // by a well-known one.
        const QString owner = m_host.interface()->serviceOwner(m_service);
        QVERIFY(owner.startsWith(':'));
        QVERIFY(QTest::qWaitFor([&] { return m_registered == QStringList{owner}; }));

        auto* view = new QWidget(item.button());
        view->setGeometry(0, 0, 40, 21);
        view->setAutoFillBackground(true);
        const auto fill = [view](const QColor& color) {
            QPalette palette = view->palette();
            palette.setColor(QPalette::Window, color);
            view->setPalette(palette);
        };
        fill(Qt::white);
        item.setLength(40);
        item.setLabelText("01:05:09");
        item.setSquareText("65");
        item.setAccentColor(Qt::red);
        item.setToolTipTitle("Work");
        item.setToolTipText("1:05:09 remaining");
        loop.runPending();
        QCOMPARE(newIcons(), 1);

        QCOMPARE(property("XAyatanaLabel").toString(), "01:05:09");
        QCOMPARE(property("Title").toString(), "Zembrak: Work, 1:05:09 remaining");
        // Squares, holding the minutes alone, for hosts that fit icons into one;
        // the view's shape, as the largest, for hosts that keep it.
        const SniIconPixmapList icons = item.iconPixmaps();
        QVERIFY(icons.size() > 1);
        QCOMPARE(icons.first().width, icons.first().height);
        QCOMPARE(icons.first().width, 22);
        hasReadableDigits(icons.first().toImage(),
                          11); // the minutes alone; the largest is waybar's

        // The next second is shown at once; a repaint that keeps it says nothing.
        loop.advance(1s);
        item.setLabelText("01:05:08");
        loop.runPending();
        QCOMPARE(newIcons(), 2);
        fill(Qt::blue);
        loop.advance(2s);
        QCOMPARE(newIcons(), 2);
    }

    void menuRunsItsCommands_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("shown"); // "-": a separator; empty: no such item
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("runs"); // the entry whose command runs, or -1
        const auto row = [](const char* name, int id, const char* event, const char* shown,
                            bool enabled, int runs) {
            QTest::newRow(name) << id << QString(event) << QString(shown) << enabled << runs;
        };
        row("first", 1, "clicked", "Start", true, 0);
        row("disabled", 3, "clicked", "Skip", false, -1);
        row("separator", 4, "clicked", "-", true, -1);
        row("underscore, last", 5, "clicked", "Save__All", true, 4);
        row("hovered", 1, "hovered", "Start", true, -1);
        row("no such item", 6, "clicked", "", false, -1);
    }
    void menuRunsItsCommands()
    {
        QFETCH(int, id);
        QFETCH(QString, event);
        QFETCH(QString, shown);
        QFETCH(bool, enabled);
        QFETCH(int, runs);
        ManualRunLoop loop;
        StatusNotifierStatusItem item;
        follow(item);
        QList<int> ran(5);
        const auto counting = [&ran](int entry) { return [&ran, entry] { ++ran[entry]; }; };
        item.setMenu({{"Start", counting(0)},
                      {"Reset", counting(1)},
                      {"Skip", counting(2), false},
                      StatusItem::MenuEntry::separatorLine(),
                      {"Save_All", counting(4)}});

        QCOMPARE(property("ItemIsMenu").toBool(), false);
        const auto menu = shownMenu();
        QCOMPARE(menu.size(), 5);
        QCOMPARE(menu.value(id).first, shown);
        QCOMPARE(menu.value(id).second, enabled);
        const QDBusMessage reply =
            callMenu("Event", {id, event, QVariant::fromValue(QDBusVariant(0)), 0u});
        QCOMPARE(reply.type() == QDBusMessage::ErrorMessage, shown.isEmpty());
        loop.runPending();
        QList<int> expected(5);
        if (runs >= 0)
            expected[runs] = 1;
        QCOMPARE(ran, expected);
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QApplication, StatusNotifierStatusItemTest>(argc, argv);
}
#include "StatusNotifierStatusItemTest.moc"
