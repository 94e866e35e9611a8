#include "windows/ZKTimeSettingsWindow.h"
#include "EditorDriving.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "views/KPSlider.h"
#include "views/KPTimeEditor.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;
using State = KPTimeBoxManager::State;

class ZKTimeSettingsWindowTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        FakeApplicationDelegate app;
        ZKTimeSettingsWindow window{app.menuBarTimeDisplay()->statusItem()};
        KPTimer& timer() { return app.timer(); }
        QList<KPTimeEditor*> editors() const
        {
            return {window.workTimeEditor(), window.shortBreakTimeEditor(),
                    window.longBreakTimeEditor()};
        }
        QStringList shown() const
        {
            QStringList texts;
            for (const KPTimeEditor* e : editors())
                texts << fieldTexts(e);
            return texts << window.longBreakIntervalSlider()->label()->text();
        }
        void type(KPTimeEditor* editor, int i, const QString& text)
        {
            typeOver(editor->fields()[i], text);
        }
        void save() { QTest::mouseClick(window.saveButton(), Qt::LeftButton); }
        // Pressed where the keyboard is, as the window system delivers it.
        void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
        {
            QTest::keyClick(window.windowHandle(), Qt::Key(key), modifiers);
        }
        QList<QWidget*> column() const
        {
            QList<QWidget*> widgets;
            for (const KPTimeEditor* e : editors())
                for (QLineEdit* field : e->fields())
                    widgets << field;
            return widgets << window.longBreakIntervalSlider()->slider() << window.saveButton();
        }
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
        for (int showing = 0; showing < 2; ++showing) {
            open(f.window);
            QCOMPARE(f.shown(), (QStringList{"00:25:00", "00:05:00", "00:20:00", "4"}));
            QVERIFY(f.window.workTimeEditor()->fields()[0]->hasFocus());
            f.type(f.window.workTimeEditor(), 1, "45");
            f.window.longBreakIntervalSlider()->slider()->triggerAction(
                QAbstractSlider::SliderSingleStepAdd);
            if (showing)
                f.press(Qt::Key_Escape);
            else
                f.window.closeButton()->click();
        }
        QVERIFY(!QFile::exists(m_store.standardFilePath()));
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
    }

    void storedInterval_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<qint64>("saved");
        QTest::newRow("beyond the slider") << QJsonValue(20) << qint64(20);
        QTest::newRow("in range") << QJsonValue(7) << qint64(7);
        QTest::newRow("zero") << QJsonValue(0) << qint64(4);
        QTest::newRow("not a number") << QJsonValue("five") << qint64(4);
    }
    void storedInterval()
    {
        QFETCH(QJsonValue, value);
        QFETCH(qint64, saved);
        m_store.writeStandardFile(
            QJsonDocument(QJsonObject{{PreferenceKeys::longBreakInterval, value}}).toJson());
        Fixture f;
        open(f.window);
        QCOMPARE(f.window.longBreakIntervalSlider()->label()->text(), QString::number(saved));
        f.save();
        QCOMPARE(stored(PreferenceKeys::longBreakInterval), std::optional<qint64>(saved));
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
            QCOMPARE(f.app.timeBoxManager()->state(), State::shortBreak);
        }
        open(f.window);
        f.type(inBreak ? f.window.shortBreakTimeEditor() : f.window.workTimeEditor(), 1, "90");
        f.window.longBreakIntervalSlider()->slider()->triggerAction(
            QAbstractSlider::SliderSingleStepAdd);
        f.window.save(); // the field still has the focus
        QVERIFY(!f.window.isVisible());
        QCOMPARE(stored(PreferenceKeys::workLength), std::optional<qint64>(inBreak ? 2 : 5400));
        QCOMPARE(stored(PreferenceKeys::shortBreakLength),
                 std::optional<qint64>(inBreak ? 5400 : 300));
        QCOMPARE(stored(PreferenceKeys::longBreakLength), std::optional<qint64>(1200));
        QCOMPARE(stored(PreferenceKeys::longBreakInterval), std::optional<qint64>(5));
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 30, 0}));
        QCOMPARE(f.timer().state(), inBreak ? KPTimer::State::active : KPTimer::State::inactive);
        QVERIFY(!f.app.menuBarTimeDisplay()->hours()->isHidden());
    }

    void tabGoesDownTheColumnAndReturnSaves_data()
    {
        QTest::addColumn<int>("tabs"); // from the work length's hours
        QTest::addColumn<int>("key");
        QTest::newRow("Return in a field") << 1 << int(Qt::Key_Return);
        QTest::newRow("Enter on the slider") << 9 << int(Qt::Key_Enter);
        QTest::newRow("Space on Save") << 10 << int(Qt::Key_Space);
    }
    void tabGoesDownTheColumnAndReturnSaves()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        Fixture f;
        open(f.window);
        f.press(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "45"); // the work length's minutes
        for (int n = 1; n < tabs; ++n)
            f.press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.column()[tabs]);
        f.press(key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(!f.window.isVisible());
        QCOMPARE(stored(PreferenceKeys::workLength), std::optional<qint64>(2700));
    }
};

QTEST_MAIN(ZKTimeSettingsWindowTest)
#include "ZKTimeSettingsWindowTest.moc"
