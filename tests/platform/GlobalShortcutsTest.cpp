#include "platform/GlobalShortcuts.h"
#include "platform/KeySymbols.h"

#include <QTest>

using Backend = GlobalShortcuts::Backend;

class GlobalShortcutsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A stored combination read, written back, and asked of the desktop: the
    // portal's trigger also names the keysym and the modifiers an X grab uses.
    void storedCombinations_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("readsAs"); // written back; empty when unreadable
        QTest::addColumn<QString>("trigger");
        const auto row = [](const char* name, const QString& stored, const char* readsAs,
                            const char* trigger) {
            QTest::newRow(name) << stored << QString(readsAs) << QString(trigger);
        };
        row("typed by hand", "ctrl+alt+p", "Ctrl+Alt+P", "CTRL+ALT+p");
        row("meta", "Shift+Meta+A", "Meta+Shift+A", "SHIFT+LOGO+a");
        row("cyrillic letter", "Ctrl+Я", "Ctrl+Я", "CTRL+Cyrillic_ya");
        row("keypad digit", "Num+Ctrl+1", "Ctrl+Num+1", "CTRL+KP_1");
        row("keypad home", "Num+Home", "Num+Home", "KP_Home");
        row("two combinations", "Ctrl+Alt+P, Ctrl+Q", "", "");
        row("unknown modifier", "Hyper+P", "", "");
        // Read as key code 0, which would be bound and never stored back.
        row("a null character for the key", QString("Ctrl+") + QChar(0), "", "");
    }
    void storedCombinations()
    {
        QFETCH(QString, stored);
        QFETCH(QString, readsAs);
        QFETCH(QString, trigger);
        const QKeySequence sequence = GlobalShortcuts::fromStoredText(stored);
        QCOMPARE(GlobalShortcuts::toStoredText(sequence), readsAs);
        QCOMPARE(GlobalShortcuts::fromStoredText(readsAs), sequence);
        const QKeyCombination combination = sequence.isEmpty() ? Qt::Key_unknown : sequence[0];
        const auto mapped = KeySymbols::fromKeyCombination(combination);
        QCOMPARE(mapped.has_value(), !trigger.isEmpty());
        QVERIFY(!mapped || !mapped->modifiers.testFlag(Qt::KeypadModifier)); // not an X modifier
        QCOMPARE(KeySymbols::trigger(combination), trigger);
    }

    void theServiceSuitsTheDesktop()
    {
        // On X11, in a Wayland session, a portal offering shortcuts: the service asked.
        const std::tuple<bool, bool, bool, Backend> cases[] = {
            {true, false, false, Backend::x11},
            {false, true, true, Backend::portal},
            {true, true, true, Backend::portal}, // XWayland sees only X clients' keys
            {true, true, false, Backend::x11},
            {false, true, false, Backend::none}};
        for (const auto& [onX11, wayland, portal, backend] : cases)
            QCOMPARE(GlobalShortcuts::chooseBackend(onX11, wayland, portal), backend);
    }
};

QTEST_GUILESS_MAIN(GlobalShortcutsTest)
#include "GlobalShortcutsTest.moc"
