#pragma once

#include "PortalRequest.h"
#include "PortalShortcut.h"

#include <QDBusObjectPath>
#include <QDBusPendingReply>

// The desktop portal's org.freedesktop.portal.GlobalShortcuts interface.
class GlobalShortcutsPortal : public QDBusAbstractInterface
{
    Q_OBJECT

public:
    static inline const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
    static inline const QString interfaceName =
        QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

    explicit GlobalShortcutsPortal(const QDBusConnection& connection, QObject* parent = nullptr)
        : QDBusAbstractInterface(PortalRequest::service, path, interfaceName.toLatin1().constData(),
                                 connection, parent)
    {}

    QDBusPendingReply<QDBusObjectPath> CreateSession(const QVariantMap& options)
    {
        return asyncCall(QStringLiteral("CreateSession"), options);
    }
    QDBusPendingReply<QDBusObjectPath> BindShortcuts(const QDBusObjectPath& session,
                                                     const PortalShortcutList& shortcuts,
                                                     const QString& parentWindow,
                                                     const QVariantMap& options)
    {
        return asyncCall(QStringLiteral("BindShortcuts"), QVariant::fromValue(session),
                         QVariant::fromValue(shortcuts), parentWindow, options);
    }

Q_SIGNALS:
    void Activated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong timestamp,
                   const QVariantMap& options);
};
