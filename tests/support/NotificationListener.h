#pragma once

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTest>

// Another program of the session: records each notification it receives, and
// the connection it came from.
class NotificationListener : public QObject
{
    Q_OBJECT

public:
    QList<QStringList> received;
    QString sender;

    // The sender answers a ping through the same daemon only after what it
    // posted before: once answered, all of that has been received.
    bool caughtUp(const QDBusConnection& watcher) const
    {
        // The sender is known from its first signal; a ping to no one proves nothing.
        if (!QTest::qWaitFor([this] { return !sender.isEmpty(); }))
            return false;
        const QDBusPendingCall ping = watcher.asyncCall(QDBusMessage::createMethodCall(
            sender, QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.Peer"),
            QStringLiteral("Ping")));
        const bool answered = QTest::qWaitFor([&] { return ping.isFinished(); });
        QCoreApplication::processEvents(); // the signals queued before the answer
        return answered && !ping.isError();
    }

public Q_SLOTS:
    void posted(const QString& name, const QString& object, const QDBusMessage& message)
    {
        received.append({name, object});
        sender = message.service();
    }
};
