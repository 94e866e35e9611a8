#include "platform/ShortcutRecorder.h"
#include "TemporaryStore.h"
#include "platform/Defaults.h"
#include "platform/ManualGlobalShortcuts.h"
#include "platform/SystemStyle.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {
const QString toggle = QStringLiteral("toggleActivation");
const QString reset = QStringLiteral("reset");
const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
} // namespace

class ShortcutRecorderTest : public QObject
{
    Q_OBJECT

    // A recorder on "toggleActivation", bound and holding Ctrl+Alt+P.
    struct Fixture
    {
        Fixture()
        {
            desktop.setShortcut(toggle, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P));
            desktop.bind(toggle, "Start/Pause", &context, [this] { ++ran; });
            recorder.setAssociatedDefaultsKey(toggle);
            recorder.show();
        }
        QString stored() const { return Defaults::standard().string(toggle).value_or("absent"); }
        QString shown() const
        {
            return recorder.editor()->keySequence().toString(QKeySequence::PortableText);
        }

        ManualGlobalShortcuts desktop{Defaults::standard()};
        QObject context;
        int ran = 0;
        ShortcutRecorder recorder;
    };

    TemporaryStore m_config;

private Q_SLOTS:
    void init() { m_config.reset(); }

    void recordsOneCombinationAtATime()
    {
        Fixture f;
        QCOMPARE(f.shown(), QStringLiteral("Ctrl+Alt+P"));
        QVERIFY(f.recorder.clearButton()->isEnabled());

        QTest::keyClick(f.recorder.editor(), Qt::Key_Q, ctrlAlt);
        QCOMPARE(f.stored(), QStringLiteral("Ctrl+Alt+Q"));
        QCOMPARE(f.desktop.press(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Q)), 1);
        QCOMPARE(f.ran, 1);
        // The next key starts a new recording instead of making a sequence of two.
        QTest::keyClick(f.recorder.editor(), Qt::Key_W, ctrlAlt);
        QCOMPARE(f.stored(), QStringLiteral("Ctrl+Alt+W"));
        QCOMPARE(f.shown(), QStringLiteral("Ctrl+Alt+W"));
        QCOMPARE(f.desktop.press(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Q)), 0);
        QVERIFY(f.recorder.message().isEmpty());
    }

    void theFieldWithTheKeysAndTheButtonAreNamed()
    {
        Fixture f;
        // The sequence editor takes the keys; a line edit of its own shows them.
        auto* field = f.recorder.editor()->findChild<QLineEdit*>();
        QVERIFY(field);
        for (QWidget* widget :
             std::initializer_list<QWidget*>{f.recorder.clearButton(), f.recorder.editor(), field})
            QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
                     QString(widget == f.recorder.clearButton() ? "Clear" : "Shortcut"));
    }

    void shiftCountsUnlessItChoseTheSymbol_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("stored");
        const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("a symbol") << Qt::Key_Exclam << ctrlShift << "Ctrl+!";
        QTest::newRow("a letter") << Qt::Key_P << ctrlShift << "Ctrl+Shift+P";
        QTest::newRow("the keypad")
            << Qt::Key_5 << (Qt::ControlModifier | Qt::KeypadModifier) << "Ctrl+Num+5";
    }
    void shiftCountsUnlessItChoseTheSymbol()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, stored);
        Fixture f;
        QTest::keyClick(f.recorder.editor(), key, modifiers);
        QCOMPARE(f.stored(), stored);
    }

    void clearing_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("the button") << true << Qt::Key_unknown;
        QTest::newRow("Backspace") << false << Qt::Key_Backspace;
    }
    void clearing()
    {
        QFETCH(bool, byButton);
        QFETCH(Qt::Key, key);
        Fixture f;
        if (byButton)
            f.recorder.clearButton()->click();
        else
            QTest::keyClick(f.recorder.editor(), key);
        QCOMPARE(f.stored(), QString(""));
        QCOMPARE(f.shown(), QString());
        QVERIFY(f.desktop.held().isEmpty());
        QVERIFY(!f.recorder.clearButton()->isEnabled());
    }

    void whatIsNotACombinationLeavesTheStoredOne()
    {
        Fixture f;
        QTest::keyClick(f.recorder.editor(), Qt::Key_Escape); // stops recording
        QCOMPARE(f.stored(), QStringLiteral("Ctrl+Alt+P"));
        QCOMPARE(f.shown(), QStringLiteral("Ctrl+Alt+P"));

        QTest::keyClick(f.recorder.editor(), Qt::Key_P); // would take "p" from every application
        QCOMPARE(f.stored(), QStringLiteral("Ctrl+Alt+P"));
        QCOMPARE(f.shown(), QStringLiteral("Ctrl+Alt+P"));
        QCOMPARE(f.recorder.message(), QStringLiteral("Hold Ctrl, Alt or Meta with this key"));
        // What is shown still works: not in red.
        QVERIFY(f.recorder.editor()->palette().color(QPalette::Text) !=
                SystemStyle::systemRedColor());

        // A modifier alone empties the field; leaving it shows what still holds.
        QTest::keyPress(f.recorder.editor(), Qt::Key_Control, Qt::ControlModifier);
        QFocusEvent focusOut(QEvent::FocusOut);
        QApplication::sendEvent(f.recorder.editor(), &focusOut);
        QCOMPARE(f.shown(), QStringLiteral("Ctrl+Alt+P"));
        QCOMPARE(f.stored(), QStringLiteral("Ctrl+Alt+P"));
    }

    void tellsWhyACombinationDoesNotWork()
    {
        Fixture f;
        const QKeySequence taken(Qt::CTRL | Qt::ALT | Qt::Key_T);
        f.desktop.takeByAnotherApplication(taken);
        QTest::keyClick(f.recorder.editor(), Qt::Key_T, ctrlAlt);
        QCOMPARE(f.stored(), QStringLiteral("Ctrl+Alt+T")); // kept: it may be freed later
        QCOMPARE(f.recorder.message(), QStringLiteral("Taken by another application"));
        QCOMPARE(f.recorder.editor()->toolTip(), f.recorder.message());
        QCOMPARE(f.recorder.editor()->palette().color(QPalette::Text),
                 SystemStyle::systemRedColor());
        QTest::keyClick(f.recorder.editor(), Qt::Key_U, ctrlAlt);
        QVERIFY(f.recorder.message().isEmpty());
        QVERIFY(f.recorder.editor()->palette().color(QPalette::Text) !=
                SystemStyle::systemRedColor());
    }

    void followsItsKey()
    {
        Fixture f;
        f.desktop.setShortcut(reset, QKeySequence(Qt::META | Qt::Key_R));
        f.desktop.bind(reset, "Reset", &f.context, [] {});
        f.recorder.setAssociatedDefaultsKey(reset);
        QCOMPARE(f.shown(), QStringLiteral("Meta+R"));
        QTest::keyClick(f.recorder.editor(), Qt::Key_F8);
        QCOMPARE(Defaults::standard().string(reset), QStringLiteral("F8"));
        QCOMPARE(f.stored(), QStringLiteral("Ctrl+Alt+P"));
        // A bound key stored elsewhere while it shows: it shows that.
        f.desktop.setShortcut(reset, QKeySequence(Qt::CTRL | Qt::Key_F9));
        QCOMPARE(f.shown(), QStringLiteral("Ctrl+F9"));
    }

    void withoutABinderItSaysSoAndStoresNothing()
    {
        QCOMPARE(GlobalShortcuts::shared(), nullptr);
        ShortcutRecorder recorder;
        recorder.setAssociatedDefaultsKey(toggle);
        QCOMPARE(recorder.message(),
                 QStringLiteral("Global shortcuts are not available on this desktop"));
        QTest::keyClick(recorder.editor(), Qt::Key_P, ctrlAlt);
        QVERIFY(!Defaults::standard().contains(toggle));
    }
};

QTEST_MAIN(ShortcutRecorderTest)
#include "ShortcutRecorderTest.moc"
