// A task title of one unbroken run of characters, as long as a pasted blob: the
// time from reading the stored task to the first paint of the list.
#include "TaskNotation.h"
#include "tasks/KPTaskList.h"
#include "tasks/KPTaskManager.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    for (const qsizetype length : {qsizetype(128) * 1024, qsizetype(2) * 1024 * 1024}) {
        storeTasks({{1, QString(length, QLatin1Char('x')), false, std::nullopt}});
        QWidget window;
        window.resize(200, 300);
        KPTaskList list(QRect(0, 0, 200, 300), &window);
        window.show();
        QElapsedTimer clock;
        clock.start();
        list.setTaskManager(std::make_unique<KPTaskManager>());
        list.tableView()->viewport()->grab();
        std::printf("task-title: %lld characters without a space, read and painted: %.1f ms\n",
                    static_cast<long long>(length), double(clock.nsecsElapsed()) / 1e6);
    }
    return 0;
}
