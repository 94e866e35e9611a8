#pragma once

#include "NotificationSilence.h"

#include <QObject>
#include <QStringList>

class QProcess;

// GNOME's "do not disturb": the show-banners key of its notification
// settings, read and written by the gsettings program. In this process GIO's
// settings would bring GLib's own D-Bus connection (dconf writes through it)
// beside ours; the program keeps that stack out and never blocks the thread.
class GnomeNotificationSilence final : public QObject, public NotificationSilence
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~GnomeNotificationSilence() override;

    QString name() const override { return QStringLiteral("gnome"); }
    void read(Reading reading) override;
    void set(bool silenced, Done done) override;
    void finish(std::chrono::milliseconds within) override;

private:
    void run(const QStringList& arguments,
             std::function<void(bool succeeded, const QByteArray& output)> answer);
};
