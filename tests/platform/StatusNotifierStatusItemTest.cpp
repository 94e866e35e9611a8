#include "platform/sni/StatusNotifierStatusItem.h"
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

    QVariant property(const QString& service, const QString& name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(service, "/StatusNotifierItem",
                                                          "org.freedesktop.DBus.Properties", "Get");
        get << QStringLiteral("org.kde.StatusNotifierItem") << name;
        QDBusReply<QDBusVariant> reply = m_host.call(get, QDBus::BlockWithGui);
        return reply.isValid() ? reply.value().variant() : QVariant();
    }

    static SniIconPixmapList decodeIcons(const QVariant& value)
    {
        SniIconPixmapList icons;
        value.value<QDBusArgument>() >> icons;
        return icons;
    }

    // A button showing a red stripe over a white field: the picture to find again.
    static QWidget* paintContent(StatusItem& item, int width)
    {
        auto* view = new QWidget(item.button());
        view->setGeometry(0, 0, width, 21);
        view->setAutoFillBackground(true);
        QPalette palette = view->palette();
        palette.setColor(QPalette::Window, Qt::white);
        view->setPalette(palette);
        auto* stripe = new QWidget(view);
        stripe->setGeometry(0, 0, width, 2);
        stripe->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, Qt::red);
        stripe->setPalette(palette);
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
        QCOMPARE(pixmap.width, 2);
        QCOMPARE(pixmap.height, 1);
        QCOMPARE(pixmap.bytes, QByteArray::fromHex("ff112233"
                                                   "80ff0000"));
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
        item.setLabelText("1:05:09");
        loop.runPending();
        QTRY_COMPARE(sink.labels, QStringList{"1:05:09|0:00:00"});
        QTRY_COMPARE(sink.newIcons, 1);

        QCOMPARE(property(service, "XAyatanaLabel").toString(), QString("1:05:09"));
        QCOMPARE(property(service, "XAyatanaLabelGuide").toString(), QString("0:00:00"));
        QCOMPARE(property(service, "Id").toString(), QString("zembrak"));
        QCOMPARE(property(service, "Status").toString(), QString("Active"));
        QCOMPARE(property(service, "ItemIsMenu").toBool(), false);

        const SniIconPixmapList icons = decodeIcons(property(service, "IconPixmap"));
        QCOMPARE(icons.size(), 2);
        const QImage small = icons[0].toImage();
        const QImage large = icons[1].toImage();
        QCOMPARE(small.size(), QSize(40, 21));
        QCOMPARE(large.size(), QSize(80, 42));
        QCOMPARE(small.pixel(20, 0), qRgb(255, 0, 0));
        QCOMPARE(small.pixel(20, 10), qRgb(255, 255, 255));
        QCOMPARE(large.pixel(40, 2), qRgb(255, 0, 0));

        QSignalSpy activated(&item, &StatusItem::activated);
        QSignalSpy secondary(&item, &StatusItem::secondaryActivated);
        m_host.call(QDBusMessage::createMethodCall(service, "/StatusNotifierItem",
                                                   "org.kde.StatusNotifierItem", "Activate")
                        << 300 << 12,
                    QDBus::BlockWithGui);
        QCOMPARE(activated.size(), 1);
        QVERIFY(item.buttonGeometry().contains(300, 12));
        QCOMPARE(item.buttonGeometry().width(), 40);
        for (const char* method : {"SecondaryActivate", "ContextMenu"})
            m_host.call(QDBusMessage::createMethodCall(service, "/StatusNotifierItem",
                                                       "org.kde.StatusNotifierItem", method)
                            << 300 << 12,
                        QDBus::BlockWithGui);
        QCOMPARE(secondary.size(), 2);

        QDBusConnection::disconnectFromBus("panel");
    }

    void iconIsRedrawnAtMostOncePerSecond()
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

        // Two changes of the view's look within the second: one redraw, at its end.
        QPalette palette = view->palette();
        palette.setColor(QPalette::Window, Qt::black);
        view->setPalette(palette);
        loop.advance(300ms);
        palette.setColor(QPalette::Window, Qt::blue);
        view->setPalette(palette);
        loop.advance(600ms);
        QCOMPARE(newIcon.size(), 1);
        loop.advance(100ms);
        QCOMPARE(newIcon.size(), 2);
        QCOMPARE(item.iconPixmaps().first().toImage().pixel(10, 10), qRgb(0, 0, 255));

        // A change that leaves the picture as it was announces nothing.
        item.setLabelText("00:30");
        loop.advance(2s);
        QCOMPARE(newIcon.size(), 2);
    }

    void withoutActivationTheAnchorIsTheScreensTopRight()
    {
        ManualRunLoop loop;
        QDBusConnection connection = QDBusConnection::connectToBus(m_bus->address(), "item");
        StatusNotifierStatusItem item(connection);
        item.setLength(50);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect anchor = item.buttonGeometry();
        QCOMPARE(anchor.right(), screen.right());
        QCOMPARE(anchor.width(), 50);
        QCOMPARE(anchor.bottom(), screen.top() - 1); // windows hang from the screen's top
    }
};

QTEST_MAIN(StatusNotifierStatusItemTest)
#include "StatusNotifierStatusItemTest.moc"
