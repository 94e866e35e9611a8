#include "app/AppDelegate.h"
#include "platform/Images.h"
#include "platform/SingleInstance.h"
#include "platform/Updater.h"
#include "platform/x11/X11Environment.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    X11Environment::prepare();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zembrak"));
    QApplication::setOrganizationName(QStringLiteral("zembrak"));
    QApplication::setDesktopFileName(QStringLiteral("zembrak"));
    QApplication::setWindowIcon(Images::icon(QStringLiteral("zembrak")));
    // The face is the tray item: closing a window must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (!instance.claim()) {
        std::fprintf(stderr, "zembrak: already running; asked the running one to show itself.\n");
        return 0;
    }

    AppDelegate delegate;
    Updater updater;
    delegate.setUpdater(&updater);
    QObject::connect(&instance, &SingleInstance::activationRequested, &delegate,
                     &AppDelegate::showPopover);
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, &delegate,
                     [&delegate](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive)
                             delegate.applicationDidResignActive();
                     });
    QTimer::singleShot(0, &delegate, &AppDelegate::setup);
    return QApplication::exec();
}
