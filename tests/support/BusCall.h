#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QTimer>

// A call to an object of this same process, answered from this thread: waits
// with the event loop running. Not QDBus::BlockWithGui, which between two
// connections of one process now and then never returns.
inline QDBusMessage callAndWait(const QDBusConnection& connection, const QDBusMessage& message)
{
    QDBusPendingCallWatcher watcher(connection.asyncCall(message, 5000));
    if (!watcher.isFinished()) {
        QEventLoop wait;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &wait, &QEventLoop::quit);
        QTimer::singleShot(6000, &wait, &QEventLoop::quit);
        wait.exec();
    }
    return watcher.reply();
}
