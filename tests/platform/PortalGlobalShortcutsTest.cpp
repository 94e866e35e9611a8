#include "platform/portal/PortalGlobalShortcuts.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "platform/Defaults.h"
#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalShortcut.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
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
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// What the portal has been asked, and how it is to answer.
struct PortalRecord
{
    QStringList sessions;
    QStringList closed;
    PortalShortcutList bound;
    QString boundIn;
    QStringList declined; // left out of the answer, as a desktop may
    uint bindResponse = 0;
    bool answerBeforeReturning = false;
};

// The desktop portal as far as global shortcuts go: requests answered by
// Response signals on the object the token names, and Activated on demand.
class FakePortal : public QDBusVirtualObject, public PortalRecord
{
public:
    explicit FakePortal(const QDBusConnection& connection) : m_connection(connection) {}

    QString introspect(const QString&) const override { return QString(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override
    {
        const QString member = message.member();
        if (message.interface() == QStringLiteral("org.freedesktop.DBus.Properties")) {
            m_connection.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        } else if (message.interface() == QStringLiteral("org.freedesktop.portal.Session") &&
                   member == QStringLiteral("Close")) {
            closed.append(message.path());
            m_connection.send(message.createReply());
        } else if (member == QStringLiteral("CreateSession")) {
            const auto options = qdbus_cast<QVariantMap>(message.arguments().at(0));
            const QString session =
                pathOf(message, "session", options.value("session_handle_token").toString());
            sessions.append(session);
            answer(message, options, 0, {{"session_handle", session}});
        } else if (member == QStringLiteral("BindShortcuts")) {
            const auto session = qdbus_cast<QDBusObjectPath>(message.arguments().at(0));
            bound = qdbus_cast<PortalShortcutList>(message.arguments().at(1));
            boundIn = session.path();
            const auto options = qdbus_cast<QVariantMap>(message.arguments().at(3));
            PortalShortcutList accepted = bound;
            accepted.removeIf([this](const PortalShortcut& s) { return declined.contains(s.id); });
            answer(message, options, bindResponse, {{"shortcuts", QVariant::fromValue(accepted)}});
        } else {
            return false;
        }
        return true;
    }

    void activate(const QString& session, const QString& id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(desktopPath, shortcutsInterface,
                                                         QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1234)
               << QVariantMap();
        m_connection.send(signal);
    }

    QStringList boundIds() const
    {
        QStringList ids;
        for (const PortalShortcut& shortcut : bound)
            ids.append(shortcut.id);
        ids.sort();
        return ids;
    }

    void forget() { static_cast<PortalRecord&>(*this) = {}; }

private:
    static QString pathOf(const QDBusMessage& message, const char* kind, const QString& token)
    {
        QString sender = message.service().mid(1);
        sender.replace('.', '_');
        return desktopPath + '/' + kind + '/' + sender + '/' + token;
    }

    void answer(const QDBusMessage& message, const QVariantMap& options, uint response,
                const QVariantMap& results)
    {
        const QString request =
            pathOf(message, "request", options.value("handle_token").toString());
        QDBusMessage signal = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << results;
        const QDBusMessage reply =
            message.createReply(QVariant::fromValue(QDBusObjectPath(request)));
        // The caller listens before it calls, so even an answer that overtakes the reply arrives.
        if (answerBeforeReturning)
            m_connection.send(signal);
        m_connection.send(reply);
        if (!answerBeforeReturning)
            m_connection.send(signal);
    }

    QDBusConnection m_connection;
};

} // namespace

class PortalGlobalShortcutsTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_config;
    std::unique_ptr<PrivateSessionBus> m_bus;
    std::unique_ptr<FakePortal> m_portal;
    int m_connections = 0;

    QDBusConnection busConnection(const char* name)
    {
        return QDBusConnection::connectToBus(m_bus->address(),
                                             name + QString::number(++m_connections));
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_bus = std::make_unique<PrivateSessionBus>();
        if (m_bus->address().isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/install-deps installs it)");
        QVERIFY(!PortalGlobalShortcuts::isAvailable(busConnection("early")));
        QDBusConnection desktop = busConnection("desktop");
        m_portal = std::make_unique<FakePortal>(desktop);
        QVERIFY(
            desktop.registerVirtualObject(desktopPath, m_portal.get(), QDBusConnection::SubPath));
        QVERIFY(desktop.registerService(PortalRequest::service));
    }

    void init()
    {
        m_config.reset();
        m_portal->forget();
    }

    void isAvailableWhereThePortalOffersIt() // and only there
    {
        // The question blocks its thread until the answer: the portal answers from another.
        PrivateSessionBus bus;
        QThread thread;
        thread.start();
        QDBusConnection desktop = QDBusConnection::connectToBus(bus.address(), "versioned");
        FakePortal portal(desktop);
        portal.moveToThread(&thread);
        QVERIFY(desktop.registerVirtualObject(desktopPath, &portal));
        QVERIFY(desktop.registerService(PortalRequest::service));
        QVERIFY(PortalGlobalShortcuts::isAvailable(
            QDBusConnection::connectToBus(bus.address(), "asker")));
        // Without a bus, every combination is unavailable.
        const QDBusConnection none(QStringLiteral("none"));
        QVERIFY(!PortalGlobalShortcuts::isAvailable(none));
        Defaults::standard().setString(toggle, QStringLiteral("Ctrl+Alt+P"));
        PortalGlobalShortcuts shortcuts(Defaults::standard(), none);
        QObject context;
        shortcuts.bind(toggle, QStringLiteral("Start/Pause"), &context, [] {});
        QTRY_COMPARE(shortcuts.status(toggle), Status::unavailable);
        desktop.unregisterObject(desktopPath);
        thread.quit();
        thread.wait();
        QDBusConnection::disconnectFromBus("versioned");
        QDBusConnection::disconnectFromBus("asker");
    }

    void boundCombinationsRunTheirActions_data()
    {
        QTest::addColumn<bool>("answerBeforeReturning");
        QTest::newRow("answer after the reply") << false;
        QTest::newRow("answer before the reply") << true;
    }
    void boundCombinationsRunTheirActions()
    {
        QFETCH(bool, answerBeforeReturning);
        m_portal->answerBeforeReturning = answerBeforeReturning;
        Defaults& store = Defaults::standard();
        PortalGlobalShortcuts shortcuts(store, busConnection("app"));
        shortcuts.setShortcut(toggle, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P));
        int ran = 0;
        QObject context;
        shortcuts.bind(toggle, QStringLiteral("Start/Pause"), &context, [&ran] { ++ran; });
        QCOMPARE(shortcuts.status(toggle), Status::pending);
        QTRY_COMPARE(shortcuts.status(toggle), Status::active);
        QCOMPARE(m_portal->sessions.size(), 1);
        const QString session = m_portal->sessions.first();
        QCOMPARE(m_portal->boundIn, session);
        QCOMPARE(m_portal->boundIds(), QStringList{toggle});
        QCOMPARE(
            m_portal->bound.first().properties,
            (QVariantMap{{"description", "Start/Pause"}, {"preferred_trigger", "CTRL+ALT+p"}}));

        m_portal->activate(desktopPath + "/session/other/x", toggle); // another client's session
        m_portal->activate(session, toggle);
        QTRY_COMPARE(ran, 1);
        m_portal->activate(session, toggle);
        QTRY_COMPARE(ran, 2);
    }

    void aLaterCombinationOpensASessionWithTheWholeSet()
    {
        Defaults& store = Defaults::standard();
        PortalGlobalShortcuts shortcuts(store, busConnection("app"));
        store.setString(toggle, QStringLiteral("Ctrl+Alt+P"));
        QString ran;
        QObject context;
        shortcuts.bind(toggle, QStringLiteral("Start/Pause"), &context, [&ran] { ran += "t"; });
        shortcuts.bind(reset, QStringLiteral("Reset"), &context, [&ran] { ran += "r"; });
        QTRY_COMPARE(shortcuts.status(toggle), Status::active);
        QCOMPARE(m_portal->sessions.size(), 1); // both keys asked for at once
        QCOMPARE(shortcuts.status(reset), Status::none);

        shortcuts.setShortcut(reset, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
        QTRY_COMPARE(shortcuts.status(reset), Status::active);
        QCOMPARE(m_portal->sessions.size(), 2);
        // Only the replaced session was closed (others may still close their own).
        QVERIFY(m_portal->closed.contains(m_portal->sessions.first()));
        QVERIFY(!m_portal->closed.contains(m_portal->sessions.last()));
        QCOMPARE(m_portal->boundIds(), (QStringList{reset, toggle}));
        QCOMPARE(shortcuts.status(toggle), Status::active);

        m_portal->activate(m_portal->sessions.first(), toggle); // the closed session
        m_portal->activate(m_portal->sessions.last(), reset);
        QTRY_COMPARE(ran, QStringLiteral("r"));

        shortcuts.setShortcut(reset, QKeySequence()); // cleared
        QCOMPARE(shortcuts.status(reset), Status::none);
        QTRY_COMPARE(m_portal->sessions.size(), 3);
        QTRY_COMPARE(m_portal->boundIds(), QStringList{toggle});
    }

    void declinedShortcutsAreReported()
    {
        Defaults& store = Defaults::standard();
        store.setString(toggle, QStringLiteral("Ctrl+Alt+P"));
        store.setString(reset, QStringLiteral("Ctrl+Alt+R"));
        m_portal->declined = QStringList{reset};
        PortalGlobalShortcuts shortcuts(store, busConnection("app"));
        QObject context;
        shortcuts.bind(toggle, QStringLiteral("Start/Pause"), &context, [] {});
        shortcuts.bind(reset, QStringLiteral("Reset"), &context, [] {});
        QTRY_COMPARE(shortcuts.status(reset), Status::refused);
        QCOMPARE(shortcuts.status(toggle), Status::active);

        m_portal->bindResponse = 1; // the user said no to the whole set
        store.setString(toggle, QStringLiteral("Ctrl+Alt+T"));
        QTRY_COMPARE(shortcuts.status(toggle), Status::refused);
    }
};

QTEST_GUILESS_MAIN(PortalGlobalShortcutsTest)
#include "PortalGlobalShortcutsTest.moc"
