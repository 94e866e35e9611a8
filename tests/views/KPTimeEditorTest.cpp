#include "views/KPTimeEditor.h"
#include "EditorDriving.h"
#include "views/KPTimeEditorButton.h"
#include "views/KPTimeEditorDelegate.h"
#include "views/KPTimeEditorTextView.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using ButtonType = KPTimeEditor::ButtonType;
Q_DECLARE_METATYPE(KPTime)

namespace {

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

} // namespace

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
        // Leaving the field the window focused first ends an edit too.
        void focus(int i)
        {
            field(i)->setFocus();
            recorder.log.clear();
        }
        QWidget window;
        KPTimeEditor editor{130, 28, &window};
        Recorder recorder;
    };

private Q_SLOTS:
    void carry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("minutes") << "00:90:00"
                                 << "01:30:00";
        QTest::newRow("seconds into hours") << "0:59:60"
                                            << "01:00:00";
        QTest::newRow("hours beyond 99") << "100:0:75"
                                         << "100:01:15";
        QTest::newRow("beyond the largest") << "9999:9999:9999"
                                            << "9999:59:59";
        QTest::newRow("emptied fields") << "::7"
                                        << "00:00:07";
    }
    void carry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        KPTimeEditor editor(130, 28);
        for (int i = 0; i < 3; ++i)
            editor.fields()[i]->setText(typed.section(':', i, i));
        editor.commitFields();
        QCOMPARE(fieldTexts(&editor), shown);
        const QStringList parts = shown.split(':');
        QCOMPARE(editor.time(), (KPTime{parts[0].toInt(), parts[1].toInt(), parts[2].toInt()}));
    }

    void fieldsTakeDigitsOnly_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters and signs") << "1a-2"
                                           << "12";
        QTest::newRow("leading zeros, then four digits") << "0012345"
                                                         << "001234";
        QTest::newRow("other scripts' digits") << QString::fromUtf8("\u0663\u0664") << "";
    }
    void fieldsTakeDigitsOnly()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        KPTimeEditor editor(130, 28);
        QLineEdit* field = editor.fields()[1];
        field->clear();
        for (const QChar key : keys) // as typed, in any script
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(key), Qt::NoModifier);
        QCOMPARE(field->text(), text);
    }

    void returnAndTheButtonConfirmTabDoesNot()
    {
        Shown shown;
        shown.focus(2);
        shown.field(2)->setText("75");
        QTest::keyClick(shown.field(2), Qt::Key_Tab);
        QCOMPARE(shown.recorder.log, QStringList{"end 0:1:15"});
        QVERIFY(shown.field(0)->hasFocus()); // seconds lead back to hours
        shown.recorder.log.clear();
        shown.field(0)->setText("2");
        QTest::keyClick(shown.field(0), Qt::Key_Return);
        QCOMPARE(shown.recorder.log, (QStringList{"end 2:1:15", "confirm 2:1:15"}));
        shown.recorder.log.clear();
        shown.field(1)->setText("90");
        QTest::mouseClick(shown.editor.button(), Qt::LeftButton);
        QCOMPARE(shown.recorder.log, QStringList{"confirm 3:30:15"});
        QVERIFY(shown.field(0)->hasFocus()); // the edit goes on
    }

    // Left to right without overlap, each part centred on the middle line, the
    // whole centred in the editor, and no digit cut off.
    void layout_data()
    {
        QTest::addColumn<ButtonType>("type");
        QTest::addColumn<KPTime>("time");
        QTest::newRow("with button") << ButtonType::ok << KPTime{0, 25, 0};
        QTest::newRow("without button, many hours") << ButtonType::none << KPTime{9999, 59, 59};
    }
    void layout()
    {
        QFETCH(ButtonType, type);
        QFETCH(KPTime, time);
        KPTimeEditor editor(140, 28);
        editor.setButtonType(type);
        editor.setTime(time);
        editor.updateFields();
        editor.grab(); // a paint pass lays it out
        QList<QWidget*> parts = {editor.hours(), editor.hoursMinutesSeparator(), editor.minutes(),
                                 editor.minutesSecondsSeparator(), editor.seconds()};
        if (type != ButtonType::none)
            parts << editor.button();
        QCOMPARE(editor.button()->isVisibleTo(&editor), type != ButtonType::none);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QRect frame = parts[i]->geometry();
            QVERIFY(qAbs(frame.center().y() - 14) <= 1);
            if (i > 0)
                QVERIFY(frame.left() > parts[i - 1]->geometry().right());
        }
        const int right = 140 - parts.last()->geometry().right() - 1;
        QVERIFY(parts.first()->x() >= 0 && right >= 0);
        if (type != ButtonType::none) // centred
            QVERIFY(qAbs(parts.first()->x() - right) <= 1);
        for (QLineEdit* field : editor.fields())
            QVERIFY(field->fontMetrics().horizontalAdvance(field->text()) <=
                    field->contentsRect().width());
    }
};

QTEST_MAIN(KPTimeEditorTest)
#include "KPTimeEditorTest.moc"
