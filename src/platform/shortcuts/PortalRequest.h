#pragma once

#include <QDBusAbstractInterface>
#include <QDBusConnection>
#include <QVariantMap>

// A request object of the desktop portal: a method call returns its path at
// once and the answer comes later as its Response signal. The path follows
// from the caller's bus name and a token of its own, so the caller listens
// there before it calls and misses no answer.
class PortalRequest : public QDBusAbstractInterface
{
    Q_OBJECT

public:
    static inline const QString service = QStringLiteral("org.freedesktop.portal.Desktop");

    PortalRequest(const QString& path, const QDBusConnection& connection, QObject* parent = nullptr)
        : QDBusAbstractInterface(service, path, "org.freedesktop.portal.Request", connection,
                                 parent)
    {}

    // Where the portal puts the object of a request (or session) made with
    // token by this connection: kind is "request" or "session".
    static QString pathFor(const QDBusConnection& connection, const QString& kind,
                           const QString& token)
    {
        QString sender = connection.baseService().mid(1); // ":1.42" -> "1_42"
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        return QStringLiteral("/org/freedesktop/portal/desktop/") + kind + QLatin1Char('/') +
               sender + QLatin1Char('/') + token;
    }

Q_SIGNALS:
    // 0: done; 1: the user cancelled; 2: it failed otherwise.
    void Response(uint response, const QVariantMap& results);
};
