#include "platform/sni/StatusNotifierStatusItem.h"
#include "BusCall.h"
#include "PrivateSessionBus.h"
#include "platform/ManualRunLoop.h"
#include "platform/sni/SniTimeIcon.h"

#include <QApplication>
#include <QDBusReply>
#include <QDBusVariant>
#include <QWidget>
#include <QtTest>

using namespace std::chrono_literals;

static QString busAddress;

// The item as a panel reads it over the bus; the test is the panel's watcher.
class StatusNotifierStatusItemTest : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

    QDBusConnection m_host = QDBusConnection::sessionBus();
    QString m_service;
    QStringList m_registered;
    int m_newIcons = 0;

    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& arguments)
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(m_service, "/StatusNotifierItem", interface, method);
        message.setArguments(arguments);
        return callAndWait(m_host, message);
    }
    QVariant property(const QString& name)
    {
        QDBusReply<QDBusVariant> reply =
            call("org.freedesktop.DBus.Properties", "Get", {"org.kde.StatusNotifierItem", name});
        return reply.isValid() ? reply.value().variant() : QVariant();
    }
    // Signals the item sent before a reply arrive before it.
    int newIcons()
    {
        call("org.freedesktop.DBus.Peer", "Ping", {});
        QCoreApplication::processEvents();
        return m_newIcons;
    }

    // Light digits, at least 7 pixels tall in 22, in ROWS bands, on a dark
    // backing under the period's bar.
    static void hasRowsOfDigits(const QImage& image, qsizetype rows)
    {
        QCOMPARE(image.pixel(image.width() / 2, 0), qRgb(255, 0, 0));
        QVERIFY(qGray(image.pixel(1, image.height() / 2)) < 60);
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
        QCOMPARE(runs.size(), rows);
        QVERIFY(*std::min_element(runs.cbegin(), runs.cend()) >= 7);
    }

public Q_SLOTS:
    void newIcon() { ++m_newIcons; }
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString& item) { m_registered << item; }

private Q_SLOTS:
    void panelReadsTimeAndPictures()
    {
        if (busAddress.isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/install-deps installs it)");
        ManualRunLoop loop;
        StatusNotifierStatusItem item;
        QVERIFY(QTest::qWaitFor([&] { return !item.serviceName().isEmpty(); }));
        m_service = item.serviceName();
        QVERIFY(m_host.connect(m_service, "/StatusNotifierItem", "org.kde.StatusNotifierItem",
                               "NewIcon", this, SLOT(newIcon())));
        // A panel that starts after the item is told of it.
        QVERIFY(m_host.registerObject("/StatusNotifierWatcher", this,
                                      QDBusConnection::ExportScriptableSlots));
        QVERIFY(m_host.registerService(StatusNotifierStatusItem::kWatcherService));
        QVERIFY(QTest::qWaitFor([&] { return m_registered == QStringList{m_service}; }));

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
        item.setAccentColor(Qt::red);
        item.setToolTipTitle("Work");
        item.setToolTipText("1:05:09 remaining");
        loop.runPending();
        QCOMPARE(newIcons(), 1);

        QCOMPARE(property("XAyatanaLabel").toString(), "01:05:09");
        QCOMPARE(property("Title").toString(), "Zembrak: Work, 1:05:09 remaining");
        // Squares for hosts that fit icons into one; the view's shape, as the
        // largest, for hosts that keep it.
        const SniIconPixmapList icons = item.iconPixmaps();
        QVERIFY(icons.size() > 1);
        QCOMPARE(icons.first().width, icons.first().height);
        hasRowsOfDigits(icons.first().toImage(), 2);
        hasRowsOfDigits(icons.last().toImage(), 1);
        // Each picture starts from a clean backing, whatever was drawn before.
        const QImage first = SniTimeIcon::render("01:05:09", Qt::red, QSize(80, 42));
        SniTimeIcon::render("88:88:88", Qt::red, QSize(80, 42));
        QCOMPARE(SniTimeIcon::render("01:05:09", Qt::red, QSize(80, 42)), first);

        // The next second is shown at once; a repaint that keeps it says nothing.
        loop.advance(1s);
        item.setLabelText("01:05:08");
        loop.runPending();
        QCOMPARE(newIcons(), 2);
        fill(Qt::blue);
        loop.advance(2s);
        QCOMPARE(newIcons(), 2);
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QApplication, StatusNotifierStatusItemTest>(argc, argv,
                                                                              &busAddress);
}
#include "StatusNotifierStatusItemTest.moc"
