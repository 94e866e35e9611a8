#include "platform/GlobalShortcuts.h"
#include "TemporaryStore.h"
#include "platform/Defaults.h"
#include "platform/KeySymbols.h"
#include "platform/ManualGlobalShortcuts.h"

#include <QTest>

using Status = GlobalShortcuts::Status;
using Backend = GlobalShortcuts::Backend;

namespace {
const QString toggle = QStringLiteral("toggleActivation");
const QString reset = QStringLiteral("reset");
const QKeySequence ctrlAltP(Qt::CTRL | Qt::ALT | Qt::Key_P);
const QKeySequence ctrlAltQ(Qt::CTRL | Qt::ALT | Qt::Key_Q);
} // namespace

class GlobalShortcutsTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_config;

private Q_SLOTS:
    void init() { m_config.reset(); }

    void storedText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("readsAs"); // written back; empty when unreadable
        const auto row = [](const char* name, const char* stored, const char* readsAs) {
            QTest::newRow(name) << QString(stored) << QString(readsAs);
        };
        row("plain", "Ctrl+Alt+P", "Ctrl+Alt+P");
        row("typed by hand", "ctrl+alt+p", "Ctrl+Alt+P");
        row("keypad", "Num+Ctrl+1", "Ctrl+Num+1");
        row("cleared", "", "");
        row("two combinations", "Ctrl+Alt+P, Ctrl+Q", "");
        row("unknown modifier", "Hyper+P", "");
        row("no key", "Ctrl+", "");
        // Read as key code 0, which would be bound and never stored back.
        QTest::newRow("a null character for the key") << QString("Ctrl+") + QChar(0) << "";
    }
    void storedText()
    {
        QFETCH(QString, stored);
        QFETCH(QString, readsAs);
        const QKeySequence sequence = GlobalShortcuts::fromStoredText(stored);
        QCOMPARE(GlobalShortcuts::toStoredText(sequence), readsAs);
        QCOMPARE(GlobalShortcuts::fromStoredText(readsAs), sequence);
    }

    // What the portal is asked for also names the keysym and the modifiers an X grab uses.
    void keySymbols_data()
    {
        QTest::addColumn<QKeyCombination>("combination");
        QTest::addColumn<QString>("trigger"); // empty: no keysym
        const auto row = [](const char* name, QKeyCombination c, const char* trigger) {
            QTest::newRow(name) << c << QString::fromUtf8(trigger);
        };
        row("letter", Qt::CTRL | Qt::ALT | Qt::Key_P, "CTRL+ALT+p");
        row("shift and meta", Qt::SHIFT | Qt::META | Qt::Key_A, "SHIFT+LOGO+a");
        row("shifted symbol", Qt::CTRL | Qt::Key_Exclam, "CTRL+exclam");
        row("cyrillic letter", QKeyCombination(Qt::ControlModifier, Qt::Key(0x42f)),
            "CTRL+Cyrillic_ya");
        row("F35", QKeyCombination(Qt::Key_F35), "F35");
        row("arrow", Qt::CTRL | Qt::Key_Left, "CTRL+Left");
        row("keypad digit", Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_5, "CTRL+KP_5");
        row("keypad home", Qt::KeypadModifier | Qt::Key_Home, "KP_Home");
        row("modifier alone", QKeyCombination(Qt::Key_Control), "");
        row("unknown key", Qt::CTRL | Qt::Key_unknown, "");
    }
    void keySymbols()
    {
        QFETCH(QKeyCombination, combination);
        QFETCH(QString, trigger);
        const auto mapped = KeySymbols::fromKeyCombination(combination);
        QCOMPARE(mapped.has_value(), !trigger.isEmpty());
        QVERIFY(!mapped || !mapped->modifiers.testFlag(Qt::KeypadModifier)); // not an X modifier
        QCOMPARE(KeySymbols::trigger(combination), trigger);
    }

    void needsModifier_data()
    {
        QTest::addColumn<QKeyCombination>("combination");
        QTest::addColumn<bool>("needs");
        QTest::newRow("letter") << QKeyCombination(Qt::Key_P) << true;
        QTest::newRow("arrow") << QKeyCombination(Qt::Key_Left) << true;
        QTest::newRow("with Ctrl") << (Qt::CTRL | Qt::Key_P) << false;
        QTest::newRow("function key") << QKeyCombination(Qt::Key_F5) << false;
        QTest::newRow("media key") << QKeyCombination(Qt::Key_MediaPlay) << false;
    }
    void needsModifier()
    {
        QFETCH(QKeyCombination, combination);
        QFETCH(bool, needs);
        QCOMPARE(GlobalShortcuts::needsModifier(combination), needs);
    }

    void chooseBackend_data()
    {
        QTest::addColumn<bool>("onX11");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("portal");
        QTest::addColumn<Backend>("backend");
        QTest::newRow("X11 session") << true << false << false << Backend::x11;
        QTest::newRow("Wayland") << false << true << true << Backend::portal;
        QTest::newRow("XWayland with a portal") << true << true << true << Backend::portal;
        QTest::newRow("XWayland without") << true << true << false << Backend::x11;
        QTest::newRow("Wayland without") << false << true << false << Backend::none;
        QTest::newRow("elsewhere") << false << false << false << Backend::none;
    }
    void chooseBackend()
    {
        QFETCH(bool, onX11);
        QFETCH(bool, wayland);
        QFETCH(bool, portal);
        QFETCH(Backend, backend);
        QCOMPARE(GlobalShortcuts::chooseBackend(onX11, wayland, portal), backend);
    }

    void aBindingFollowsTheStore()
    {
        ManualGlobalShortcuts shortcuts(Defaults::standard());
        QCOMPARE(GlobalShortcuts::shared(), &shortcuts);
        int ran = 0;
        QObject context;
        shortcuts.bind(toggle, "Start/Pause", &context, [&ran] { ++ran; });
        QCOMPARE(shortcuts.status(toggle), Status::none); // nothing stored yet
        QVERIFY(shortcuts.grabs().isEmpty());

        // Recorded later; of a sequence, only the first combination is kept.
        QVERIFY(shortcuts.setShortcut(toggle, QKeySequence(ctrlAltP[0], ctrlAltQ[0])));
        QCOMPARE(Defaults::standard().string(toggle), QStringLiteral("Ctrl+Alt+P"));
        QCOMPARE(shortcuts.status(toggle), Status::active);
        QCOMPARE(shortcuts.press(ctrlAltP), 1);
        QCOMPARE(ran, 1);

        Defaults::standard().setString(toggle, QStringLiteral("Ctrl+Alt+Q")); // changed
        QCOMPARE(shortcuts.press(ctrlAltP), 0);
        QCOMPARE(shortcuts.press(ctrlAltQ), 1);
        QCOMPARE(ran, 2);

        QVERIFY(shortcuts.setShortcut(toggle, QKeySequence())); // cleared
        QCOMPARE(Defaults::standard().string(toggle), QString(""));
        QCOMPARE(shortcuts.status(toggle), Status::none);
        QVERIFY(shortcuts.held().isEmpty());
        QCOMPARE(shortcuts.press(ctrlAltQ), 0);
        QVERIFY(shortcuts.isBound(toggle)); // and it stays bound for the next recording
        QCOMPARE(shortcuts.grabs(), (QList<QKeyCombination>{ctrlAltP[0], ctrlAltQ[0]}));
        // Each change let the desktop have the old combination back.
        QCOMPARE(shortcuts.releases(), (QStringList{toggle, toggle}));
    }

    void theLastBindingRunsUntilItsContextGoes()
    {
        ManualGlobalShortcuts shortcuts(Defaults::standard());
        shortcuts.setShortcut(toggle, ctrlAltP);
        shortcuts.setShortcut(reset, ctrlAltQ);
        int ran = 0;
        QObject kept;
        auto gone = std::make_unique<QObject>();
        shortcuts.bind(toggle, "Start/Pause", &kept, [&ran] { ran += 100; });
        shortcuts.bind(toggle, "Start/Pause", gone.get(), [&ran] { ++ran; }); // replaces the first
        shortcuts.bind(reset, "Reset", &kept, [&ran] { ran += 10; });
        QCOMPARE(shortcuts.grabs().size(), 2); // each combination grabbed once
        QCOMPARE(shortcuts.press(ctrlAltP), 1);
        QCOMPARE(ran, 1);
        gone.reset();
        QVERIFY(!shortcuts.isBound(toggle));
        QCOMPARE(shortcuts.press(ctrlAltP), 0);
        QCOMPARE(shortcuts.press(ctrlAltQ), 1);
        QCOMPARE(ran, 11);
    }

    void unreadableStoredValuesBindNothingAndStay()
    {
        ManualGlobalShortcuts shortcuts(Defaults::standard());
        Defaults::standard().setInteger(toggle, 5);
        Defaults::standard().setString(reset, QStringLiteral("Ctrl+Alt+P, Ctrl+Q"));
        QObject context;
        shortcuts.bind(toggle, "Start/Pause", &context, [] {});
        shortcuts.bind(reset, "Reset", &context, [] {});
        QCOMPARE(shortcuts.status(toggle), Status::none);
        QCOMPARE(shortcuts.status(reset), Status::none);
        QVERIFY(shortcuts.grabs().isEmpty());
        QCOMPARE(Defaults::standard().integer(toggle), qint64(5));
    }

    void aCombinationHeldElsewhereIsReported()
    {
        ManualGlobalShortcuts shortcuts(Defaults::standard());
        shortcuts.takeByAnotherApplication(ctrlAltP);
        shortcuts.setShortcut(toggle, ctrlAltP);
        int ran = 0;
        QStringList changes; // outlives the context, which reports the release as it goes
        QObject context;
        connect(&shortcuts, &GlobalShortcuts::changed, &context,
                [&changes](const QString& key) { changes.append(key); });
        shortcuts.bind(toggle, "Start/Pause", &context, [&ran] { ++ran; });
        QCOMPARE(shortcuts.status(toggle), Status::taken);
        QVERIFY(changes.contains(toggle));
        QCOMPARE(shortcuts.press(ctrlAltP), 0);
        shortcuts.setShortcut(toggle, ctrlAltQ); // another one works
        QCOMPARE(shortcuts.status(toggle), Status::active);
    }

    void withoutADesktopServiceEveryCombinationIsUnavailable()
    {
        GlobalShortcuts none(Defaults::standard());
        QCOMPARE(GlobalShortcuts::shared(), nullptr); // installed by whoever owns it
        none.setShortcut(toggle, ctrlAltP);
        QObject context;
        none.bind(toggle, "Start/Pause", &context, [] {});
        QCOMPARE(none.status(toggle), Status::unavailable);
    }
};

QTEST_GUILESS_MAIN(GlobalShortcutsTest)
#include "GlobalShortcutsTest.moc"
