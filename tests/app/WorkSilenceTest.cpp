#include "app/WorkSilence.h"
#include "FakeNotificationDesktop.h"
#include "FakeTimeDisplay.h"
#include "PrivateSessionBus.h"
#include "TemporaryStore.h"
#include "app/PeriodEndNotifier.h"
#include "platform/bus/SdBusConnection.h"
#include "timing/PreferenceKeys.h"

#include <QApplication>
#include <QTemporaryDir>

namespace {

QString busAddress;

// What the application builds: the timer, the silence, our own notification.
struct Run
{
    FakeTimeDisplay display;
    KPTimeBoxManager manager;
    SdBusConnection bus;
    std::unique_ptr<WorkSilence> silence;
    std::unique_ptr<PeriodEndNotifier> notifier;

    Run()
    {
        manager.setMenuBarTimeDisplay(&display);
        bus.open();
        silence = std::make_unique<WorkSilence>(manager, bus);
        notifier = std::make_unique<PeriodEndNotifier>(manager);
        notifier->setSilence(silence.get());
    }
};

bool noted()
{
    return Defaults::standard().contains(PreferenceKeys::notificationsSilencedBy);
}

} // namespace

class WorkSilenceTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_store;
    QTemporaryDir m_schemas;

    void addKinds(bool withUserHeld)
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("userHeld");
        for (const char* kind : {"gnome", "plasma", "xfce", "dunst", "mako"})
            for (const bool userHeld : {false, true})
                if (!userHeld || withUserHeld)
                    QTest::addRow("%s%s", kind, userHeld ? " held by the user" : "")
                        << QString::fromLatin1(kind) << userHeld;
    }
    void prepare(const QString& kind)
    {
        m_store.reset();
        Defaults::standard().setBoolean(PreferenceKeys::isSilencingNotificationsDuringWork, true);
        // mako offers the mode only where the user's configuration has it.
        TemporaryStore::writeFile(m_store.path() + "/mako/config",
                                  "[mode=do-not-disturb]\ninvisible=1\n");
        if (kind == QLatin1String("gnome") &&
            !QFile::exists(m_schemas.filePath("gschemas.compiled")))
            QSKIP("glib-compile-schemas is missing");
    }

private Q_SLOTS:
    void initTestCase()
    {
        // GNOME's key in a settings store of the test's own: a schema of ours, the keyfile backend.
        TemporaryStore::writeFile(
            m_schemas.filePath("notifications.gschema.xml"),
            "<schemalist><schema id='org.gnome.desktop.notifications' "
            "path='/org/gnome/desktop/notifications/'><key name='show-banners' "
            "type='b'><default>true</default></key></schema></schemalist>");
        QProcess::execute("glib-compile-schemas", {m_schemas.path()});
        qputenv("GSETTINGS_SCHEMA_DIR", m_schemas.path().toUtf8());
        qputenv("GSETTINGS_BACKEND", "keyfile");
    }

    void holdsWhileWorkCounts_data() { addKinds(true); }
    void holdsWhileWorkCounts()
    {
        QFETCH(QString, kind);
        QFETCH(bool, userHeld);
        prepare(kind);
        FakeNotificationDesktop desktop(kind, busAddress);
        desktop.setHeld(userHeld);
        Run run;
        QTRY_VERIFY(run.silence->isAvailable());
        run.display.timer()->start();
        QTRY_VERIFY(desktop.held());
        QTRY_COMPARE(noted(), !userHeld);
        run.display.timer()->pause();
        QTRY_COMPARE(desktop.held(), userHeld);
        run.display.timer()->start();
        QTRY_COMPARE(noted(), !userHeld);
        run.display.timer()->finish();
        // Ours comes once the desktop shows notifications again, never into the silence.
        QTRY_COMPARE(desktop.heldAtNotify, QList<bool>{userHeld});
        QCOMPARE(desktop.held(), userHeld);
        QVERIFY(!noted());
    }

    void crashIsUndoneAtNextStart_data() { addKinds(false); }
    void crashIsUndoneAtNextStart()
    {
        QFETCH(QString, kind);
        prepare(kind);
        FakeNotificationDesktop desktop(kind, busAddress);
        QProcess crashing;
        crashing.start(QCoreApplication::applicationFilePath(), {"--hold"});
        QTRY_VERIFY(desktop.held());
        crashing.kill(); // SIGKILL: nothing of it runs
        QVERIFY(crashing.waitForFinished());
        Defaults::resetStandard();
        Run next;
        QTRY_VERIFY(!desktop.held());
        QTRY_VERIFY(!noted());
    }
};

int main(int argc, char** argv)
{
    // The run that is killed in the middle of a work period.
    if (argc > 1 && QByteArray(argv[1]) == "--hold") {
        QApplication app(argc, argv);
        Run run;
        QObject::connect(run.silence.get(), &WorkSilence::availabilityChanged,
                         [&run] { run.display.timer()->start(); });
        return QApplication::exec();
    }
    return runOnPrivateSessionBus<QApplication, WorkSilenceTest>(argc, argv, &busAddress);
}

#include "WorkSilenceTest.moc"
