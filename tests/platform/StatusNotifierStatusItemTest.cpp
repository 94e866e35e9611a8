#include "platform/sni/StatusNotifierStatusItem.h"
#include "BusCall.h"
#include "PrivateSessionBus.h"
#include "platform/ManualRunLoop.h"
#include "platform/sni/StatusNotifierItemAdaptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

using namespace std::chrono_literals;

// The panel side: takes registrations as a real watcher does.
class FakeWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

public:
    QStringList registered;

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service) { registered << service; }
};

// Receives the item's signals on the host's connection.
class SignalSink : public QObject
{
    Q_OBJECT

public:
    QStringList labels;
    int newIcons = 0;

public Q_SLOTS:
    void newLabel(const QString& label, const QString& guide) { labels << label + "|" + guide; }
    void newIcon() { ++newIcons; }
};

class StatusNotifierStatusItemTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PrivateSessionBus> m_bus;
    QDBusConnection m_host{QString()};

    QDBusMessage itemCall(const QString& service, const QString& method)
    {
        return QDBusMessage::createMethodCall(service, "/StatusNotifierItem",
                                              "org.kde.StatusNotifierItem", method);
    }
    QVariant property(const QString& service, const QString& name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(service, "/StatusNotifierItem",
                                                          "org.freedesktop.DBus.Properties", "Get");
        get << QStringLiteral("org.kde.StatusNotifierItem") << name;
        QDBusReply<QDBusVariant> reply = callAndWait(m_host, get);
        return reply.isValid() ? reply.value().variant() : QVariant();
    }

    static QWidget* filled(QWidget* parent, const QRect& rect, const QColor& color)
    {
        auto* widget = new QWidget(parent);
        widget->setGeometry(rect);
        widget->setAutoFillBackground(true);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, color);
        widget->setPalette(palette);
        return widget;
    }
    // A view of WIDTH in the button: the shape the pictures keep.
    static QWidget* paintContent(StatusItem& item, int width)
    {
        QWidget* view = filled(item.button(), QRect(0, 0, width, 21), Qt::white);
        item.setLength(width);
        return view;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_bus = std::make_unique<PrivateSessionBus>();
        if (m_bus->address().isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/install-deps installs it)");
        m_host = QDBusConnection::connectToBus(m_bus->address(), "host");
        QVERIFY(m_host.isConnected());
        StatusNotifierItemAdaptor::registerTypes();
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("host");
        QDBusConnection::disconnectFromBus("item");
        m_bus.reset();
    }

    void pixelsTravelAsArgbInNetworkOrder()
    {
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(0x11, 0x22, 0x33, 0xff));
        image.setPixel(1, 0, qRgba(0xff, 0x00, 0x00, 0x80));
        const SniIconPixmap pixmap = SniIconPixmap::fromImage(image);
        QCOMPARE(QSize(pixmap.width, pixmap.height), QSize(2, 1));
        QCOMPARE(pixmap.bytes, QByteArray::fromHex("ff112233 80ff0000"));
        QCOMPARE(pixmap.toImage().pixel(1, 0), qRgba(0xff, 0x00, 0x00, 0x80));
        // A pixmap whose bytes do not match its size gives no image, not a crash.
        SniIconPixmap broken = pixmap;
        broken.height = 1000;
        QVERIFY(broken.toImage().isNull());
    }

    void hostSeesLabelIconAndClicks()
    {
        ManualRunLoop loop;
        FakeWatcher watcher;
        QDBusConnection panel = QDBusConnection::connectToBus(m_bus->address(), "panel");
        QVERIFY(panel.registerObject("/StatusNotifierWatcher", &watcher,
                                     QDBusConnection::ExportAllSlots));
        QVERIFY(panel.registerService("org.kde.StatusNotifierWatcher"));

        QDBusConnection connection = QDBusConnection::connectToBus(m_bus->address(), "item");
        StatusNotifierStatusItem item(connection);
        QVERIFY(!item.serviceName().isEmpty());
        QTRY_COMPARE(watcher.registered, QStringList{item.serviceName()});
        QTRY_VERIFY(item.isRegisteredWithWatcher());

        SignalSink sink;
        const QString service = item.serviceName();
        QVERIFY(m_host.connect(service, "/StatusNotifierItem", "org.kde.StatusNotifierItem",
                               "XAyatanaNewLabel", &sink, SLOT(newLabel(QString, QString))));
        QVERIFY(m_host.connect(service, "/StatusNotifierItem", "org.kde.StatusNotifierItem",
                               "NewIcon", &sink, SLOT(newIcon())));

        paintContent(item, 40);
        item.setLabelText("01:05:09");
        item.setAccentColor(Qt::red);
        item.setToolTipTitle("Work");
        item.setToolTipText("1:05:09 remaining");
        loop.runPending();
        QTRY_COMPARE(sink.labels, QStringList{"01:05:09|00:00:00"});
        QTRY_COMPARE(sink.newIcons, 1);

        QStringList values;
        for (const char* name :
             {"XAyatanaLabel", "XAyatanaLabelGuide", "Id", "Status", "ItemIsMenu", "Title"})
            values << property(service, name).toString();
        QCOMPARE(values, (QStringList{"01:05:09", "00:00:00", "zembrak", "Active", "false",
                                      "Zembrak: Work, 1:05:09 remaining"}));

        // Squares for hosts that fit icons into one, and the view's shape, as the
        // largest, for hosts that keep it: light digits, at least 7 pixels tall
        // in 22, on a dark backing under the period's bar.
        SniIconPixmapList icons;
        property(service, "IconPixmap").value<QDBusArgument>() >> icons;
        QList<QSize> sizes;
        for (const SniIconPixmap& icon : icons)
            sizes << QSize(icon.width, icon.height);
        QCOMPARE(sizes, (QList<QSize>{{22, 22}, {32, 32}, {44, 44}, {80, 42}}));
        const auto hasRowsOfDigits = [](const QImage& image, qsizetype rows) {
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
        };
        hasRowsOfDigits(icons.first().toImage(), 2);
        hasRowsOfDigits(icons.last().toImage(), 1);

        QSignalSpy activated(&item, &StatusItem::activated);
        QSignalSpy secondary(&item, &StatusItem::secondaryActivated);
        callAndWait(m_host, itemCall(service, "Activate") << 300 << 12);
        QCOMPARE(activated.size(), 1);
        QVERIFY(item.buttonGeometry().contains(300, 12));
        QVERIFY(item.buttonGeometry().bottom() >= 24); // the panel below the click is left clear
        QCOMPARE(item.buttonGeometry().width(), 40);
        for (const char* method : {"SecondaryActivate", "ContextMenu"})
            callAndWait(m_host, itemCall(service, method) << 300 << 12);
        QCOMPARE(secondary.size(), 2);

        QDBusConnection::disconnectFromBus("panel");
    }

    void iconIsRedrawnAtMostTwiceASecondAndAtOnceForTheNextSecond()
    {
        ManualRunLoop loop;
        QDBusConnection connection = QDBusConnection::connectToBus(m_bus->address(), "item");
        StatusNotifierStatusItem item(connection);
        auto* adaptor = item.findChild<StatusNotifierItemAdaptor*>();
        QVERIFY(adaptor);
        QSignalSpy newIcon(adaptor, &StatusNotifierItemAdaptor::NewIcon);

        QWidget* view = paintContent(item, 30);
        loop.runPending();
        QCOMPARE(newIcon.size(), 1);
        // Never activated: the anchor for windows is the screen's top right, above it.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(item.buttonGeometry().bottomRight(), QPoint(screen.right(), screen.top() - 1));
        QCOMPARE(item.buttonGeometry().width(), 30);

        // Two changes within half a second: one redraw, at its end.
        loop.advance(300ms);
        item.setLabelText("00:02");
        loop.advance(100ms);
        item.setLabelText("00:01");
        loop.advance(99ms);
        QCOMPARE(newIcon.size(), 1);
        loop.advance(1ms);
        QCOMPARE(newIcon.size(), 2);
        // The next second, shown a second after its predecessor, is not held back.
        loop.advance(900ms);
        item.setLabelText("00:00");
        loop.runPending();
        QCOMPARE(newIcon.size(), 3);

        // A repaint that keeps the shown second leaves the pictures as they were: nothing is said.
        filled(view, view->rect(), Qt::blue);
        loop.advance(2s);
        QCOMPARE(newIcon.size(), 3);
    }
};

QTEST_MAIN(StatusNotifierStatusItemTest)
#include "StatusNotifierStatusItemTest.moc"
