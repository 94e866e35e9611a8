#include "platform/shortcuts/PortalGlobalShortcuts.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "platform/store/Defaults.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTest>
#include <QThread>

using Status = GlobalShortcuts::Status;

namespace {

const QString toggle = QStringLiteral("toggleActivation");
const QString reset = QStringLiteral("reset");
const QString desktopPath = QStringLiteral("/org/freedesktop/portal/desktop");
QString busAddress;

// The desktop portal as far as global shortcuts go: requests answered by
// Response signals on the object the token names, and Activated on demand.
class FakePortal : public QDBusVirtualObject
{
public:
    // What it has been asked, and how it is to answer.
    QStringList sessions;
    QStringList boundIds; // sorted
    QVariantMap boundFirst;
    uint bindResponse = 0;

    explicit FakePortal(const QDBusConnection& connection) : m_connection(connection) {}

    QString introspect(const QString&) const override { return QString(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override
    {
        const QString member = message.member();
        const QVariantList arguments = message.arguments();
        if (member == QStringLiteral("Get")) { // the interface's version
            m_connection.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        } else if (member == QStringLiteral("Close")) {
            m_connection.send(message.createReply());
        } else if (member == QStringLiteral("CreateSession")) {
            const auto options = qdbus_cast<QVariantMap>(arguments.at(0));
            sessions.append(pathOf(message, "session", options.value("session_handle_token")));
            answer(message, options, 0, {{"session_handle", sessions.last()}});
        } else if (member == QStringLiteral("BindShortcuts")) {
            const auto shortcuts = arguments.at(1).value<QDBusArgument>(); // a(sa{sv})
            boundIds.clear();
            shortcuts.beginArray();
            while (!shortcuts.atEnd()) {
                QString id;
                QVariantMap properties;
                shortcuts.beginStructure();
                shortcuts >> id >> properties;
                shortcuts.endStructure();
                if (boundIds.isEmpty())
                    boundFirst = properties;
                boundIds.append(id);
            }
            boundIds.sort();
            answer(message, qdbus_cast<QVariantMap>(arguments.at(3)), bindResponse,
                   {{"shortcuts", arguments.at(1)}});
        } else {
            return false;
        }
        return true;
    }

    void activate(const QString& session, const QString& id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            desktopPath, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"),
            QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1234)
               << QVariantMap();
        m_connection.send(signal);
    }

private:
    static QString pathOf(const QDBusMessage& message, const char* kind, const QVariant& token)
    {
        const QString sender = message.service().mid(1).replace('.', '_');
        return desktopPath + '/' + kind + '/' + sender + '/' + token.toString();
    }

    void answer(const QDBusMessage& message, const QVariantMap& options, uint response,
                const QVariantMap& results)
    {
        const QString request = pathOf(message, "request", options.value("handle_token"));
        QDBusMessage signal = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << results;
        // Answered before the reply: the caller must listen before it calls.
        m_connection.send(signal);
        m_connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
    }

    QDBusConnection m_connection;
};

} // namespace

class PortalGlobalShortcutsTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_config;
    std::unique_ptr<FakePortal> m_portal;

    // Asked on a thread of its own: the fake answers from this one.
    static bool availableToAnotherClient()
    {
        bool available = true;
        std::unique_ptr<QThread> asker(QThread::create([&available] {
            SdBusConnection bus;
            available = bus.open() && PortalGlobalShortcuts::isAvailable(bus);
        }));
        asker->start();
        while (!asker->wait(10))
            QCoreApplication::processEvents();
        return available;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_config.reset();
        QVERIFY(!availableToAnotherClient());
        QDBusConnection desktop = QDBusConnection::connectToBus(busAddress, "desktop");
        m_portal = std::make_unique<FakePortal>(desktop);
        QVERIFY(
            desktop.registerVirtualObject(desktopPath, m_portal.get(), QDBusConnection::SubPath));
        QVERIFY(desktop.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
        QVERIFY(availableToAnotherClient());
    }

    void theSetIsBoundInASessionOfItsOwn()
    {
        Defaults& store = Defaults::standard();
        store.setString(toggle, QStringLiteral("Ctrl+Alt+P"));
        PortalGlobalShortcuts shortcuts(store);
        QString ran;
        QObject context;
        shortcuts.bind(toggle, QStringLiteral("Start/Pause"), &context, [&ran] { ran += "t"; });
        shortcuts.bind(reset, QStringLiteral("Reset"), &context, [&ran] { ran += "r"; });
        QCOMPARE(shortcuts.status(toggle), Status::pending);
        QTRY_COMPARE(shortcuts.status(toggle), Status::active);
        QCOMPARE(shortcuts.status(reset), Status::none);
        QCOMPARE(m_portal->sessions.size(), 1); // both keys asked for at once
        QCOMPARE(m_portal->boundFirst, (QVariantMap{{"description", "Start/Pause"},
                                                    {"preferred_trigger", "CTRL+ALT+p"}}));

        // A combination recorded later: a new session with the whole set.
        shortcuts.setShortcut(reset, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
        QTRY_COMPARE(shortcuts.status(reset), Status::active);
        QCOMPARE(m_portal->boundIds, (QStringList{reset, toggle}));
        m_portal->activate(desktopPath + "/session/other/x", toggle); // another client's session
        m_portal->activate(m_portal->sessions.first(), toggle);       // the closed one
        m_portal->activate(m_portal->sessions.last(), reset);
        QTRY_COMPARE(ran, QStringLiteral("r"));

        m_portal->bindResponse = 1; // the user said no to the whole set
        shortcuts.setShortcut(reset, QKeySequence());
        QCOMPARE(shortcuts.status(reset), Status::none);
        QTRY_COMPARE(shortcuts.status(toggle), Status::refused);
        QCOMPARE(m_portal->boundIds, QStringList{toggle});
    }
};

int main(int argc, char** argv)
{
    return runOnPrivateSessionBus<QCoreApplication, PortalGlobalShortcutsTest>(argc, argv,
                                                                             &busAddress);
}
#include "PortalGlobalShortcutsTest.moc"
