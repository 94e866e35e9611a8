#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariantMap>
#include <functional>

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

// Follows the running Zembrak on the session bus for a status bar: one line
// each time the shown second, the state or the period changes, woken by the
// control object's PropertiesChanged alone. While no Zembrak runs it says so
// once and waits for one to appear.
class StatusFollower : public QObject
{
    Q_OBJECT

public:
    // Takes one line without its newline; false when it could not be written.
    using Sink = std::function<bool(const QByteArray& line)>;

    // An empty format gives waybar's custom-module JSON.
    StatusFollower(const QDBusConnection& bus, const QString& format, Sink sink,
                   QObject* parent = nullptr);

    // The line for the control's properties; no properties: not running.
    static QByteArray line(const QVariantMap& properties, const QString& format);

Q_SIGNALS:
    // The sink refused a line: the reader has gone.
    void sinkClosed();

private Q_SLOTS:
    void propertiesChanged(const QString& interfaceName, const QVariantMap& changed,
                           const QStringList& invalidated);

private:
    void fetch();
    void fetched(QDBusPendingCallWatcher* call);
    void stopped();
    void print();

    QDBusConnection m_bus;
    QString m_format;
    Sink m_sink;
    QVariantMap m_properties;
    QDBusServiceWatcher* m_watcher; // owned as a QObject child
    QDBusPendingCallWatcher* m_pending = nullptr;
    QTimer m_retry;
    QByteArray m_lastLine;
};
