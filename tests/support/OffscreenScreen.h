#pragma once

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Runs a test object on one offscreen screen of a known size, so placement
// rules can be checked in their own numbers. The platform reads its screens
// when the application starts, hence a main of its own.
template <class Test> int runOnOffscreenScreen(int argc, char* argv[], int width, int height)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1,
        "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(width)
                   .arg(height)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

#define ZEMBRAK_TEST_MAIN_ON_SCREEN(Test, width, height)                                           \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        return runOnOffscreenScreen<Test>(argc, argv, width, height);                              \
    }
