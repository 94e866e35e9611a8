// Grabs the whole X screen to a PNG, for the end-to-end runs' artifacts.
//
//   e2e-shot [save] OUT.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QScreen* screen = QGuiApplication::primaryScreen();
    const bool saying = argc == 3 && qstrcmp(argv[1], "save") == 0;
    if ((argc != 2 && !saying) || !screen) {
        out << "usage: e2e-shot [save] OUT.png, on an X screen" << Qt::endl;
        return 2;
    }
    if (!screen->grabWindow(0).save(QString::fromLocal8Bit(argv[argc - 1]), "PNG")) {
        out << "e2e-shot: could not grab or save " << argv[argc - 1] << Qt::endl;
        return 2;
    }
    return 0;
}
