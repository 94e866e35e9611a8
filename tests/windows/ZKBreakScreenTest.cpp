#include "windows/ZKBreakScreen.h"
#include "FakeFullScreenFocus.h"
#include "ManualRunLoop.h"
#include "RecordedCycle.h"
#include "TemporaryStore.h"
#include "timing/PreferenceKeys.h"
#include "windows/ZKBreakScreenPanel.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace std::chrono_literals;

class ZKBreakScreenTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_home;

private Q_SLOTS:
    void init() { m_home.reset(); }

    // Each row ends a work period, then acts on the break: what shows after
    // each step ("-" for no screen, else the state and the time it shows).
    // Escape, and a screen on each monitor, are the breaks run's.
    void theScreenFollowsTheBreak_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("inBreak"); // at the end
        QTest::newRow("shown for the break, gone at its end") << "+60 +240"
                                                              << "shortBreak 04:00|-" << false;
        QTest::newRow("skip ends the break") << "skip +60"
                                             << "-|-" << false;
        QTest::newRow("postponed for a minute") << "postpone +59 +1 +10"
                                                << "-|-|shortBreak 04:00|shortBreak 03:50" << true;
        QTest::newRow("waits while a full-screen window has the focus")
            << "full +1 free +1"
            << "-|-|-|shortBreak 04:58" << true;
        QTest::newRow("off: no screen") << "off"
                                        << "-" << true;
    }
    void theScreenFollowsTheBreak()
    {
        QFETCH(QString, script);
        QFETCH(QString, shown);
        QFETCH(bool, inBreak);
        const bool off = script == QLatin1String("off");
        Defaults::standard().setBoolean(PreferenceKeys::isShowingBreakScreen, !off);
        // The cycle's count lives as long as the process: every row gets a short break.
        Defaults::standard().setInteger(PreferenceKeys::longBreakInterval, 1000);
        bool fullScreen = script.startsWith(QLatin1String("full"));
        ManualRunLoop loop;
        RecordedCycle cycle(m_home.path() + QStringLiteral("/history.sqlite"));
        KPTimeBoxManager& manager = cycle.manager;
        KPTimer& timer = cycle.timer();
        ZKBreakScreen screen(cycle.recorder, manager, &cycle.tasks,
                             std::make_unique<FakeFullScreenFocus>(&fullScreen));
        timer.start();
        timer.finish();
        loop.runPending();
        QStringList seen;
        for (const QString& step : script.split(QLatin1Char(' '))) {
            ZKBreakScreenPanel* panel =
                screen.panels().empty() ? nullptr : screen.panels()[0].get();
            if (step == QLatin1String("skip"))
                panel->skipButton()->click();
            else if (step == QLatin1String("postpone"))
                panel->postponeButton()->click();
            else if (step == QLatin1String("free"))
                fullScreen = false;
            else if (step.startsWith(QLatin1Char('+')))
                loop.advance(std::chrono::seconds(step.mid(1).toInt()));
            loop.runPending();
            if (screen.panels().empty()) {
                seen << QStringLiteral("-");
                continue;
            }
            panel = screen.panels()[0].get();
            QVERIFY(panel->isVisible());
            const QList<QLabel*> labels = panel->findChildren<QLabel*>();
            QCOMPARE(labels.last()->text(), QStringLiteral("Next: Write"));
            seen << KPTimeBoxManager::rawValue(manager.state()) + QLatin1Char(' ') +
                        labels[1]->text();
        }
        QCOMPARE(seen.join(QLatin1Char('|')), shown);
        QCOMPARE(manager.state() == KPTimeBoxManager::State::shortBreak, inBreak);
        QVERIFY(timer.state() == KPTimer::State::active);
    }
};

QTEST_MAIN(ZKBreakScreenTest)
#include "ZKBreakScreenTest.moc"
