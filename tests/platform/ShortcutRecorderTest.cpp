#include "platform/shortcuts/ShortcutRecorder.h"
#include "ManualGlobalShortcuts.h"
#include "TemporaryStore.h"
#include "platform/SystemStyle.h"
#include "platform/store/Defaults.h"

#include <QKeySequenceEdit>
#include <QTest>
#include <QToolButton>

namespace {
const QString toggle = QStringLiteral("toggleActivation");
const QString taken = QStringLiteral("Taken by another application");
const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
} // namespace

class ShortcutRecorderTest : public QObject
{
    Q_OBJECT

    TemporaryStore m_config;

private Q_SLOTS:
    void init() { m_config.reset(); }

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
        desktop.setShortcut(toggle, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P));
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

QTEST_MAIN(ShortcutRecorderTest)
#include "ShortcutRecorderTest.moc"
