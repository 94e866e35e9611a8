#include "menubar/KPMenuBarTimeDisplay.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "menubar/IndicatorView.h"
#include "menubar/KPMenuBarMenuButton.h"
#include "menubar/KPMenuBarMenuButtonDelegate.h"
#include "platform/Frame.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimeDisplayDelegate.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

using namespace std::chrono_literals;
using Mode = KPMenuBarTimeDisplay::MenuButtonMode;
using Size = KPMenuBarTimeDisplay::DisplaySize;

namespace {

const auto frame = [](const QWidget* w) { return Frame::of(w); };
// Where the next field starts: fields overlap by 4 points.
const auto after = [](const QWidget* w) { return Frame::maxX(Frame::of(w)) - 4; };

// Counts the paint events of the widgets it watches.
struct PaintCounter : QObject
{
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

// The file's identity: replacing it atomically gives it a new inode.
ino_t inodeOf(const QString& path)
{
    struct stat info
    {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

struct Counter : KPTimeDisplayDelegate, KPMenuBarMenuButtonDelegate
{
    void timeDisplayTimerDidFinish(KPMenuBarTimeDisplay*) override { ++finished; }
    void menuBarMenuButtonClicked(KPMenuBarMenuButton*) override { ++pressed; }
    int finished = 0;
    int pressed = 0;
};

} // namespace

class KPMenuBarTimeDisplayTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        explicit Fixture(qint64 seconds, Mode mode = Mode::hide)
        {
            display.setMenuButtonMode(mode);
            display.setTimer(KPTimer::fromSeconds(seconds));
            display.setDelegate(&counter);
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

    void layouts_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<bool>("hideSeconds");
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("label"); // the item's text, for hosts that show text
        // In the small size, row by row: MM over :SS, HH:MM over :SS, MM alone, HH over :MM.
        QTest::newRow("MM:SS") << qint64(1500) << false << Mode::hide << "25:00";
        QTest::newRow("HH:MM:SS") << qint64(3661) << false << Mode::hide << "01:01:01";
        QTest::newRow("MM") << qint64(1500) << true << Mode::hide << "25";
        QTest::newRow("HH:MM after the button") << qint64(3661) << true << Mode::show << "01:01";
    }
    void layouts()
    {
        QFETCH(qint64, seconds);
        QFETCH(bool, hideSeconds);
        QFETCH(Mode, mode);
        QFETCH(QString, label);
        Fixture f(seconds, mode);
        auto& d = f.display;
        d.setHideSeconds(hideSeconds);
        const bool hours = seconds >= 3600;
        QCOMPARE(d.hoursMinutesSeparator()->isHidden(), !hours);
        QCOMPARE(d.minutesSecondsSeparator()->isHidden(), hideSeconds);

        const int x0 = Frame::maxX(frame(d.menuButton())) - 1;
        QCOMPARE(x0, mode == Mode::show ? 12 : -1);
        QCOMPARE(frame(d.hours()).topLeft(), QPoint(x0, 2));
        QCOMPARE(frame(d.hoursMinutesSeparator()).topLeft(), QPoint(after(d.hours()), 3));
        QCOMPARE(frame(d.minutes()).topLeft(),
                 QPoint(hours ? after(d.hoursMinutesSeparator()) : x0, 2));
        QCOMPARE(frame(d.minutesSecondsSeparator()).topLeft(), QPoint(after(d.minutes()), 3));
        QCOMPARE(frame(d.seconds()).topLeft(), QPoint(after(d.minutesSecondsSeparator()), 2));
        QCOMPARE(d.hours()->font().pixelSize(), 14);

        const QWidget* last = hideSeconds ? d.minutes() : d.seconds();
        QCOMPARE(d.contentWidth(), Frame::maxX(frame(last)) - 1);
        QCOMPARE(d.width(), d.contentWidth());
        QCOMPARE(d.statusItem()->length(), double(d.contentWidth()));

        d.setDisplaySize(Size::small); // two rows, at y = 7 and y = -3
        const QRect h = frame(d.hours()), hm = frame(d.hoursMinutesSeparator()),
                    m = frame(d.minutes()), ms = frame(d.minutesSecondsSeparator());
        QCOMPARE(d.minutes()->font().pixelSize(), 11);
        if (!hours && hideSeconds) {
            QCOMPARE(m.topLeft(), QPoint(x0, 3));
        } else if (hours && hideSeconds) {
            QCOMPARE(hm.topLeft(), QPoint(x0, -3));
            QCOMPARE(h.topLeft(), QPoint(after(d.hoursMinutesSeparator()), 7));
            QCOMPARE(m.topLeft(), QPoint(after(d.hoursMinutesSeparator()), -3));
        } else if (!hours) {
            QCOMPARE(ms.topLeft(), QPoint(x0, -3));
            QCOMPARE(m.topLeft(), QPoint(after(d.minutesSecondsSeparator()), 7));
        } else {
            QCOMPARE(h.topLeft(), QPoint(x0, 7));
            QCOMPARE(hm.topLeft(), QPoint(after(d.hours()), 7));
            QCOMPARE(m.topLeft(), QPoint(after(d.hoursMinutesSeparator()), 7));
            QCOMPARE(ms.topLeft(), QPoint(hm.x(), -3));
        }
        QCOMPARE(frame(d.seconds()).topLeft(), QPoint(after(d.minutesSecondsSeparator()), -3));
        if (!hideSeconds) // the seconds digits stand under the minutes digits
            QCOMPARE(frame(d.seconds()).x(), m.x());
        QCOMPARE(d.contentWidth(), Frame::maxX(m) - 1);

        QCOMPARE(d.statusItem()->labelText(), label);
        f.timer().start();
        f.loop.advance(1s);
        QCOMPARE(d.statusItem()->labelText().size(), label.size());
        QVERIFY(d.statusItem()->labelText() != label || hideSeconds);
    }

    void hoursSwitchInTheVeryTick()
    {
        Fixture f(3600);
        auto& d = f.display;
        const int withHours = d.width();
        f.timer().start();
        f.loop.advance(1s);
        QCOMPARE(d.minutes()->text(), QStringLiteral("59"));
        QVERIFY(d.hours()->isHidden());
        QCOMPARE(frame(d.minutes()).x(), -1);
        QVERIFY(d.width() < withHours);
        QVERIFY(!d.needsRearrangement());
        f.timer().reset(); // back to 1:00:00
        QVERIFY(!d.hours()->isHidden());
        QCOMPARE(d.width(), withHours);
    }

    void lengthByMode()
    {
        // The mode, whether the pointer is over the item, and the button's width.
        const std::tuple<Mode, bool, int> cases[] = {{Mode::show, false, 13},
                                                     {Mode::show, true, 13},
                                                     {Mode::hide, false, 0},
                                                     {Mode::hide, true, 0},
                                                     {Mode::autohide, false, 0},
                                                     {Mode::autohide, true, 13},
                                                     {Mode::replacesDisplay, false, 13},
                                                     {Mode::replacesDisplay, true, 0}};
        for (const auto& [mode, pointerOver, buttonWidth] : cases) {
            Fixture f(1500, mode);
            auto& d = f.display;
            const int atRest = d.width();
            if (pointerOver) {
                QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
                QApplication::sendEvent(&d, &enter);
            }
            QCOMPARE(d.menuButton()->width(), buttonWidth);
            QCOMPARE(frame(d.menuButton()).topLeft(), QPoint(0, 0));
            const bool onlyButton = mode == Mode::replacesDisplay && !pointerOver;
            QCOMPARE(d.width(), onlyButton ? 13 : d.contentWidth());
            QCOMPARE(d.statusItem()->length(), double(d.width()));
            QCOMPARE(frame(d.minutes()).x(), buttonWidth - 1);
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(&d, &leave);
            QCOMPARE(d.width(), atRest);
        }
    }

    void textColors()
    {
        Fixture f(2);
        auto& d = f.display;
        auto alphaOf = [](QLabel* l) { return l->palette().color(QPalette::WindowText).alphaF(); };
        QVERIFY(qAbs(alphaOf(d.minutes()) - 0.5) < 0.01); // paused: secondary
        f.timer().start();
        QVERIFY(alphaOf(d.minutes()) > 0.8); // running: primary
        QVERIFY(alphaOf(d.hoursMinutesSeparator()) < 0.3);
        f.loop.advance(2s); // finished, the alarm loops: still primary, and blinking
        QVERIFY(f.timer().isLooping());
        QVERIFY(alphaOf(d.seconds()) > 0.8);
        QCOMPARE(d.statusItem()->alphaValue(), 0.5);
        f.loop.advance(2500ms); // the next repetition
        QCOMPARE(d.statusItem()->alphaValue(), 1.0);
        d.setHighlighted(true);
        QCOMPARE(d.seconds()->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(qAbs(alphaOf(d.minutesSecondsSeparator()) - 0.5) < 0.01);
        QVERIFY(d.statusItem()->isHighlighted() && d.menuButton()->isHighlighted());
        d.setHighlighted(false);
        QVERIFY(!d.statusItem()->isHighlighted());
        QVERIFY(alphaOf(d.seconds()) > 0.8);
    }

    void changesWaitForTheHighlightToEnd()
    {
        Fixture f(1500, Mode::replacesDisplay);
        auto& d = f.display;
        d.setHighlighted(true);
        d.setMenuButtonMode(Mode::hide);
        QCOMPARE(d.menuButton()->width(), 13);
        QCOMPARE(d.width(), 13);
        d.setHighlighted(false);
        QCOMPARE(d.menuButton()->width(), 0);
        QCOMPARE(d.width(), d.contentWidth());

        d.setMenuButtonMode(Mode::autohide);
        d.mouseEntered();
        QCOMPARE(d.menuButton()->width(), 13);
        d.setHighlighted(true);
        d.mouseExited();
        QCOMPARE(d.menuButton()->width(), 13);
        d.setHighlighted(false);
        QCOMPARE(d.menuButton()->width(), 0);
    }

    void clicks()
    {
        using M = Qt::KeyboardModifiers;
        // The timer stands paused at 0:20:00 of a 0:25:00 period.
        const std::tuple<Qt::MouseButton, M, bool, qint64> cases[] = {
            {Qt::LeftButton, M(), true, 1200},                 // starts
            {Qt::LeftButton, M(Qt::AltModifier), false, 1200}, // Alt alone: untouched
            {Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier, true, 1200}, // a plain click
            {Qt::LeftButton, M(Qt::ControlModifier), false, 1500},             // resets
            {Qt::RightButton, M(), false, 1500},                               // resets
            {Qt::RightButton, M(Qt::AltModifier), false, 1200}};               // untouched
        for (const auto& [button, modifiers, running, shown] : cases) {
            Fixture f(1500, Mode::show);
            f.timer().start();
            f.loop.advance(300s);
            f.timer().pause();
            f.modifiers = modifiers;
            // Released over the time, as a real click arrives.
            QTest::mouseClick(&f.display, button, {}, QPoint(f.display.width() - 3, 10));
            QCOMPARE(f.timer().state() == KPTimer::State::active, running);
            QCOMPARE(f.timer().currentTime().totalSeconds(), shown);
            QCOMPARE(f.counter.pressed, 0);
        }
    }

    void clickOnFinishedCountdownResets()
    {
        Fixture f(2, Mode::autohide);
        f.timer().start();
        f.loop.advance(2s);
        QCOMPARE(f.counter.finished, 1);
        QVERIFY(f.timer().currentTime().isZero());
        Q_EMIT f.display.statusItem()->activated(); // a host reporting the click
        QCOMPARE(f.timer().state(), KPTimer::State::inactive);
        QCOMPARE(f.timer().currentTime().totalSeconds(), 2);
        QVERIFY(!f.timer().isLooping());
    }

    void clicksPressTheButtonWhenItStandsForTheItem()
    {
        for (Mode mode : {Mode::hide, Mode::replacesDisplay}) {
            Fixture f(1500, mode);
            f.display.click();
            Q_EMIT f.display.statusItem()->secondaryActivated();
            QCOMPARE(f.counter.pressed, 2);
            QCOMPARE(f.timer().state(), KPTimer::State::inactive);
        }
    }

    void indicatorSpansTheTop()
    {
        Fixture f(1500, Mode::show);
        auto* bar = f.display.indicatorView();
        QCOMPARE(bar->grab().toImage().pixelColor(1, 1).alpha(), 0); // no colour yet
        f.display.setIndicatorColor(Qt::red);
        QCOMPARE(frame(bar), QRect(0, 19, f.display.width(), 2));
        QCOMPARE(bar->grab().toImage().pixelColor(1, 1), QColor(Qt::red));
    }

    // Ten ticks a second, one change of the shown second: only that one tick
    // may repaint, relabel or store anything.
    void aTickThatKeepsTheSecondChangesNothing()
    {
        Fixture f(1500);
        QWidget* button = f.display.statusItem()->button();
        button->show();
        PaintCounter painted;
        for (QLabel* label :
             {f.display.minutes(), f.display.seconds(), f.display.minutesSecondsSeparator()})
            label->installEventFilter(&painted);
        QSignalSpy relabelled(f.display.statusItem(), &StatusItem::labelTextChanged);
        const QString suite = Defaults(PreferenceKeys::sharedSuiteName).filePath();
        f.timer().start();
        f.loop.advance(1s); // 24:59 shown and stored
        QCoreApplication::processEvents();
        const int paints = painted.paints;
        const int labels = relabelled.count();
        const ino_t stored = inodeOf(suite);
        QVERIFY(paints > 0 && labels == 1 && stored != 0);

        for (int tick = 1; tick <= 9; ++tick) {
            f.loop.advance(100ms);
            QCoreApplication::processEvents();
            QCOMPARE(painted.paints, paints);
            QCOMPARE(relabelled.count(), labels);
            QCOMPARE(inodeOf(suite), stored);
        }
        f.loop.advance(100ms); // 24:58
        QCoreApplication::processEvents();
        QVERIFY(painted.paints > paints);
        QCOMPARE(relabelled.count(), labels + 1);
        QVERIFY(inodeOf(suite) != stored);
    }

    void readsToAScreenReader()
    {
        Fixture f(3601);
        QCOMPARE(
            QAccessible::queryAccessibleInterface(f.display.menuButton())->text(QAccessible::Name),
            QString("Menu"));
        QWidget* item = f.display.statusItem()->button();
        const auto described = [item] {
            return QAccessible::queryAccessibleInterface(item)->text(QAccessible::Description);
        };
        QCOMPARE(described(), QString("1:00:01 remaining"));
        f.display.setHideSeconds(true); // shown or not, the seconds are read
        f.timer().start();
        f.loop.advance(2s);
        QCOMPARE(described(), QString("59:59 remaining"));
        f.timer().setTime(KPTime{}, KPTimer::CountType::up);
        f.loop.advance(61s);
        QCOMPARE(described(), QString("01:01 elapsed"));
    }

    void publishesTheShownTime()
    {
        Fixture f(3661);
        f.timer().start();
        f.loop.advance(2s);
        const Defaults shared(PreferenceKeys::sharedSuiteName);
        QCOMPARE(KPTime::fromJson(shared.data(PreferenceKeys::currentTime).value_or("")),
                 std::optional(KPTime{1, 0, 59}));
    }
};

int main(int argc, char** argv)
{
    // Before anything opens the session bus: there is none.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zembrak-test-bus");
    QApplication app(argc, argv);
    KPMenuBarTimeDisplayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "KPMenuBarTimeDisplayTest.moc"
