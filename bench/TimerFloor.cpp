// The least a Qt widget program can cost with a 0.1-second timer: a label that
// changes once a second, nothing else. bench/app-cpu measures it beside the
// application, so that its figures can be read against what this machine
// charges for the ticks themselves.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("00:00"));
    label.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(100);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, &label, [&] {
        if (++ticks % 10 == 0)
            label.setText(QString::number(ticks / 10));
    });
    timer.start();
    return QApplication::exec();
}
