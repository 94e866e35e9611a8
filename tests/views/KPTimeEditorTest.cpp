#include "views/KPTimeEditor.h"
#include "EditorDriving.h"
#include "views/KPTimeEditorButton.h"
#include "views/KPTimeEditorDelegate.h"
#include "views/KPTimeEditorTextView.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

struct Recorder : KPTimeEditorDelegate
{
    void timeEditorDidEndEditing(KPTimeEditor* editor) override { add("end", editor); }
    void timeEditorDidConfirm(KPTimeEditor* editor) override { add("confirm", editor); }
    void add(const char* what, const KPTimeEditor* editor)
    {
        const KPTime t = editor->time();
        log << QStringLiteral("%1 %2:%3:%4").arg(what).arg(t.hours).arg(t.minutes).arg(t.seconds);
    }
    QStringList log;
};

class KPTimeEditorTest : public QObject
{
    Q_OBJECT

    // An editor in a shown, active window, so focus moves as it does for a user.
    struct Shown
    {
        Shown()
        {
            editor.setDelegate(&recorder);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        QLineEdit* field(int i) const { return editor.fields()[i]; }
        QWidget window;
        KPTimeEditor editor{130, 28, &window};
        Recorder recorder;
    };

private Q_SLOTS:
    // Each field carries into the one before, up to 9999:59:59; an emptied one reads as 0.
    void carry()
    {
        KPTimeEditor editor(130, 28);
        for (const auto& [typed, shown] : {std::pair<QString, QString>{"0:59:60", "01:00:00"},
                                           {"100:0:75", "100:01:15"},
                                           {"9999:9999:9999", "9999:59:59"},
                                           {"::7", "00:00:07"}}) {
            for (int i = 0; i < 3; ++i)
                editor.fields()[i]->setText(typed.section(':', i, i));
            editor.commitFields();
            QCOMPARE(fieldTexts(&editor), shown);
        }
    }

    void returnAndTheButtonConfirmTabDoesNot()
    {
        Shown shown;
        shown.field(2)->setFocus();
        shown.recorder.log.clear(); // leaving the field focused first ends an edit too
        shown.field(2)->setText("75");
        QTest::keyClick(shown.field(2), Qt::Key_Tab);
        QCOMPARE(std::exchange(shown.recorder.log, {}), QStringList{"end 0:1:15"});
        shown.field(0)->setText("2");
        QTest::keyClick(shown.field(0), Qt::Key_Return);
        QCOMPARE(std::exchange(shown.recorder.log, {}),
                 (QStringList{"end 2:1:15", "confirm 2:1:15"}));
        shown.field(1)->setText("90");
        QTest::mouseClick(shown.editor.button(), Qt::LeftButton);
        QCOMPARE(shown.recorder.log, QStringList{"confirm 3:30:15"});
    }

    // The most hours fit: parts left to right without overlap, no digit cut off.
    void manyHoursFit()
    {
        KPTimeEditor editor(140, 28);
        editor.setButtonType(KPTimeEditor::ButtonType::none);
        editor.setTime({9999, 59, 59});
        editor.updateFields();
        editor.grab(); // a paint pass lays it out
        const QWidget* parts[] = {editor.hours(), editor.hoursMinutesSeparator(), editor.minutes(),
                                  editor.minutesSecondsSeparator(), editor.seconds()};
        for (int i = 1; i < 5; ++i)
            QVERIFY(parts[i]->x() > parts[i - 1]->geometry().right());
        QVERIFY(parts[0]->x() >= 0 && parts[4]->geometry().right() < 140);
        for (QLineEdit* field : editor.fields())
            QVERIFY(field->fontMetrics().horizontalAdvance(field->text()) <=
                    field->contentsRect().width());
    }
};

QTEST_MAIN(KPTimeEditorTest)
#include "KPTimeEditorTest.moc"
