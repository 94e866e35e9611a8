#include "views/KPSlider.h"
#include "platform/Frame.h"

#include <QLabel>
#include <QSlider>
#include <QTest>

class KPSliderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void construction()
    {
        KPSlider slider(130, 2, 12);
        QCOMPARE(slider.value(), 2);
        QCOMPARE(slider.label()->text(), QString("2"));
        QCOMPARE(slider.width(), 130);
        // The label is as wide as "12.0" at the right, the track fills the rest.
        const QRect label = Frame::of(slider.label());
        QCOMPARE(Frame::maxX(label), 130);
        QCOMPARE(label.y(), 2);
        QCOMPARE(Frame::of(slider.slider()),
                 QRect(0, 0, 130 - label.width(), slider.slider()->height()));
        QCOMPARE(label.width(), slider.label()->fontMetrics().horizontalAdvance("12.0"));
    }

    void valueOutsideTheRangeIsKept()
    {
        KPSlider slider(130, 2, 12);
        slider.setValue(20);
        QCOMPARE(slider.value(), 20);
        QCOMPARE(slider.label()->text(), QString("20"));
        QCOMPARE(slider.slider()->value(), 12);
        slider.slider()->triggerAction(QAbstractSlider::SliderSingleStepSub); // the knob moves
        QCOMPARE(slider.value(), 11);
        QCOMPARE(slider.label()->text(), QString("11"));
    }
};

QTEST_MAIN(KPSliderTest)
#include "KPSliderTest.moc"
