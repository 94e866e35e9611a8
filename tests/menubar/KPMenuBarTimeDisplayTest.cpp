#include "menubar/KPMenuBarTimeDisplay.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "app/TopBarHint.h"
#include "menubar/KPMenuBarMenuButton.h"
#include "menubar/KPMenuBarMenuButtonDelegate.h"
#include "platform/Frame.h"
#include "platform/tray/WindowStatusItem.h"
#include "platform/x11/X11Environment.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <sys/stat.h>
#include <utility>

using namespace std::chrono_literals;
using Mode = KPMenuBarTimeDisplay::MenuButtonMode;
using Size = KPMenuBarTimeDisplay::DisplaySize;
using Backend = StatusItem::Backend;

namespace {

const auto frame = [](const QWidget* w) { return Frame::of(w); };
// The blank each label keeps on either side of its text.
constexpr int labelInset = 2;

// The file's identity: replacing it atomically gives it a new inode.
// Which version of the file is there: one written in place has a later time.
std::pair<ino_t, qint64> versionOf(const QString& path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {0, 0};
    return {info.st_ino, qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

struct Counter : KPMenuBarMenuButtonDelegate
{
    void menuBarMenuButtonClicked(KPMenuBarMenuButton*) override { ++pressed; }
    int pressed = 0;
};

} // namespace

// The time shown in the status item, and the status item chosen for the desktop.
class KPMenuBarTimeDisplayTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        explicit Fixture(qint64 seconds, Mode mode = Mode::hide)
        {
            display.setMenuButtonMode(mode);
            display.setTimer(KPTimer::fromSeconds(seconds));
            display.menuButton()->setDelegate(&counter);
            display.setModifierSource([this] { return modifiers; });
        }
        ManualRunLoop loop;
        FakeSounds sounds;
        KPMenuBarTimeDisplay display{std::make_unique<StatusItem>()};
        Counter counter;
        Qt::KeyboardModifiers modifiers;
        KPTimer& timer() { return *display.timer(); }
    };

    TemporaryStore m_config;

private Q_SLOTS:
    void initTestCase() { m_config.reset(); }

    void layouts()
    {
        const Size regular = Size::regular, small = Size::small;
        // The time, whether seconds are hidden, the size chosen, the width of the
        // tray's slot (0: the host gives the length asked for); the rows drawn,
        // whether the seconds show, the text for hosts that show text, and the
        // square form where the slot is narrower than the time.
        const std::tuple<qint64, bool, Size, int, int, bool, const char*, const char*> cases[] = {
            {1500, false, regular, 0, 1, true, "25:00", nullptr},
            {3661, false, regular, 0, 1, true, "01:01:01", nullptr},
            {1500, true, regular, 0, 1, false, "25", nullptr},
            {1500, false, small, 0, 2, true, "25:00", nullptr},    // MM over :SS
            {3661, false, small, 0, 2, true, "01:01:01", nullptr}, // HH:MM over :SS
            {1500, true, small, 0, 1, false, "25", nullptr},       // MM alone
            {3661, true, small, 0, 2, false, "01:01", nullptr},    // HH over :MM
            // A slot narrower than the time: the minutes alone, large; the seconds
            // in the last minute.
            {1500, false, regular, 22, 0, false, "25:00", "25"},
            {59, false, regular, 22, 0, false, "00:59", "59"},
            {3661, false, small, 22, 0, false, "01:01:01", "61"},
            {3661, false, regular, 300, 1, true, "01:01:01", nullptr}}; // wider
        for (const auto& [seconds, hideSeconds, size, slot, rows, secondsShown, label, square] :
             cases) {
            Fixture f(seconds, Mode::hide);
            auto& d = f.display;
            d.setHideSeconds(hideSeconds);
            d.setDisplaySize(size);
            const double asked = d.statusItem()->length();
            if (slot)
                d.statusItem()->setSlotSize(QSize(slot, 22));
            QCOMPARE(d.secondsShown(), secondsShown);
            QCOMPARE(d.statusItem()->labelText(), QString(label));
            QCOMPARE(!d.square()->isHidden(), square != nullptr);
            if (square) { // its digits' height and fit are the square-tray runs'
                QCOMPARE(d.square()->text(), QString(square));
                QCOMPARE(d.statusItem()->squareText(), QString(square));
                QCOMPARE(d.width(), slot);
                QCOMPARE(d.statusItem()->length(), asked);
                continue;
            }

            QSet<int> tops; // the tops of the labels holding digits
            for (QLabel* l : {d.hours(), d.hoursMinutesSeparator(), d.minutes(),
                              d.minutesSecondsSeparator(), d.seconds()}) {
                // No digit cut: every shown label's text lies inside the item.
                QVERIFY(l->isHidden() || (l->x() + labelInset >= 0 &&
                                          Frame::maxX(frame(l)) - labelInset <= d.width()));
                if (!l->isHidden() && l->text() != ":")
                    tops << l->y();
            }
            QCOMPARE(tops.size(), rows);
            QCOMPARE(d.statusItem()->length(), slot ? asked : d.width());
        }
    }

    void lengthByMode()
    {
        // The mode, whether the pointer is over the item; whether the button shows.
        const std::tuple<Mode, bool, bool> cases[] = {{Mode::show, false, true},
                                                      {Mode::autohide, false, false},
                                                      {Mode::autohide, true, true},
                                                      {Mode::replacesDisplay, false, true},
                                                      {Mode::replacesDisplay, true, false}};
        for (const auto& [mode, pointerOver, buttonShown] : cases) {
            Fixture f(1500, mode);
            auto& d = f.display;
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            if (pointerOver)
                QApplication::sendEvent(&d, &enter);
            QCOMPARE(d.menuButton()->width() > 0, buttonShown);
            const bool onlyButton = mode == Mode::replacesDisplay && !pointerOver;
            QCOMPARE(d.width(), onlyButton ? d.menuButton()->width() : d.contentWidth());
            QCOMPARE(d.statusItem()->length(), double(d.width()));
        }
    }

    void clicks()
    {
        using M = Qt::KeyboardModifiers;
        const Mode show = Mode::show;
        // The timer stands paused at 0:20:00 of a 0:25:00 period. The mode, the
        // click; whether it runs then, the time shown, the menu button's presses.
        const std::tuple<Mode, Qt::MouseButton, M, bool, qint64, int> cases[] = {
            {show, Qt::LeftButton, M(), true, 1200, 0},                 // starts
            {show, Qt::LeftButton, M(Qt::AltModifier), false, 1200, 0}, // Alt alone: untouched
            {show, Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier, true, 1200, 0}, // plain
            {show, Qt::LeftButton, M(Qt::ControlModifier), false, 1500, 0},             // resets
            {show, Qt::RightButton, M(), false, 1500, 0},                               // resets
            // The button stands for the item: either click presses it.
            {Mode::hide, Qt::LeftButton, M(), false, 1200, 1},
            {Mode::replacesDisplay, Qt::RightButton, M(), false, 1200, 1}};
        for (const auto& [mode, button, modifiers, running, shown, pressed] : cases) {
            Fixture f(1500, mode);
            f.timer().start();
            f.loop.advance(300s);
            f.timer().pause();
            f.modifiers = modifiers;
            // Released over the time, as a real click arrives.
            QTest::mouseClick(&f.display, button, {}, QPoint(f.display.width() - 3, 10));
            QCOMPARE(f.timer().state() == KPTimer::State::active, running);
            QCOMPARE(f.timer().currentTime().totalSeconds(), shown);
            QCOMPARE(f.counter.pressed, pressed);
        }
    }

    // A press of the ringing menu button silences the alarm and rewinds the
    // countdown, tells the delegate once and never reaches the display's click.
    void menuButtonSilencesTheAlarm()
    {
        Fixture f(2, Mode::show);
        f.timer().start();
        f.loop.advance(2s);
        QVERIFY(f.timer().isLooping());
        QTest::mouseClick(f.display.menuButton(), Qt::LeftButton, {}, QPoint(6, 10));
        QCOMPARE(f.counter.pressed, 1);
        QVERIFY(!f.timer().isLooping());
        QCOMPARE(f.timer().currentTime().totalSeconds(), 2);
    }

    // Ten ticks a second: the shared suite is written once a shown second.
    void publishesTheShownTime()
    {
        Fixture f(3661);
        f.timer().start();
        f.loop.advance(2s);
        const Defaults shared(PreferenceKeys::sharedSuiteName);
        QCOMPARE(KPTime::fromJson(shared.data(PreferenceKeys::currentTime).value_or("")),
                 std::optional(KPTime{1, 0, 59}));
        const auto stored = versionOf(shared.filePath());
        for (int tick = 1; tick <= 10; ++tick) {
            f.loop.advance(100ms);
            QCoreApplication::processEvents();
            QCOMPARE(versionOf(shared.filePath()) == stored, tick < 10);
        }
        QCOMPARE(KPTime::fromJson(Defaults(PreferenceKeys::sharedSuiteName)
                                      .data(PreferenceKeys::currentTime)
                                      .value_or("")),
                 std::optional(KPTime{1, 0, 58}));
    }

    // The status item.
    void choosesByWhatTheDesktopOffersAndTheUserAsks()
    {
        using P = StatusItem::Preference;
        // Asked for; on X11, a tray manager, a proxying tray, a StatusNotifier watcher.
        // (A tray and a watcher as on GNOME Shell, or a watcher alone: those runs'.)
        const std::tuple<P, bool, bool, bool, bool, Backend> cases[] = {
            // Plasma's tray only proxies: its host draws us better.
            {P::automatic, true, true, true, true, Backend::StatusNotifier},
            {P::automatic, true, true, true, false, Backend::SystemTray},
            // Autostarted before the panel: wait for a tray in a window of our own.
            {P::automatic, true, false, false, false, Backend::SystemTray},
            {P::automatic, false, false, false, true, Backend::StatusNotifier},
            {P::automatic, false, false, false, false, Backend::Window},
            // A tray selection seen without X11 cannot be docked into.
            {P::automatic, false, true, false, false, Backend::Window},
            {P::xembed, true, true, true, true, Backend::SystemTray},
            {P::xembed, false, false, false, true, Backend::Window},
            {P::statusNotifier, true, true, false, false, Backend::StatusNotifier},
            {P::window, true, true, false, true, Backend::Window}};
        for (const auto& [preferred, onX11, tray, proxy, watcher, expected] : cases)
            QCOMPARE(StatusItem::chooseBackend(preferred, onX11, tray, proxy, watcher), expected);
        QVERIFY(!StatusItem::preferenceNamed("SNI ").has_value());
    }

    void waylandSessionsGoThroughXWayland()
    {
        // DISPLAY, QT_QPA_PLATFORM as the user left it, and the platform Qt is told.
        const std::tuple<const char*, const char*, const char*> cases[] = {
            {":1", nullptr, "xcb"},
            {":1", "wayland", "wayland"}, // the user's choice stays
            {nullptr, nullptr, nullptr}}; // no XWayland: Qt chooses, natively
        const QByteArray display = qgetenv("DISPLAY"), platform = qgetenv("QT_QPA_PLATFORM");
        qputenv("WAYLAND_DISPLAY", "wayland-1");
        for (const auto& [x, chosen, expected] : cases) {
            x ? qputenv("DISPLAY", x) : qunsetenv("DISPLAY");
            chosen ? qputenv("QT_QPA_PLATFORM", chosen) : qunsetenv("QT_QPA_PLATFORM");
            X11Environment::prepare();
            QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), expected != nullptr);
            if (expected)
                QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray(expected));
        }
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", platform);
    }

    // GNOME's user whose item floats is told once how to have it in the top bar.
    void toldOnceWhereTheItemFloatsOnGnome_data()
    {
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<bool>("floating");
        QTest::addColumn<int>("told");
        QTest::newRow("GNOME, floating") << QByteArray("ubuntu:GNOME") << true << 1;
        QTest::newRow("GNOME, in a tray") << QByteArray("GNOME") << false << 0;
        QTest::newRow("XFCE, floating") << QByteArray("XFCE") << true << 0;
    }
    void toldOnceWhereTheItemFloatsOnGnome()
    {
        QFETCH(QByteArray, desktop);
        QFETCH(bool, floating);
        m_config.reset();
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        ManualRunLoop loop;
        std::unique_ptr<StatusItem> item =
            floating ? std::make_unique<WindowStatusItem>() : std::make_unique<StatusItem>();
        int shown = 0;
        for (int launch = 0; launch < 2; ++launch) {
            const int before = shown;
            TopBarHint hint(*item, [&](const QString&, const QString&) { ++shown; });
            loop.advance(TopBarHint::patience - 1s);
            QCOMPARE(shown, before); // a panel that starts late may still take the item
            loop.advance(1s);
        }
        QTEST(shown, "told");
    }
};

QTEST_MAIN(KPMenuBarTimeDisplayTest)

#include "KPMenuBarTimeDisplayTest.moc"
