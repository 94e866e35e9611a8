#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

// Another program of the session: records each notification it receives.
class NotificationListener : public QObject
{
    Q_OBJECT

public:
    QList<QStringList> received;

public Q_SLOTS:
    void posted(const QString& name, const QString& object) { received.append({name, object}); }
};
