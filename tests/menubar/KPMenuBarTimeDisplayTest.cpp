#include "menubar/KPMenuBarTimeDisplay.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "app/PreferenceKeys.h"
#include "menubar/IndicatorView.h"
#include "menubar/KPMenuBarMenuButton.h"
#include "menubar/KPMenuBarMenuButtonDelegate.h"
#include "menubar/KPTimeDisplayDelegate.h"
#include "platform/Defaults.h"
#include "platform/DistributedNotifications.h"
#include "platform/Frame.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimer.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace std::chrono_literals;
using Mode = KPMenuBarTimeDisplay::MenuButtonMode;
using Size = KPMenuBarTimeDisplay::DisplaySize;

namespace {

QRect frame(const QWidget* w)
{
    return Frame::of(w);
}
int after(const QWidget* w)
{
    return Frame::maxX(frame(w)) - 4;
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

    void regularLayout_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<bool>("hideSeconds");
        QTest::addColumn<Mode>("mode");
        QTest::newRow("MM:SS") << qint64(1500) << false << Mode::hide;
        QTest::newRow("HH:MM:SS") << qint64(3661) << false << Mode::hide;
        QTest::newRow("MM") << qint64(1500) << true << Mode::hide;
        QTest::newRow("HH:MM after the button") << qint64(3661) << true << Mode::show;
    }
    void regularLayout()
    {
        QFETCH(qint64, seconds);
        QFETCH(bool, hideSeconds);
        QFETCH(Mode, mode);
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
    }

    void smallLayout_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<bool>("hideSeconds");
        QTest::newRow("MM alone") << qint64(1500) << true;
        QTest::newRow("HH over :MM") << qint64(3661) << true;
        QTest::newRow("MM over :SS") << qint64(1500) << false;
        QTest::newRow("HH:MM over :SS") << qint64(3661) << false;
    }
    void smallLayout()
    {
        QFETCH(qint64, seconds);
        QFETCH(bool, hideSeconds);
        Fixture f(seconds);
        auto& d = f.display;
        d.setHideSeconds(hideSeconds);
        d.setDisplaySize(Size::small);
        const bool hours = seconds >= 3600;
        const int x0 = -1;
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

    void lengthByMode_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<bool>("pointerOver");
        QTest::addColumn<int>("buttonWidth");
        QTest::addColumn<bool>("onlyButton");
        QTest::newRow("show") << Mode::show << false << 13 << false;
        QTest::newRow("show, over") << Mode::show << true << 13 << false;
        QTest::newRow("hide") << Mode::hide << false << 0 << false;
        QTest::newRow("hide, over") << Mode::hide << true << 0 << false;
        QTest::newRow("autohide") << Mode::autohide << false << 0 << false;
        QTest::newRow("autohide, over") << Mode::autohide << true << 13 << false;
        QTest::newRow("replacesDisplay") << Mode::replacesDisplay << false << 13 << true;
        QTest::newRow("replacesDisplay, over") << Mode::replacesDisplay << true << 0 << false;
    }
    void lengthByMode()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, pointerOver);
        QFETCH(int, buttonWidth);
        QFETCH(bool, onlyButton);
        Fixture f(1500, mode);
        auto& d = f.display;
        const int atRest = d.width();
        if (pointerOver) {
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(&d, &enter);
        }
        QCOMPARE(d.menuButton()->width(), buttonWidth);
        QCOMPARE(frame(d.menuButton()).topLeft(), QPoint(0, 0));
        QCOMPARE(d.width(), onlyButton ? 13 : d.contentWidth());
        QCOMPARE(d.statusItem()->length(), double(d.width()));
        QCOMPARE(frame(d.minutes()).x(), buttonWidth - 1);
        if (pointerOver) {
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

    void clicks_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("running");
        QTest::addColumn<qint64>("shown");
        const auto none = Qt::KeyboardModifiers();
        // The timer stands paused at 0:20:00 of a 0:25:00 period.
        QTest::newRow("click starts") << false << none << true << qint64(1200);
        QTest::newRow("Alt alone: untouched")
            << false << Qt::KeyboardModifiers(Qt::AltModifier) << false << qint64(1200);
        QTest::newRow("Alt+Shift is a plain click")
            << false << (Qt::AltModifier | Qt::ShiftModifier) << true << qint64(1200);
        QTest::newRow("Ctrl resets")
            << false << Qt::KeyboardModifiers(Qt::ControlModifier) << false << qint64(1500);
        QTest::newRow("right click resets") << true << none << false << qint64(1500);
        QTest::newRow("Alt right click: untouched")
            << true << Qt::KeyboardModifiers(Qt::AltModifier) << false << qint64(1200);
    }
    void clicks()
    {
        QFETCH(bool, right);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, running);
        QFETCH(qint64, shown);
        Fixture f(1500, Mode::show);
        f.timer().start();
        f.loop.advance(300s);
        f.timer().pause();
        f.modifiers = modifiers;
        // Released over the time, as a real click arrives.
        QTest::mouseClick(&f.display, right ? Qt::RightButton : Qt::LeftButton, {},
                          QPoint(f.display.width() - 3, 10));
        QCOMPARE(f.timer().state() == KPTimer::State::active, running);
        QCOMPARE(f.timer().currentTime().totalSeconds(), shown);
        QCOMPARE(f.counter.pressed, 0);
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
        QVERIFY(!bar->backgroundColor().isValid());
        QCOMPARE(bar->grab().toImage().pixelColor(1, 1).alpha(), 0);
        f.display.setIndicatorColor(Qt::red);
        QCOMPARE(bar->backgroundColor(), QColor(Qt::red));
        QCOMPARE(frame(bar), QRect(0, 19, f.display.width(), 2));
        QCOMPARE(bar->grab().toImage().pixelColor(1, 1), QColor(Qt::red));
    }

    void publishesTheShownTime()
    {
        Fixture f(3661);
        f.timer().start();
        f.loop.advance(2s);
        Defaults shared(PreferenceKeys::sharedSuiteName);
        const auto data = shared.data(PreferenceKeys::currentTime);
        QVERIFY(data);
        QCOMPARE(KPTime::fromJson(*data), std::optional(KPTime{1, 0, 59}));
        // No session bus in this test: the signal is skipped, the tick goes on.
        QVERIFY(!DistributedNotifications::post(KPMenuBarTimeDisplay::timeDidChangeNotification));
    }

    void itemLabelFollowsTheShownFields_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<bool>("hideSeconds");
        QTest::addColumn<QString>("label");
        QTest::newRow("minutes and seconds") << qint64(1500) << false << "25:00";
        QTest::newRow("with hours") << qint64(3661) << false << "01:01:01";
        QTest::newRow("minutes alone") << qint64(1500) << true << "25";
        QTest::newRow("hours and minutes") << qint64(3661) << true << "01:01";
    }
    void itemLabelFollowsTheShownFields()
    {
        QFETCH(qint64, seconds);
        QFETCH(bool, hideSeconds);
        QFETCH(QString, label);
        Fixture f(seconds);
        f.display.setHideSeconds(hideSeconds);
        QCOMPARE(f.display.statusItem()->labelText(), label);
        f.timer().start();
        f.loop.advance(1s);
        QCOMPARE(f.display.statusItem()->labelText().size(), label.size());
        QVERIFY(f.display.statusItem()->labelText() != label || hideSeconds);
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
