#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The options of the zembrak executable. Without any it runs the application;
// the control options talk to the running instance over the session bus.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Action
    {
        run,
        help,
        version,
        startPause,
        reset,
        skip,
        extend,
        status,
        follow,
        history,
        stats,
        usageError
    };
    static constexpr int usageExitCode = 2;

    // True when the arguments are ours to answer without a display; the rest
    // (none, or Qt's own such as -session from a session manager) go to the
    // application, which takes Qt's and leaves anything else for parse().
    static bool isForCommandLine(const QStringList& arguments);
    // The records --history prints; an invalid bound is open.
    struct Range
    {
        QDateTime since;
        QDateTime until;
    };
    // arguments[0] is the program; format receives --format's template or
    // --history's format, range --history's bounds.
    // extendSeconds receives what --extend adds.
    static Action parse(const QStringList& arguments, QString* error = nullptr,
                        QString* format = nullptr, Range* range = nullptr,
                        qint64* extendSeconds = nullptr);
    static QString helpText();
    // Prints the error and the usage on stderr; returns usageExitCode.
    static int usageError(const QString& error);

    // Carries out a control action against the running instance; returns the
    // exit code (0, or 1 with a message on stderr).
    static int control(Action action, qint64 extendSeconds = 0);
    // Prints the running instance's state for a status bar until ended; see
    // StatusFollower. Returns the exit code.
    static int follow(const QString& format);
    // Prints the stored periods in the range, read from the file itself: no
    // running instance, display or bus is needed. Returns the exit code.
    static int history(const Range& range, const QString& format);
    // One line a day from since's local day (or the first kept) to today.
    static int stats(const QDateTime& since);
    // The --status line.
    static QString statusLine(const QVariantMap& properties);
};
