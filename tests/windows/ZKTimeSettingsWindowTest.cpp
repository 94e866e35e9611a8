#include "windows/ZKTimeSettingsWindow.h"
#include "EditorDriving.h"
#include "FakeApplicationDelegate.h"
#include "FakeSound.h"
#include "TemporaryStore.h"
#include "platform/Frame.h"
#include "platform/ManualRunLoop.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "views/KPSlider.h"
#include "views/KPTimeEditor.h"

#include <QAccessible>
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

    void freshStoreAndClosingDiscardsEdits()
    {
        Fixture f;
        for (int showing = 0; showing < 2; ++showing) {
            open(f.window);
            QCOMPARE(f.shown(), (QStringList{"00:25:00", "00:05:00", "00:20:00", "4"}));
            QCOMPARE(f.window.longBreakIntervalSlider()->value(), 4);
            QVERIFY(f.window.workTimeEditor()->fields()[0]->hasFocus());
            f.type(f.window.workTimeEditor(), 1, "45");
            f.type(f.window.longBreakTimeEditor(), 0, "1");
            f.window.longBreakIntervalSlider()->slider()->triggerAction(
                QAbstractSlider::SliderSingleStepAdd);
            f.window.closeButton()->click();
        }
        QVERIFY(!QFile::exists(m_store.standardFilePath()));
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 25, 0}));
        QCOMPARE(Frame::of(f.window.saveButton()).y(), 0); // the column stands on Save
        QVERIFY(Frame::of(f.window.workTimeEditor()).y() >
                Frame::of(f.window.shortBreakTimeEditor()).y());
    }

    void storedInterval_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<qint64>("saved");
        QTest::newRow("beyond the slider") << QJsonValue(20) << "20" << qint64(20);
        QTest::newRow("in range") << QJsonValue(7) << "7" << qint64(7);
        QTest::newRow("zero") << QJsonValue(0) << "4" << qint64(4);
        QTest::newRow("negative") << QJsonValue(-3) << "4" << qint64(4);
        QTest::newRow("not a number") << QJsonValue("five") << "4" << qint64(4);
    }
    void storedInterval()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, label);
        QFETCH(qint64, saved);
        m_store.writeStandardFile(
            QJsonDocument(QJsonObject{{PreferenceKeys::longBreakInterval, value}}).toJson());
        Fixture f;
        open(f.window);
        QCOMPARE(f.window.longBreakIntervalSlider()->label()->text(), label);
        QCOMPARE(f.window.longBreakIntervalSlider()->slider()->value(), qMin(saved, 12));
        f.save();
        QCOMPARE(stored(PreferenceKeys::longBreakInterval), std::optional<qint64>(saved));
    }

    void savingTakesTheFieldBeingTyped()
    {
        // A stored length of no time is no length: the default is shown instead.
        m_store.writeStandardFile(R"({"workLength": 0})");
        Fixture f;
        open(f.window);
        QCOMPARE(f.shown().first(), QString("00:25:00"));
        f.type(f.window.workTimeEditor(), 1, "90");
        f.window.save(); // the field still has the focus
        QCOMPARE(stored(PreferenceKeys::workLength), std::optional<qint64>(5400));
        QCOMPARE(stored(PreferenceKeys::shortBreakLength), std::optional<qint64>(300));
        QCOMPARE(stored(PreferenceKeys::longBreakLength), std::optional<qint64>(1200));
        QCOMPARE(stored(PreferenceKeys::longBreakInterval), std::optional<qint64>(4));
        QVERIFY(!f.window.isVisible());
        // The work period starts over at its new length, still paused.
        QCOMPARE(f.timer().time(), (KPTime{1, 30, 0}));
        QCOMPARE(f.timer().currentTime(), (KPTime{1, 30, 0}));
        QCOMPARE(f.timer().state(), KPTimer::State::inactive);
        QVERIFY(!f.app.menuBarTimeDisplay()->hours()->isHidden());
    }

    void savingRestartsTheShortBreak()
    {
        m_store.writeStandardFile(R"({"workLength": 2})");
        Fixture f;
        f.timer().start();
        f.loop.advance(2s);
        QCOMPARE(f.app.timeBoxManager()->state(), State::shortBreak);
        f.loop.advance(30s);
        open(f.window);
        f.type(f.window.shortBreakTimeEditor(), 1, "7");
        f.window.longBreakIntervalSlider()->slider()->triggerAction(
            QAbstractSlider::SliderSingleStepAdd);
        f.save();
        QCOMPARE(stored(PreferenceKeys::shortBreakLength), std::optional<qint64>(420));
        QCOMPARE(stored(PreferenceKeys::longBreakInterval), std::optional<qint64>(5));
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 7, 0}));
        QCOMPARE(f.timer().state(), KPTimer::State::active);
        f.loop.advance(1s);
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 6, 59}));
    }

    void everyControlIsNamed()
    {
        Fixture f;
        const QStringList titles = {"Work Length", "Short Break Length", "Long Break Length"};
        for (int i = 0; i < 3; ++i) {
            QStringList names;
            for (QLineEdit* field : f.editors()[i]->fields()) {
                QAccessibleInterface* read = QAccessible::queryAccessibleInterface(field);
                names << read->text(QAccessible::Name) + '/' + read->text(QAccessible::Description);
            }
            QCOMPARE(names, (QStringList{"Hours/", "Minutes/", "Seconds/"})
                                .replaceInStrings("/", '/' + titles[i]));
        }
        QSlider* slider = f.window.longBreakIntervalSlider()->slider();
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(slider);
        QCOMPARE(read->text(QAccessible::Name), QString("Long Break Interval"));
        open(f.window);
        QCOMPARE(read->valueInterface()->currentValue().toInt(), 4);
        // The labels above the controls are theirs, for a reader that follows labels.
        QList<QWidget*> labelled;
        for (const QLabel* label : f.window.findChildren<QLabel*>())
            if (label->buddy())
                labelled << label->buddy();
        QCOMPARE(labelled.size(), 4);
        QVERIFY(labelled.contains(slider) && labelled.contains(f.editors()[0]->fields()[0]));
        for (QWidget* button :
             std::initializer_list<QWidget*>{f.window.saveButton(), f.window.closeButton()})
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                     button == f.window.saveButton() ? QString("Save") : QString("Close"));
    }

    void tabGoesDownTheColumn()
    {
        Fixture f;
        open(f.window);
        const QList<QWidget*> column = f.column();
        QList<QWidget*> reached;
        for (qsizetype n = 0; n < column.size(); ++n) {
            f.press(Qt::Key_Tab);
            reached << QApplication::focusWidget();
        }
        QCOMPARE(reached, column.mid(1) << column.first()); // from Save round to the top
        reached.clear();
        for (qsizetype n = 0; n < column.size(); ++n) {
            f.press(Qt::Key_Backtab);
            reached << QApplication::focusWidget();
        }
        QList<QWidget*> upwards(column.crbegin(), column.crend());
        QCOMPARE(reached, upwards);
    }

    void returnSaves_data()
    {
        QTest::addColumn<int>("tabs"); // from the work length's hours
        QTest::addColumn<int>("key");
        QTest::newRow("Return in a field") << 1 << int(Qt::Key_Return);
        QTest::newRow("Enter on the slider") << 9 << int(Qt::Key_Enter);
        QTest::newRow("Return on Save") << 10 << int(Qt::Key_Return);
        QTest::newRow("Space on Save") << 10 << int(Qt::Key_Space);
    }
    void returnSaves()
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
        QCOMPARE(f.timer().currentTime(), (KPTime{0, 45, 0}));
    }

    void escapeClosesWithoutSaving()
    {
        Fixture f;
        open(f.window);
        f.press(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "45");
        f.press(Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
        QVERIFY(!QFile::exists(m_store.standardFilePath()));
    }
};

QTEST_MAIN(ZKTimeSettingsWindowTest)
#include "ZKTimeSettingsWindowTest.moc"
