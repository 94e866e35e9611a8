#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMap>
#include <QProcess>
#include <utility>

// One desktop's notification server (and xfconf) on a bus, answering only what
// that desktop's own interface offers. kind: gnome, plasma, xfce, dunst, mako.
// It records what it is asked to show; holding, it answers Notify only on release().
class FakeNotificationDesktop : public QDBusVirtualObject
{
public:
    QList<bool> heldAtNotify; // whether notifications were held when each Notify came
    QStringList capabilities{"body"};
    QStringList shown; // "summary: body, replaces id"
    QList<QStringList> actions;
    bool holding = false;
    uint lastId = 40; // of the answers held back; the others are 7

    FakeNotificationDesktop(const QString& kind, const QString& address)
        : m_kind(kind), m_bus(QDBusConnection::connectToBus(address, QStringLiteral("desktop")))
    {
        for (const char* path :
             {"/org/freedesktop/Notifications", "/fr/emersion/Mako", "/org/xfce/Xfconf"})
            m_bus.registerVirtualObject(QLatin1String(path), this);
        m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
        m_bus.registerService(QStringLiteral("org.xfce.Xfconf"));
    }
    ~FakeNotificationDesktop() override
    {
        // Released before the next test's desktop asks for them.
        m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        m_bus.unregisterService(QStringLiteral("org.xfce.Xfconf"));
        QDBusConnection::disconnectFromBus(m_bus.name());
    }

    void release()
    {
        for (const QDBusMessage& call : std::exchange(m_heldCalls, {}))
            m_bus.send(call.createReply(QVariant::fromValue(++lastId)));
    }
    // The server's own signal, as ActionInvoked or NotificationClosed.
    void tell(const char* member, uint id, const QVariant& value)
    {
        m_bus.send(QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                              QStringLiteral("org.freedesktop.Notifications"),
                                              QLatin1String(member))
                   << id << value);
    }
    QString name() const { return m_bus.baseService(); }

    // What the user sees: whether the desktop holds notifications now.
    bool held() const
    {
        if (m_kind != QLatin1String("gnome"))
            return m_held || !m_inhibitions.isEmpty();
        QProcess get;
        get.start(QStringLiteral("gsettings"),
                  {"get", "org.gnome.desktop.notifications", "show-banners"});
        get.waitForFinished();
        return get.readAllStandardOutput().trimmed() == "false";
    }
    // The user's own do-not-disturb.
    void setHeld(bool held)
    {
        m_held = m_xfconfSet = held;
        if (m_kind == QLatin1String("gnome"))
            QProcess::execute(QStringLiteral("gsettings"),
                              {"set", "org.gnome.desktop.notifications", "show-banners",
                               held ? "false" : "true"});
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& c) override
    {
        const QString member = m.member();
        const QVariantList a = m.arguments();
        auto reply = [&](const QVariantList& values) { return c.send(m.createReply(values)); };
        auto is = [&](const char* kind, const char* name) {
            return m_kind == QLatin1String(kind) && member == QLatin1String(name);
        };
        auto value = [&](int i) {
            return qvariant_cast<QDBusVariant>(a.value(i)).variant().toBool();
        };
        const bool plasmaProperty = a.value(1) == QStringLiteral("Inhibited");
        const bool dunstProperty = a.value(0) == QStringLiteral("org.dunstproject.cmd0");
        if (member == QLatin1String("GetServerInformation"))
            return reply(
                {m_kind == QLatin1String("xfce") ? QStringLiteral("Xfce Notify Daemon") : m_kind,
                 QString(), QStringLiteral("1"), QStringLiteral("1.2")});
        if (member == QLatin1String("GetCapabilities"))
            return reply({capabilities});
        if (member == QLatin1String("Notify")) {
            heldAtNotify << held();
            shown << a.value(3).toString() + QStringLiteral(": ") + a.value(4).toString() +
                         QStringLiteral(", replaces ") + a.value(1).toString();
            actions << a.value(5).toStringList();
            return holding ? (m_heldCalls << m, true) : reply({7u});
        }
        if ((is("dunst", "Get") && dunstProperty) || (is("plasma", "Get") && plasmaProperty))
            return reply({QVariant::fromValue(QDBusVariant(held()))});
        if (is("dunst", "Set") && dunstProperty)
            return m_held = value(2), reply({});
        if (is("plasma", "Inhibit")) {
            // The server ends an inhibition once the connection that asked for it goes.
            auto* watcher = new QDBusServiceWatcher(m.service(), m_bus,
                                                    QDBusServiceWatcher::WatchForUnregistration);
            const uint cookie = ++m_cookies;
            QObject::connect(
                watcher, &QDBusServiceWatcher::serviceUnregistered, watcher,
                [this, cookie, watcher] { m_inhibitions.remove(cookie), watcher->deleteLater(); });
            m_inhibitions.insert(cookie, m.service());
            return reply({cookie});
        }
        if (is("plasma", "UnInhibit"))
            return m_inhibitions.remove(a.value(0).toUInt()), reply({});
        if (is("xfce", "GetProperty") && m_xfconfSet)
            return reply({QVariant::fromValue(QDBusVariant(m_held))});
        if (is("xfce", "SetProperty"))
            return m_held = value(2), m_xfconfSet = true, reply({});
        if (is("mako", "ListModes"))
            return reply(
                {m_held ? QStringList{"default", "do-not-disturb"} : QStringList{"default"}});
        if (is("mako", "SetModes"))
            return m_held = a.value(0).toStringList().contains("do-not-disturb"), reply({});
        return c.send(m.createErrorReply(
            is("xfce", "GetProperty") ? QStringLiteral("org.xfce.Xfconf.Error.PropertyNotFound")
                                      : QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
            QStringLiteral("not here")));
    }

private:
    const QString m_kind;
    QDBusConnection m_bus;
    bool m_held = false;
    bool m_xfconfSet = false;
    uint m_cookies = 0;
    QMap<uint, QString> m_inhibitions;
    QList<QDBusMessage> m_heldCalls;
};
