#include "CommandLine.h"

#include "app/ControlAdaptor.h"
#include "app/StatusFollower.h"
#include "history/HistoryExport.h"
#include "history/HistoryStatistics.h"
#include "history/HistoryStore.h"
#include "platform/StandardError.h"
#include "platform/session/SingleInstance.h"
#include "timing/KPTimer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QProcess>
#include <QSocketNotifier>
#include <QThread>
#include <QVariantMap>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Option
{
    const char* name;
    CommandLine::Action action;
    const char* description;
};

const Option controlOptions[] = {
    {"start-pause", CommandLine::Action::startPause,
     QT_TRANSLATE_NOOP("CommandLine", "Start or pause the timer of the running Zembrak (starting "
                                      "Zembrak first when none runs).")},
    {"reset", CommandLine::Action::reset,
     QT_TRANSLATE_NOOP("CommandLine", "Rewind the current period to its full length, paused.")},
    {"skip", CommandLine::Action::skip,
     QT_TRANSLATE_NOOP("CommandLine", "End the current period now; the next one starts.")},
    {"extend", CommandLine::Action::extend,
     QT_TRANSLATE_NOOP("CommandLine", "Add SECONDS (given after it; 300 without) to the current "
                                      "period, running, paused or waiting.")},
    {"status", CommandLine::Action::status,
     QT_TRANSLATE_NOOP("CommandLine",
                       "Print one line: state=active|inactive period=work|shortBreak|longBreak "
                       "remaining=SECONDS cycles=N, and today=N goal=N with a daily goal.")},
    {"follow", CommandLine::Action::follow,
     QT_TRANSLATE_NOOP("CommandLine",
                       "Print a line for a status bar at once and at each change, until ended: "
                       "waybar's JSON, or the --format template's fields filled in.")},
    {"history", CommandLine::Action::history,
     QT_TRANSLATE_NOOP("CommandLine",
                       "Print the periods kept in the history, oldest first, as CSV or JSON "
                       "(--format csv|json); no running Zembrak needed.")},
    {"stats", CommandLine::Action::stats,
     QT_TRANSLATE_NOOP("CommandLine",
                       "Print one line a day, oldest first: the date, work periods finished and "
                       "minutes of focus; no running Zembrak needed.")},
};

const QString formatOption = QStringLiteral("format");
const QString sinceOption = QStringLiteral("since");
const QString untilOption = QStringLiteral("until");

void setUp(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        CommandLine::tr("A time-box timer in the tray. Without options, runs Zembrak or brings\n"
                        "the running one forward; the options below drive the running one.\n"
                        "Exit status: 0 done, 1 no running Zembrak reached, 2 wrong usage."));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const Option& option : controlOptions)
        parser.addOption({QString::fromLatin1(option.name), CommandLine::tr(option.description)});
    parser.addOption(
        {formatOption,
         CommandLine::tr("With --follow: plain lines from TEMPLATE, its {time}, "
                         "{remaining}, {period}, {state}, {cycles}, {today} and {goal} filled in."),
         CommandLine::tr("TEMPLATE")});
    parser.addOption(
        {sinceOption,
         CommandLine::tr("With --history or --stats: the periods that end after DATE (YYYY-MM-DD, "
                         "local day, or an ISO 8601 date and time)."),
         CommandLine::tr("DATE")});
    parser.addOption(
        {untilOption,
         CommandLine::tr("With --history: the periods that begin before the end of DATE."),
         CommandLine::tr("DATE")});
}

// What --history and --stats print; the exit code.
int printHistory(const QByteArray& text)
{
    if (std::fwrite(text.constData(), 1, text.size(), stdout) == size_t(text.size()) &&
        std::fflush(stdout) == 0)
        return 0;
    StandardError::tell(CommandLine::tr("could not write the history out."));
    return 1;
}

QDBusMessage controlCall(const QString& interfaceName, const QString& method)
{
    return QDBusMessage::createMethodCall(SingleInstance::serviceName, SingleInstance::objectPath,
                                          interfaceName, method);
}

bool isRunning(QDBusConnection& bus)
{
    return bus.interface()->isServiceRegistered(SingleInstance::serviceName);
}

// The control's properties once it answers: a starting instance owns its name
// a moment before its timer exists.
std::optional<QVariantMap> waitForControl(QDBusConnection& bus, std::chrono::milliseconds limit)
{
    QDBusMessage getAll =
        controlCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    getAll << ControlAdaptor::interfaceName;
    const QDeadlineTimer deadline(limit);
    for (;;) {
        const QDBusReply<QVariantMap> reply = bus.call(getAll, QDBus::Block, 2000);
        if (reply.isValid())
            return reply.value();
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(100);
    }
}

bool launchApplication()
{
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    // Its own streams: a script reading ours must not wait for the application to end.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace

bool CommandLine::isForCommandLine(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-h") ||
            argument == QLatin1String("-v") || argument == QLatin1String("-?"))
            return true;
    }
    return false;
}

CommandLine::Action CommandLine::parse(const QStringList& arguments, QString* error,
                                       QString* format, Range* range, qint64* extendSeconds)
{
    QCommandLineParser parser;
    setUp(parser);
    const auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return Action::usageError;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    // --extend's SECONDS, the one argument of its own.
    const QStringList positional = parser.positionalArguments();
    const bool extending = parser.isSet(QStringLiteral("extend"));
    if (positional.size() > (extending ? 1 : 0))
        return fail(tr("Unexpected argument '%1'.").arg(positional.value(extending ? 1 : 0)));
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return Action::help;
    if (parser.isSet(QStringLiteral("version")))
        return Action::version;
    std::optional<Action> chosen;
    for (const Option& option : controlOptions) {
        if (!parser.isSet(QString::fromLatin1(option.name)))
            continue;
        if (chosen)
            return fail(tr("Give one control option at a time."));
        chosen = option.action;
    }
    if (extending) {
        bool number = true;
        const qint64 seconds = positional.isEmpty() ? KPTimer::defaultExtensionSeconds
                                                    : positional.first().toLongLong(&number);
        if (!number || seconds < 1 || seconds > KPTime::maximumTotalSeconds)
            return fail(tr("--extend takes a number of seconds from 1 to %1 (9999:59:59).")
                            .arg(KPTime::maximumTotalSeconds));
        if (extendSeconds)
            *extendSeconds = seconds;
    }
    if (parser.isSet(formatOption)) {
        if (chosen != Action::follow && chosen != Action::history)
            return fail(tr("--format goes with --follow or --history."));
        if (chosen == Action::history && !HistoryExport::formatNamed(parser.value(formatOption)))
            return fail(tr("--format with --history is csv or json."));
        if (format)
            *format = parser.value(formatOption);
    }
    for (const QString& bound : {sinceOption, untilOption}) {
        if (!parser.isSet(bound))
            continue;
        if (chosen != Action::history && !(chosen == Action::stats && bound == sinceOption))
            return fail(tr("--%1 goes with --history.").arg(bound));
        const std::optional<QDateTime> at =
            HistoryExport::parseBound(parser.value(bound), bound == untilOption);
        if (!at)
            return fail(tr("--%1: '%2' is no date (YYYY-MM-DD) or ISO 8601 date and time.")
                            .arg(bound, parser.value(bound)));
        if (range)
            (bound == sinceOption ? range->since : range->until) = *at;
    }
    return chosen.value_or(Action::run);
}

QString CommandLine::helpText()
{
    QCommandLineParser parser;
    setUp(parser);
    return parser.helpText();
}

int CommandLine::usageError(const QString& error)
{
    StandardError::tell(error);
    std::fputs(qPrintable(helpText()), stderr);
    return usageExitCode;
}

QString CommandLine::statusLine(const QVariantMap& properties)
{
    QString line =
        QStringLiteral("state=%1 period=%2 remaining=%3 cycles=%4")
            .arg(properties.value(QStringLiteral("State")).toString(),
                 properties.value(QStringLiteral("Period")).toString(),
                 QString::number(properties.value(QStringLiteral("Remaining")).toLongLong()),
                 QString::number(
                     properties.value(QStringLiteral("CyclesSinceLaunch")).toLongLong()));
    // Only with a goal, after the fields scripts already split.
    const qlonglong goal = properties.value(QStringLiteral("DailyGoal")).toLongLong();
    if (goal > 0)
        line += QStringLiteral(" today=%1 goal=%2")
                    .arg(properties.value(QStringLiteral("TodayWorkPeriods")).toLongLong())
                    .arg(goal);
    return line;
}

int CommandLine::follow(const QString& format)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        StandardError::tell(
            tr("no session bus to follow Zembrak on (%1).").arg(bus.lastError().message()));
        return 1;
    }
    // A bar that goes away closes the pipe: the next line fails with EPIPE and the
    // follower ends; a bar that ends us with SIGTERM has every line already.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGTERM, [](int) { std::_Exit(0); });
    StatusFollower follower(bus, format, [](const QByteArray& line) {
        return std::fwrite(line.constData(), 1, line.size(), stdout) == size_t(line.size()) &&
               std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
    });
    QObject::connect(
        &follower, &StatusFollower::sinkClosed, QCoreApplication::instance(),
        [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    // While nothing changes no line fails; a pipe whose reader has gone says so
    // to poll at once, as an error the read watch is woken by.
    struct stat out = {};
    std::optional<QSocketNotifier> readerGone;
    if (fstat(STDOUT_FILENO, &out) == 0 && S_ISFIFO(out.st_mode)) {
        readerGone.emplace(STDOUT_FILENO, QSocketNotifier::Read);
        QObject::connect(&*readerGone, &QSocketNotifier::activated, QCoreApplication::instance(),
                         [] { QCoreApplication::exit(0); });
    }
    return QCoreApplication::exec();
}

int CommandLine::history(const Range& range, const QString& format)
{
    const HistoryStore store(HistoryStore::defaultPath(), HistoryStore::Role::reader);
    bool read = false;
    const QList<HistoryRecord> records = store.records(range.since, range.until, &read);
    if (!read)
        return 1;
    const QByteArray document = HistoryExport::document(
        records, HistoryExport::formatNamed(format).value_or(HistoryExport::Format::csv));
    return printHistory(document);
}

int CommandLine::stats(const QDateTime& since)
{
    const QDate today = QDate::currentDate();
    const QTimeZone zone = QTimeZone::systemTimeZone();
    // From the day before, so that a period running over midnight into the
    // first day is counted there.
    const QDate first = since.isValid() ? since.toLocalTime().date() : QDate();
    const QDateTime from =
        first.isValid() ? HistoryStatistics::startOfDay(first.addDays(-1), zone) : QDateTime();
    const HistoryStore store(HistoryStore::defaultPath(), HistoryStore::Role::reader);
    bool read = false;
    const HistoryStatistics statistics(
        store.records(from, HistoryStatistics::startOfDay(today.addDays(1), zone), &read), zone);
    if (!read)
        return 1;
    QByteArray out;
    for (const QString& line :
         statistics.lines(first.isValid() ? first : statistics.firstDay(), today))
        out += line.toUtf8() + '\n';
    return printHistory(out);
}

int CommandLine::control(Action action, qint64 extendSeconds)
{
    using namespace std::chrono_literals;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        StandardError::tell(
            tr("no session bus to reach Zembrak on (%1).").arg(bus.lastError().message()));
        return 1;
    }
    auto limit = 5s;
    if (!isRunning(bus)) {
        if (action != Action::startPause) {
            StandardError::tell(tr("Zembrak is not running."));
            return 1;
        }
        if (!launchApplication()) {
            StandardError::tell(
                tr("could not start %1.").arg(QCoreApplication::applicationFilePath()));
            return 1;
        }
        limit = 15s;
    }
    const std::optional<QVariantMap> properties = waitForControl(bus, limit);
    if (!properties) {
        StandardError::tell(
            tr("Zembrak did not answer on the session bus within %1 s.").arg(limit.count()));
        return 1;
    }
    if (action == Action::status) {
        std::printf("%s\n", qPrintable(statusLine(*properties)));
        return 0;
    }
    const QString method = action == Action::startPause ? QStringLiteral("StartPause")
                           : action == Action::reset    ? QStringLiteral("Reset")
                           : action == Action::extend   ? QStringLiteral("Extend")
                                                        : QStringLiteral("Skip");
    QDBusMessage call = controlCall(ControlAdaptor::interfaceName, method);
    if (action == Action::extend)
        call << extendSeconds;
    const QDBusMessage reply = bus.call(call);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        StandardError::tell(reply.errorMessage());
        return 1;
    }
    return 0;
}
