#include "app/StatusFollower.h"
#include "PrivateSessionBus.h"
#include "platform/SingleInstance.h"

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
    Q_PROPERTY(qlonglong CyclesSinceLaunch MEMBER cycles)
    Q_PROPERTY(qlonglong Length MEMBER length)

public:
    QString state = QStringLiteral("active");
    QString period = QStringLiteral("work");
    qlonglong remaining = 1200;
    qlonglong cycles = 2;
    qlonglong length = 1500;
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

QJsonObject json(const QByteArray& line)
{
    return QJsonDocument::fromJson(line).object();
}

} // namespace

class StatusFollowerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsAcrossTheApplicationsRestart()
    {
        if (busAddress.isEmpty())
            QSKIP("no dbus-daemon to run a private session bus");
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
                const QJsonObject shown = json(lines[1]);
                QCOMPARE(shown["text"].toString(), QString("20:00"));
                QCOMPARE(shown["class"].toArray(), (QJsonArray{"work", "active"}));
                QCOMPARE(shown["alt"].toString(), QString("work"));
                QCOMPARE(shown["percentage"].toInt(), 20);
                QVERIFY(shown["tooltip"].toString().contains("Work: 20:00 remaining, running"));

                app.announce({{"Remaining", qlonglong(1199)}});
                app.announce({{"CyclesSinceLaunch", qlonglong(2)}}); // the same again: no line
                app.announce({{"State", QString("inactive")}});
                QTRY_COMPARE(lines.size(), 4);
                QCOMPARE(json(lines[2])["text"].toString(), QString("19:59"));
                QCOMPARE(json(lines[3])["class"].toArray(), (QJsonArray{"work", "inactive"}));
            }
            QTRY_COMPARE(lines.size(), 5); // gone again
            QCOMPARE(lines[4], lines[0]);
            lines = {lines[0]};
        }
    }

    void formatFillsTheFields_data()
    {
        QTest::addColumn<QVariantMap>("properties");
        QTest::addColumn<QString>("line");
        const QVariantMap longBreak{{"State", "inactive"},
                                    {"Period", "longBreak"},
                                    {"Remaining", 3899},
                                    {"CyclesSinceLaunch", 4},
                                    {"Length", 4000}};
        QTest::newRow("past an hour") << longBreak << "01:04:59 3899 longBreak inactive 4 {x}";
        QTest::newRow("not running") << QVariantMap() << "   stopped  {x}";
    }
    void formatFillsTheFields()
    {
        QFETCH(QVariantMap, properties);
        QFETCH(QString, line);
        QCOMPARE(
            StatusFollower::line(properties, "{time} {remaining} {period} {state} {cycles} {x}"),
            line.toUtf8());
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QCoreApplication, StatusFollowerTest>(argc, argv, &busAddress);
}

#include "StatusFollowerTest.moc"
