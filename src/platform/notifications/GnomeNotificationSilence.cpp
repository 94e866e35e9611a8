#include "GnomeNotificationSilence.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString schema = QStringLiteral("org.gnome.desktop.notifications");
const QString key = QStringLiteral("show-banners");

} // namespace

GnomeNotificationSilence::~GnomeNotificationSilence()
{
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished(1000);
    }
}

void GnomeNotificationSilence::read(Reading reading)
{
    run({QStringLiteral("get"), schema, key},
        [reading = std::move(reading)](bool succeeded, const QByteArray& output) {
            const QByteArray value = output.trimmed();
            if (!succeeded || (value != "true" && value != "false"))
                reading(std::nullopt);
            else
                reading(value == "false"); // no banners: held
        });
}

void GnomeNotificationSilence::set(bool silenced, Done done)
{
    run({QStringLiteral("set"), schema, key,
         silenced ? QStringLiteral("false") : QStringLiteral("true")},
        [done = std::move(done)](bool succeeded, const QByteArray&) { done(succeeded); });
}

void GnomeNotificationSilence::finish(std::chrono::milliseconds within)
{
    // An answer may start the next program, which is waited for too.
    const QDeadlineTimer deadline(within);
    while (!deadline.hasExpired()) {
        QProcess* process = findChild<QProcess*>();
        if (!process || !process->waitForFinished(int(deadline.remainingTime())))
            return;
    }
}

void GnomeNotificationSilence::run(
    const QStringList& arguments,
    std::function<void(bool succeeded, const QByteArray& output)> answer)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty()) {
        answer(false, {});
        return;
    }
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Exactly one of these ends the run; the process goes with it.
    auto end = [process, answer = std::move(answer)](bool succeeded) {
        process->disconnect();
        process->setParent(nullptr);
        const QByteArray output = succeeded ? process->readAllStandardOutput() : QByteArray();
        process->deleteLater();
        answer(succeeded, output);
    };
    connect(process, &QProcess::finished, this,
            [process, end](int code, QProcess::ExitStatus status) {
                end(status == QProcess::NormalExit && code == 0);
            });
    connect(process, &QProcess::errorOccurred, this, [end](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(false);
    });
    process->start(program, arguments);
}
