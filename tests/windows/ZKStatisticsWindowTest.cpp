#include "windows/ZKStatisticsWindow.h"
#include "views/KPBarChart.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

const QTimeZone berlin("Europe/Berlin");

HistoryRecord workToday(int hour, qint64 minutes, const QString& task)
{
    const QDate today = QDateTime::currentDateTime().toTimeZone(berlin).date();
    HistoryRecord record;
    record.kind = "work";
    record.outcome = "finished";
    record.start = QDateTime(today, QTime(hour, 0), berlin).toUTC();
    record.end = record.start.addSecs(minutes * 60);
    record.countedSeconds = minutes * 60;
    record.task = task;
    return record;
}

} // namespace

class ZKStatisticsWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void clearingAsksFirst_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<int>("clears");
        QTest::newRow("yes") << QMessageBox::Yes << 1;
        QTest::newRow("no") << QMessageBox::No << 0;
    }

    void clearingAsksFirst()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        int clears = 0;
        ZKStatisticsWindow window(
            nullptr, [](const QDateTime&, const QDateTime&) { return std::nullopt; },
            [&clears] { return ++clears > 0; }, berlin);
        window.clearButton()->click();
        auto* question = window.findChild<QMessageBox*>();
        QVERIFY(question && question->isVisible());
        QCOMPARE(clears, 0);
        question->button(answer)->click();
        QTEST(clears, "clears");
        // Read afresh after a clear; a history unread shows no zeros.
        QCOMPARE(window.workPeriodsLabel()->text(), clears ? "The history could not be read." : "");
    }

    void todayShowsABarPerHourWorked()
    {
        const QList<HistoryRecord> records{workToday(10, 25, "Draft"), workToday(14, 50, "Draft")};
        ZKStatisticsWindow window(
            nullptr, [&records](const QDateTime&, const QDateTime&) { return records; }, {},
            berlin);
        window.makeKeyAndOrderFront();
        QCOMPARE(window.taskTable()->rowCount(), 1);
        // Columns painted in the bar colour, counted as separate runs.
        const QImage image = window.chart()->grab().toImage();
        const QRgb bar = window.chart()->barColor().rgb();
        int runs = 0;
        bool inBar = false;
        for (int x = 0; x < image.width(); ++x) {
            bool painted = false;
            for (int y = 0; y < image.height() && !painted; ++y)
                painted = image.pixel(x, y) == bar;
            runs += painted && !inBar;
            inBar = painted;
        }
        QCOMPARE(runs, 2);
    }
};

QTEST_MAIN(ZKStatisticsWindowTest)
#include "ZKStatisticsWindowTest.moc"
