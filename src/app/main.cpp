#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/ControlAdaptor.h"
#include "app/Translations.h"
#include "history/PeriodRecorder.h"
#include "platform/Images.h"
#include "platform/QuitSignals.h"
#include "platform/StandardError.h"
#include "platform/bus/SdBusConnection.h"
#include "platform/session/SingleInstance.h"
#include "platform/x11/X11Environment.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Answers without a display, so that scripts work from anywhere in the session.
int runCommandLine(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    Translations::install();
    QString error;
    QString format;
    CommandLine::Range range;
    qint64 extendSeconds = 0;
    const CommandLine::Action action =
        CommandLine::parse(QCoreApplication::arguments(), &error, &format, &range, &extendSeconds);
    switch (action) {
    case CommandLine::Action::usageError:
        return CommandLine::usageError(error);
    case CommandLine::Action::help:
        std::fputs(qPrintable(CommandLine::helpText()), stdout);
        return 0;
    case CommandLine::Action::version:
        std::printf("Zembrak %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    case CommandLine::Action::run:
        // Only options of ours reach here, so one of them was chosen.
        return CommandLine::usageError(CommandLine::tr("nothing to do."));
    case CommandLine::Action::follow:
        return CommandLine::follow(format);
    case CommandLine::Action::history:
        return CommandLine::history(range, format);
    case CommandLine::Action::stats:
        return CommandLine::stats(range.since);
    default:
        return CommandLine::control(action, extendSeconds);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Zembrak"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEMBRAK_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("zembrak"));
    if (CommandLine::isForCommandLine(argumentsOf(argc, argv)))
        return runCommandLine(argc, argv);

    X11Environment::prepare();
    QApplication app(argc, argv);
    Translations::install();
    // Qt has taken its own options; anything left is a mistake.
    QString error;
    if (CommandLine::parse(QCoreApplication::arguments(), &error) != CommandLine::Action::run)
        return CommandLine::usageError(error);
    QApplication::setDesktopFileName(QStringLiteral("zembrak"));
    QApplication::setWindowIcon(Images::icon(QStringLiteral("zembrak")));
    // The face is the tray item: closing a window must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);

    // One connection to the session bus for all the program serves and sends on it.
    SdBusConnection sessionBus;
    sessionBus.shareAsSession();
    SingleInstance instance(sessionBus);
    if (!instance.claim()) {
        StandardError::tell(
            CommandLine::tr("already running; asked the running one to show itself."));
        return 0;
    }

    AppDelegate delegate;
    // A session that ends us with SIGTERM gets the same end as Quit: the
    // running period is kept in the history.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &app, &QCoreApplication::quit);
    QObject::connect(&instance, &SingleInstance::activationRequested, &delegate,
                     &AppDelegate::showPopover);
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, &delegate,
                     [&delegate](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive)
                             delegate.applicationDidResignActive();
                     });
    QTimer::singleShot(0, &delegate, [&delegate, &instance, &sessionBus] {
        delegate.setup();
        delegate.setupWorkSilence(sessionBus);
        // Scripts reach the timer from the moment it exists; the instance owns
        // the adaptor, which lets go of the objects when they go.
        auto* adaptor =
            new ControlAdaptor(*instance.service(), *delegate.timeBoxManager(), &instance);
        QObject::connect(delegate.periodRecorder(), &PeriodRecorder::periodEnded, adaptor,
                         &ControlAdaptor::periodEnded);
        adaptor->setDailyProgress(delegate.dailyProgress());
    });
    return QApplication::exec();
}
