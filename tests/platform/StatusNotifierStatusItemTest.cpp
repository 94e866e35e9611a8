#include "platform/sni/StatusNotifierStatusItem.h"
#include "BusCall.h"
#include "PrivateSessionBus.h"
#include "platform/ManualRunLoop.h"
#include "platform/sni/SniTimeIcon.h"
#include "platform/sni/StatusNotifierItemAdaptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

using namespace std::chrono_literals;

// The item as a panel reads it over the bus.
class StatusNotifierStatusItemTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateSessionBus> m_bus;

    static QVariant property(const QDBusConnection& host, const QString& service,
                             const QString& name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(service, "/StatusNotifierItem",
                                                          "org.freedesktop.DBus.Properties", "Get");
        get << QStringLiteral("org.kde.StatusNotifierItem") << name;
        QDBusReply<QDBusVariant> reply = callAndWait(host, get);
        return reply.isValid() ? reply.value().variant() : QVariant();
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

private Q_SLOTS:
    void initTestCase()
    {
        m_bus = std::make_unique<PrivateSessionBus>();
        if (m_bus->address().isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/install-deps installs it)");
        StatusNotifierItemAdaptor::registerTypes();
    }

    void panelReadsTimeAndPictures()
    {
        ManualRunLoop loop;
        const QDBusConnection host = QDBusConnection::connectToBus(m_bus->address(), "host");
        StatusNotifierStatusItem item(QDBusConnection::connectToBus(m_bus->address(), "item"));
        auto* adaptor = item.findChild<StatusNotifierItemAdaptor*>();
        QVERIFY(adaptor);
        QSignalSpy newIcon(adaptor, &StatusNotifierItemAdaptor::NewIcon);

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
        QCOMPARE(newIcon.size(), 1);

        const QString service = item.serviceName();
        QCOMPARE(property(host, service, "XAyatanaLabel").toString(), "01:05:09");
        QCOMPARE(property(host, service, "Title").toString(), "Zembrak: Work, 1:05:09 remaining");
        // Squares for hosts that fit icons into one; the view's shape, as the
        // largest, for hosts that keep it.
        SniIconPixmapList icons;
        property(host, service, "IconPixmap").value<QDBusArgument>() >> icons;
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
        QCOMPARE(newIcon.size(), 2);
        fill(Qt::blue);
        loop.advance(2s);
        QCOMPARE(newIcon.size(), 2);

        QDBusConnection::disconnectFromBus("host");
        QDBusConnection::disconnectFromBus("item");
    }
};

QTEST_MAIN(StatusNotifierStatusItemTest)
#include "StatusNotifierStatusItemTest.moc"
