#include "menubar/KPMenuBarMenuButton.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarMenuButtonDelegate.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimer.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// Notes, at the moment the delegate is told, what press() has done so far.
struct Recorder : KPMenuBarMenuButtonDelegate
{
    void menuBarMenuButtonClicked(KPMenuBarMenuButton* button) override
    {
        KPTimer* timer = button->timeDisplay()->timer();
        QCoreApplication::processEvents(); // delivers an activation already asked for
        steps << (timer->isLooping() ? "alarm rings" : "alarm silent");
        steps << (QApplication::activeWindow() == button->window() ? "active" : "not active");
        steps << (button->statusMenu()->isVisible() ? "menu open" : "menu closed");
    }
    QStringList steps;
};

} // namespace

class KPMenuBarMenuButtonTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        Fixture()
        {
            display.setMenuButtonMode(KPMenuBarTimeDisplay::MenuButtonMode::show);
            display.setTimer(KPTimer::fromSeconds(2));
            button()->setDelegate(&recorder);
        }
        KPMenuBarMenuButton* button() { return display.menuButton(); }
        KPTimer& timer() { return *display.timer(); }
        void finishCountdown()
        {
            timer().start();
            loop.advance(2s);
            QVERIFY(timer().isLooping());
        }
        ManualRunLoop loop;
        FakeSounds sounds;
        KPMenuBarTimeDisplay display{std::make_unique<StatusItem>()};
        Recorder recorder;
    };

    TemporaryStore m_config;

private Q_SLOTS:
    void initTestCase() { m_config.reset(); }

    void pressSilencesActivatesTellsThenPopsUp()
    {
        Fixture f;
        f.button()->statusMenu()->addAction(QStringLiteral("Item"));
        f.finishCountdown();
        QWidget elsewhere;
        elsewhere.show();
        f.button()->window()->show();
        elsewhere.activateWindow();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &elsewhere);

        f.button()->press();
        QCOMPARE(f.recorder.steps, QStringList({"alarm silent", "active", "menu closed"}));
        QCOMPARE(f.timer().currentTime().totalSeconds(), 2); // rewound, not started
        QCOMPARE(f.timer().state(), KPTimer::State::inactive);

        f.loop.runPending();
        QVERIFY(f.button()->statusMenu()->isVisible());
        QVERIFY(f.display.isHighlighted()); // a non-empty status menu keeps the item lit
        f.button()->statusMenu()->hide();
        QVERIFY(!f.display.isHighlighted());
    }

    void mousePresses()
    {
        for (const bool ringing : {true, false}) {
            Fixture f;
            if (ringing)
                f.finishCountdown();
            const KPTime before = f.timer().currentTime();
            QTest::mouseClick(f.button(), ringing ? Qt::RightButton : Qt::LeftButton, {},
                              QPoint(6, 10));
            QCOMPARE(f.recorder.steps.size(), 3); // told once
            QVERIFY(!f.timer().isLooping());
            // Never passed on to the display, whose click would start the timer.
            QCOMPARE(f.timer().state(), KPTimer::State::inactive);
            QCOMPARE(f.timer().currentTime().totalSeconds(), ringing ? 2 : before.totalSeconds());
            f.loop.runPending();
            QVERIFY(!f.button()->statusMenu()->isVisible()); // nothing to show in an empty menu
        }
    }

    void images()
    {
        const QImage dots = KPMenuBarMenuButton::menuButtonImage().toImage();
        QCOMPARE(dots.size(), QSize(13, 21));
        for (int y : {3, 8, 13}) // circle centres, counted from the bottom
            QCOMPARE(dots.pixelColor(6, 21 - y - 2).alpha(), 255);
        QCOMPARE(dots.pixelColor(6, 1).alpha() + dots.pixelColor(1, 6).alpha(), 0);

        KPMenuBarMenuButton button;
        button.setImageNamed(QStringLiteral("menubarIcon"));
        QVERIFY(!button.image().isNull());
        button.setImageNamed(QStringLiteral("no such image"));
        QVERIFY(button.image().isNull());
        QCOMPARE(button.visibleWidth(), 13);
    }
};

QTEST_MAIN(KPMenuBarMenuButtonTest)
#include "KPMenuBarMenuButtonTest.moc"
