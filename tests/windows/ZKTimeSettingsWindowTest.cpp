#include "windows/ZKTimeSettingsWindow.h"
#include "EditorDriving.h"
#include "FakeAppDelegate.h"
#include "FakeSound.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "views/KPSlider.h"
#include "views/KPTimeEditor.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace std::chrono_literals;

class ZKTimeSettingsWindowTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeAppDelegate app;
        ZKTimeSettingsWindow window{app.menuBarTimeDisplay()->statusItem()};
        KPTimer& timer() { return app.timer(); }
    };

    static std::optional<qint64> stored(const QString& key)
    {
        return Defaults().integer(key); // read from disk by a store of its own
    }

    TemporaryStore m_store;

private Q_SLOTS:
    void init() { m_store.reset(); }

    void closingDiscardsEdits()
    {
        Fixture f;
        open(f.window);
        typeOver(f.window.workTimeEditor()->fields()[1], "45");
        QTest::keyClick(f.window.windowHandle(), Qt::Key_Escape);
        open(f.window); // shows the stored lengths again, not the edit
        QCOMPARE(fieldTexts(f.window.workTimeEditor()), QString("00:25:00"));
        QVERIFY(!QFile::exists(m_store.standardFilePath()));
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
    }

    // An interval set beyond the slider's range by hand is kept as it is.
    void storedIntervalBeyondTheSlider()
    {
        m_store.writeStandardFile(R"({"longBreakInterval": 20})");
        Fixture f;
        open(f.window);
        QCOMPARE(f.window.longBreakIntervalSlider()->label()->text(), QString("20"));
        QTest::mouseClick(f.window.saveButton(), Qt::LeftButton);
        QCOMPARE(stored(PreferenceKeys::longBreakInterval), std::optional<qint64>(20));
    }

    void savingRestartsTheCurrentPeriod_data()
    {
        QTest::addColumn<bool>("inBreak");
        QTest::newRow("paused work") << false;
        QTest::newRow("running short break") << true;
    }
    void savingRestartsTheCurrentPeriod()
    {
        QFETCH(bool, inBreak);
        // A stored length of no time is no length: the default is shown instead.
        m_store.writeStandardFile(inBreak ? R"({"workLength": 2})" : R"({"workLength": 0})");
        Fixture f;
        if (inBreak) {
            f.timer().start();
            f.loop.advance(32s);
        }
        open(f.window);
        typeOver(
            (inBreak ? f.window.shortBreakTimeEditor() : f.window.workTimeEditor())->fields()[1],
            "90");
        f.window.longBreakIntervalSlider()->slider()->triggerAction(
            QAbstractSlider::SliderSingleStepAdd);
        f.window.save(); // the field still has the focus
        QVERIFY(!f.window.isVisible());
        QCOMPARE(stored(PreferenceKeys::workLength), std::optional<qint64>(inBreak ? 2 : 5400));
        QCOMPARE(stored(PreferenceKeys::shortBreakLength),
                 std::optional<qint64>(inBreak ? 5400 : 300));
        QCOMPARE(stored(PreferenceKeys::longBreakInterval), std::optional<qint64>(5));
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 30, 0}));
        QCOMPARE(f.timer().state(), inBreak ? KPTimer::State::active : KPTimer::State::inactive);
    }
};

QTEST_MAIN(ZKTimeSettingsWindowTest)
#include "ZKTimeSettingsWindowTest.moc"
