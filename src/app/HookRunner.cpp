#include "HookRunner.h"

#include "platform/RunLoop.h"
#include "platform/StandardError.h"
#include "platform/store/Defaults.h"
#include "timing/PreferenceKeys.h"

#include <QJsonObject>
#include <QProcess>
#include <csignal>
#include <unistd.h>

namespace {

void tell(const QString& event, const QString& what)
{
    StandardError::tell(QStringLiteral("hook %1: %2").arg(event, what));
}

} // namespace

HookRunner::HookRunner(const Defaults& store, QObject* parent) : QObject(parent)
{
    const QJsonValue hooks = store.value(PreferenceKeys::hooks);
    if (hooks.isUndefined())
        return;
    const QString where =
        QStringLiteral("\"%1\" in %2").arg(PreferenceKeys::hooks, store.filePath());
    if (!hooks.isObject()) {
        StandardError::tell(
            QStringLiteral("%1 is not an object of event names and commands; no hooks run")
                .arg(where));
        return;
    }
    const QJsonObject object = hooks.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!events.contains(it.key()))
            StandardError::tell(QStringLiteral("%1: \"%2\" is no event (%3); left out")
                                    .arg(where, it.key(), events.join(QStringLiteral(", "))));
        else if (!it.value().isString())
            StandardError::tell(QStringLiteral("%1: the command of %2 is not a string; left out")
                                    .arg(where, it.key()));
        else if (!it.value().toString().trimmed().isEmpty())
            m_commands.insert(it.key(), it.value().toString());
    }
}

HookRunner::~HookRunner()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    // Nothing of a hook outlives the application.
    if (m_process->processId() > 0)
        ::kill(-pid_t(m_process->processId()), SIGKILL);
    m_process->waitForFinished(1000);
}

void HookRunner::run(const QString& event, const QHash<QString, QString>& variables)
{
    if (!hasHook(event))
        return;
    if (m_waiting.size() >= mostWaiting) {
        tell(event, QStringLiteral("dropped, %1 hooks wait already").arg(mostWaiting));
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        environment.insert(it.key(), it.value());
    m_waiting.push_back({event, environment});
    if (!m_process)
        startNext();
}

void HookRunner::startNext()
{
    if (m_waiting.empty())
        return;
    Run next = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_running = next.event;
    m_timedOut = false;
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setProcessEnvironment(next.environment);
    m_process->setStandardInputFile(QProcess::nullDevice());
    // A group of its own, so that the time limit ends all the command started.
    m_process->setChildProcessModifier([] { ::setsid(); });
    connect(m_process, &QProcess::readyRead, this, [this] { tellOutput(false); });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            failedToStart();
    });
    connect(m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) {
                finished(exitCode, status == QProcess::CrashExit);
            });
    QProcess* process = m_process;
    RunLoop::main().postAfter(timeLimit, process, [this, process] {
        if (process != m_process || process->processId() <= 0)
            return;
        m_timedOut = true;
        ::kill(-pid_t(process->processId()), SIGKILL);
    });
    m_process->start(shell, {QStringLiteral("-c"), m_commands.value(m_running)});
}

void HookRunner::tellOutput(bool all)
{
    m_partialLine += m_process->readAll();
    qsizetype end = 0;
    while ((end = m_partialLine.indexOf('\n')) >= 0) {
        tell(m_running, QString::fromLocal8Bit(m_partialLine.left(end)));
        m_partialLine.remove(0, end + 1);
    }
    if (all && !m_partialLine.isEmpty())
        tell(m_running, QString::fromLocal8Bit(m_partialLine));
    if (all)
        m_partialLine.clear();
}

void HookRunner::failedToStart()
{
    tell(m_running,
         QStringLiteral("%1 could not be started: %2").arg(shell, m_process->errorString()));
    done();
}

void HookRunner::finished(int exitCode, bool crashed)
{
    tellOutput(true);
    if (m_timedOut)
        tell(m_running, QStringLiteral("ended, still running after %1 seconds")
                            .arg(std::chrono::seconds(timeLimit).count()));
    else if (crashed)
        tell(m_running, QStringLiteral("ended by a signal"));
    else if (exitCode != 0)
        tell(m_running, QStringLiteral("failed with exit status %1").arg(exitCode));
    done();
}

void HookRunner::done()
{
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
    const QString event = std::exchange(m_running, QString());
    Q_EMIT hookDone(event);
    startNext();
}
