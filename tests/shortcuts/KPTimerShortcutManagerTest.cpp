#include "shortcuts/KPTimerShortcutManager.h"
#include "FakeSound.h"
#include "ManualGlobalShortcuts.h"
#include "ManualRunLoop.h"
#include "TemporaryStore.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/SystemStyle.h"
#include "platform/shortcuts/ShortcutRecorder.h"
#include "platform/store/Defaults.h"
#include "shortcuts/KPShortcutWindow.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace std::chrono_literals;
using State = KPTimer::State;
using Mode = KPMenuBarTimeDisplay::MenuButtonMode;

namespace {
const QKeySequence ctrlAltP(Qt::CTRL | Qt::ALT | Qt::Key_P);
const QString toggle = QStringLiteral("toggleActivation");
const QString taken = QStringLiteral("Taken by another application");
const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
} // namespace

// The shortcuts that drive the timer, and the recorder that sets them.
class KPTimerShortcutManagerTest : public QObject
{
    Q_OBJECT

    // A paused 0:25:00 countdown, driven by shortcuts pressed on a desktop of the test's own.
    struct Fixture
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        ManualGlobalShortcuts desktop{Defaults::standard()};
        std::unique_ptr<KPTimer> timer = KPTimer::fromSeconds(1500);
        KPTimerShortcutManager manager{timer.get(), nullptr};

        void launch() // as at launch
        {
            manager.loadStrings();
            manager.bindStoredShortcuts();
        }
    };

    // What the store holds when the fixture is made: a list under
    // "shortcutStrings", and Ctrl+Alt+P under one key.
    void store(const QJsonArray& strings, const std::optional<QString>& key = std::nullopt)
    {
        QJsonObject values{{PreferenceKeys::shortcutStrings, strings}};
        if (key)
            values.insert(*key, "Ctrl+Alt+P");
        m_config.writeStandardFile(QJsonDocument(values).toJson());
    }

    TemporaryStore m_config;

private Q_SLOTS:
    void init() { m_config.reset(); }

    void actionsAndACombinationRecordedAfterBinding()
    {
        store({"toggleActivation"});
        Fixture f;
        f.launch(); // bound, no combination yet
        QCOMPARE(f.desktop.press(ctrlAltP), 0);
        f.desktop.setShortcut("toggleActivation", ctrlAltP); // as the recorder stores it
        QCOMPARE(f.desktop.press(ctrlAltP), 1);
        QCOMPARE(f.timer->state(), State::active);
        f.manager.handleShortcut("startStopwatch");
        QCOMPARE(f.timer->countType(), KPTimer::CountType::up);
        f.loop.advance(3661s);
        QCOMPARE(f.timer->currentTime(), (KPTime{1, 1, 1}));
        f.manager.handleShortcut("reset");
        QCOMPARE(f.timer->state(), State::inactive);
        QCOMPARE(f.timer->currentTime(), KPTime{});
        f.desktop.setShortcut("toggleActivation", QKeySequence()); // cleared: released
        QCOMPARE(f.desktop.press(ctrlAltP), 0);
        QCOMPARE(f.manager.strings(), QStringList{"toggleActivation"}); // the key stays listed
    }

    void presets_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<qint64>("seconds"); // counted down; 0: the press changes nothing
        QTest::newRow("plain") << "300" << qint64(300);
        QTest::newRow("padded, signed") << "+0090" << qint64(90);
        QTest::newRow("9999:59:59") << "35999999" << qint64(35999999);
        QTest::newRow("past 9999:59:59") << "36000000" << qint64(0);
        QTest::newRow("negative") << "-5" << qint64(0);
        QTest::newRow("zero") << "0" << qint64(0); // would end at once as a finished period
        QTest::newRow("past 64 bits") << "9223372036854775808" << qint64(0);
        QTest::newRow("spaced") << " 300" << qint64(0);
        QTest::newRow("empty, a key too") << "" << qint64(0);
    }
    void presets()
    {
        QFETCH(QString, key);
        QFETCH(qint64, seconds);
        store({key}, key);
        Fixture f;
        f.launch();
        QVERIFY(f.desktop.isBound(key)); // bound as stored
        QCOMPARE(f.desktop.press(ctrlAltP), 1);
        QCOMPARE(f.timer->state(), seconds ? State::active : State::inactive);
        QCOMPARE(f.timer->currentTime().totalSeconds(), seconds ? seconds : 1500);
    }

    void altClicksRecordOnTheDisplay()
    {
        ManualRunLoop loop;
        FakeSounds sounds;
        ManualGlobalShortcuts desktop(Defaults::standard());
        Qt::KeyboardModifiers modifiers = Qt::AltModifier;
        KPMenuBarTimeDisplay display(std::make_unique<StatusItem>());
        display.setMenuButtonMode(Mode::show);
        display.setTimer(KPTimer::fromSeconds(1500));
        display.setModifierSource([&modifiers] { return modifiers; });
        KPTimerShortcutManager* manager = display.shortcutManager();
        KPShortcutWindow* window = manager->window();
        // Alt-click twice (the same list, the window again), then Alt-right-click.
        for (const auto& [right, title] :
             {std::pair{false, "Start/Pause"}, {false, "Start/Pause"}, {true, "Reset"}}) {
            window->close();
            right ? display.rightMouseUp() : display.click();
            QVERIFY(window->isVisible());
            QCOMPARE(window->titleLabel()->text(), QString(title));
        }
        const QStringList both{"toggleActivation", "reset"};
        QCOMPARE(manager->strings(), both);
        QCOMPARE(Defaults().stringArray(PreferenceKeys::shortcutStrings), both);
        QCOMPARE(window->shortcutView()->associatedDefaultsKey(), QStringLiteral("reset"));
        QCOMPARE(display.timer()->state(), State::inactive);

        // Where the item stands for the menu button, Alt-clicks record nothing.
        for (Mode mode : {Mode::hide, Mode::replacesDisplay}) {
            window->close();
            display.setMenuButtonMode(mode);
            display.click();
            display.rightMouseUp();
            QVERIFY(!window->isVisible());
        }
        QCOMPARE(manager->strings(), both);
    }

    // The recorder in the shortcut window.
    void aKeyPressed_data()
    {
        QTest::addColumn<Qt::Key>("key"); // Key_unknown: the clear button instead
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("stored"); // and shown
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, Qt::Key key, Qt::KeyboardModifiers modifiers,
                            const char* stored, const QString& message = QString()) {
            QTest::newRow(name) << key << modifiers << QString(stored) << message;
        };
        row("a combination", Qt::Key_Q, ctrlAlt, "Ctrl+Alt+Q");
        row("Shift choosing the symbol", Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier,
            "Ctrl+!");
        row("a function key alone", Qt::Key_F8, {}, "F8");
        row("the clear button", Qt::Key_unknown, {}, "");
        row("Escape", Qt::Key_Escape, {}, "Ctrl+Alt+P"); // stops recording
        // It would take "p" from every application.
        row("a letter alone", Qt::Key_P, {}, "Ctrl+Alt+P", "Hold Ctrl, Alt or Meta with this key");
        row("taken elsewhere", Qt::Key_T, ctrlAlt, "Ctrl+Alt+T", taken); // it may be freed later
    }
    void aKeyPressed()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        ManualGlobalShortcuts desktop(Defaults::standard());
        desktop.takeByAnotherApplication(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T));
        desktop.setShortcut(toggle, ctrlAltP);
        QObject context;
        desktop.bind(toggle, "Start/Pause", &context, [] {});
        ShortcutRecorder recorder;
        recorder.setAssociatedDefaultsKey(toggle);
        recorder.show();
        if (key == Qt::Key_unknown)
            recorder.clearButton()->click();
        else
            QTest::keyClick(recorder.editor(), key, modifiers);
        const auto inRed = [&recorder] {
            return recorder.editor()->palette().color(QPalette::Text) ==
                   SystemStyle::systemRedColor();
        };
        QCOMPARE(Defaults::standard().string(toggle), stored);
        QCOMPARE(recorder.editor()->keySequence().toString(QKeySequence::PortableText), stored);
        QCOMPARE(recorder.editor()->toolTip(), message);
        // Red when the combination shown does not work, not when a key was refused.
        QCOMPARE(inRed(), message == taken);
        // The next key starts a new recording instead of making a sequence of two.
        QTest::keyClick(recorder.editor(), Qt::Key_W, ctrlAlt);
        QCOMPARE(Defaults::standard().string(toggle), QStringLiteral("Ctrl+Alt+W"));
        QVERIFY(recorder.editor()->toolTip().isEmpty() && !inRed());
    }
};

QTEST_MAIN(KPTimerShortcutManagerTest)
#include "KPTimerShortcutManagerTest.moc"
