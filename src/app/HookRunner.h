#pragma once

#include <QHash>
#include <QObject>
#include <QProcessEnvironment>
#include <QStringList>
#include <chrono>
#include <deque>

class Defaults;
class QProcess;

// Runs the user's own command for an event: the store's "hooks" map each
// event's name to a command line for /bin/sh -c. One runs at a time, the
// others wait their turn in the order they came; none holds up the timer.
// What a command prints and how it fails go to standard error with its name.
class HookRunner : public QObject
{
    Q_OBJECT

public:
    static inline const QStringList events = {
        QStringLiteral("workStarted"), QStringLiteral("workEnded"), QStringLiteral("breakStarted"),
        QStringLiteral("breakEnded"),  QStringLiteral("paused"),    QStringLiteral("resumed"),
        QStringLiteral("skipped")};
    // A command still running then is ended, with all it started.
    static constexpr std::chrono::seconds timeLimit{10};
    // Beyond this many waiting, a new event is dropped (and told).
    static constexpr std::size_t mostWaiting = 64;
    static inline const QString shell = QStringLiteral("/bin/sh");

    // Reads the hooks once; a value that cannot be used is told and left out.
    explicit HookRunner(const Defaults& store, QObject* parent = nullptr);
    ~HookRunner() override;

    bool hasHook(const QString& event) const { return m_commands.contains(event); }
    // Runs the event's command, if it has one, with these variables added to
    // the environment, once those before it are over.
    void run(const QString& event, const QHash<QString, QString>& variables);

Q_SIGNALS:
    // One run is over: finished, failed or ended.
    void hookDone(const QString& event);

private:
    struct Run
    {
        QString event;
        QProcessEnvironment environment;
    };

    void startNext();
    void tellOutput(bool all);
    void failedToStart();
    void finished(int exitCode, bool crashed);
    void done();

    QHash<QString, QString> m_commands;
    std::deque<Run> m_waiting;
    QProcess* m_process = nullptr; // a child, one for each run
    QString m_running;
    QByteArray m_partialLine;
    bool m_timedOut = false;
};
