#include "views/KPTimeEditor.h"
#include "EditorDriving.h"
#include "platform/Frame.h"
#include "views/KPTimeEditorButton.h"
#include "views/KPTimeEditorDelegate.h"
#include "views/KPTimeEditorTextView.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using ButtonType = KPTimeEditor::ButtonType;

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

void setTexts(KPTimeEditor& editor, const QString& texts)
{
    for (int i = 0; i < 3; ++i)
        editor.fields()[i]->setText(texts.section(':', i, i));
}

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
        QTest::newRow("seconds") << "00:00:75"
                                 << "00:01:15";
        QTest::newRow("both") << "0:75:30"
                              << "01:15:30";
        QTest::newRow("seconds into hours") << "0:0:3600"
                                            << "01:00:00";
        QTest::newRow("59:60") << "0:59:60"
                               << "01:00:00";
        QTest::newRow("hours beyond 99") << "100:0:0"
                                         << "100:00:00";
        QTest::newRow("the largest") << "9999:59:59"
                                     << "9999:59:59";
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
        setTexts(editor, typed);
        editor.commitFields();
        QCOMPARE(fieldTexts(&editor), shown);
        const KPTime t = editor.time();
        QCOMPARE(QStringLiteral("%1:%2:%3")
                     .arg(KPTime::twoDigitString(t.hours), KPTime::twoDigitString(t.minutes),
                          KPTime::twoDigitString(t.seconds)),
                 shown);
    }

    void fieldsTakeDigitsOnly_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "1a2b"
                                 << "12";
        QTest::newRow("signs") << "-5+6"
                               << "56";
        QTest::newRow("five digits") << "123456"
                                     << "1234";
        QTest::newRow("leading zeros") << "0012345"
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

    void returnConfirmsTabDoesNot()
    {
        Shown shown;
        shown.focus(0);
        for (int next : {1, 2}) // Tab goes round the fields
            QTest::keyClick(shown.field(next - 1), Qt::Key_Tab);
        QVERIFY(shown.field(2)->hasFocus());
        shown.recorder.log.clear();
        shown.field(2)->setText("75");
        QTest::keyClick(shown.field(2), Qt::Key_Tab);
        QCOMPARE(shown.recorder.log, QStringList{"end 0:1:15"});
        QVERIFY(shown.field(0)->hasFocus()); // seconds lead back to hours

        shown.recorder.log.clear();
        shown.field(0)->setText("2");
        QTest::keyClick(shown.field(0), Qt::Key_Return);
        QCOMPARE(shown.recorder.log, (QStringList{"end 2:1:15", "confirm 2:1:15"}));
        QTest::keyClick(shown.field(0), Qt::Key_Backtab);
        QVERIFY(shown.field(2)->hasFocus());
        shown.recorder.log.clear();
        shown.field(2)->clearFocus(); // a click elsewhere
        QCOMPARE(shown.recorder.log, QStringList{"end 2:1:15"});
    }

    void buttonConfirmsOnly()
    {
        Shown shown;
        shown.focus(1);
        shown.field(1)->setText("90");
        QTest::mouseClick(shown.editor.button(), Qt::LeftButton);
        QCOMPARE(shown.recorder.log, QStringList{"confirm 1:30:0"});
        QVERIFY(shown.field(1)->hasFocus()); // the edit goes on
    }

    void layoutIsCentred_data()
    {
        QTest::addColumn<ButtonType>("type");
        QTest::newRow("with button") << ButtonType::ok;
        QTest::newRow("without button") << ButtonType::none;
    }
    void layoutIsCentred()
    {
        QFETCH(ButtonType, type);
        KPTimeEditor editor(140, 28);
        editor.setButtonType(type);
        editor.grab(); // a paint pass lays it out
        QVERIFY(!editor.needsRearrangement());
        const QRect hours = Frame::of(editor.hours());
        const QRect seconds = Frame::of(editor.seconds());
        const QRect button = Frame::of(editor.button());
        QCOMPARE(editor.button()->isVisibleTo(&editor), type != ButtonType::none);
        QCOMPARE(button.width(), type == ButtonType::none ? 0 : seconds.height());
        QCOMPARE(button.x(), Frame::maxX(seconds) + 6);
        QVERIFY(qAbs(hours.x() - (140 - Frame::maxX(button))) <= 1);
        QCOMPARE(Frame::of(editor.minutes()).x(),
                 Frame::maxX(Frame::of(editor.hoursMinutesSeparator())));
        for (const QWidget* part : std::initializer_list<const QWidget*>{
                 editor.hours(), editor.seconds(), editor.button()})
            QCOMPARE(Frame::of(part).y(), (28 - part->height()) / 2);

        editor.setButtonType(type); // the same type: no new layout
        QVERIFY(!editor.needsRearrangement());
        editor.setTime({100, 0, 0}); // but a field too narrow for its text asks for one
        editor.updateFields();
        QVERIFY(editor.needsRearrangement());
        editor.grab();
        QVERIFY(editor.hours()->width() > hours.width());
    }

    void imagesAreDrawnFromTheBottomLeft()
    {
        const QSize size(13, 13);
        const auto inked = [](const QPixmap& pixmap, int x, int yFromBottom) {
            return pixmap.toImage().pixelColor(x, 12 - yFromBottom).alpha() > 128;
        };
        const QPixmap check = KPTimeEditor::checkmarkImage(size, Qt::red);
        const QPixmap plus = KPTimeEditor::plusImage(size, Qt::red);
        const QPixmap minus = KPTimeEditor::minusImage(size, Qt::red);
        QVERIFY(inked(check, 6, 3) && !inked(check, 6, 9)); // the tick's foot is low
        QVERIFY(inked(plus, 6, 3) && inked(plus, 6, 9) && inked(plus, 2, 6));
        QVERIFY(!inked(minus, 6, 3) && inked(minus, 10, 6));
        QCOMPARE(minus.toImage().pixelColor(6, 6).rgb(), QColor(Qt::red).rgb());
    }
};

QTEST_MAIN(KPTimeEditorTest)
#include "KPTimeEditorTest.moc"
