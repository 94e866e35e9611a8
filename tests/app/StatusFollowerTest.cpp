#include "app/StatusFollower.h"
#include "PrivateSessionBus.h"
#include "platform/session/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

QString busAddress;

// The control object of a running Zembrak, as far as a follower sees it.
class FakeControl : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zembrak.Zembrak")
    Q_PROPERTY(QString State MEMBER state)
    Q_PROPERTY(QString Period MEMBER period)
    Q_PROPERTY(qlonglong Remaining MEMBER remaining)

public:
    QString state = QStringLiteral("active");
    QString period = QStringLiteral("work");
    qlonglong remaining = 1200;
};

// A Zembrak that starts on a connection of its own, and ends with it.
struct RunningApp
{
    explicit RunningApp(const QString& name) : name(name)
    {
        QVERIFY(bus.registerObject(SingleInstance::objectPath, &control,
                                   QDBusConnection::ExportAllProperties));
        QVERIFY(bus.registerService(SingleInstance::serviceName));
    }
    ~RunningApp() { QDBusConnection::disconnectFromBus(name); }
    void announce(const QVariantMap& changed)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            SingleInstance::objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << QStringLiteral("org.zembrak.Zembrak") << changed << QStringList();
        bus.send(signal);
    }

    QString name;
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, name);
    FakeControl control;
};

const auto json = [](const QByteArray& line) { return QJsonDocument::fromJson(line).object(); };

} // namespace

class StatusFollowerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsAcrossTheApplicationsRestart()
    {
        QList<QByteArray> lines;
        StatusFollower follower(QDBusConnection::sessionBus(), QString(),
                                [&lines](const QByteArray& line) {
                                    lines << line;
                                    return true;
                                });
        QCOMPARE(lines.size(), 1);
        QCOMPARE(json(lines[0])["text"].toString(), QString());
        QCOMPARE(json(lines[0])["class"].toArray(), QJsonArray{"stopped"});

        for (const char* name : {"first run", "second run"}) {
            {
                RunningApp app(name);
                QTRY_COMPARE(lines.size(), 2);
                QCOMPARE(json(lines[1])["text"].toString(), QString("20:00"));

                app.announce({{"Remaining", qlonglong(1199)}});
                QTRY_COMPARE(lines.size(), 3);
                QCOMPARE(json(lines[2])["text"].toString(), QString("19:59"));
            }
            QTRY_COMPARE(lines.size(), 4); // gone again
            QCOMPARE(lines[3], lines[0]);
            lines = {lines[0]};
        }
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QCoreApplication, StatusFollowerTest>(argc, argv, &busAddress);
}

#include "StatusFollowerTest.moc"
