// Screenshots for the end-to-end run, and the pixel checks made on them.
//
//   e2e-shot save OUT.png            grabs the whole X screen
//   e2e-shot check IN.png X Y W H    looks for the coloured bar and the time under it
//
// check prints what it found and exits 0 only when a two-pixel red row spans the
// region and text clearly darker than the background under the bar covers at
// least half of the region's width. (A paused timer's digits are grey, not black.)
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

bool isRed(QRgb p)
{
    return qRed(p) >= 150 && qRed(p) - qGreen(p) >= 80 && qRed(p) - qBlue(p) >= 80;
}

int save(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "e2e-shot: no screen\n");
        return 2;
    }
    const QPixmap shot = screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "e2e-shot: could not grab or save %s\n", argv[2]);
        return 2;
    }
    return 0;
}

int check(char** argv)
{
    const QImage image(QString::fromLocal8Bit(argv[2]));
    if (image.isNull()) {
        std::fprintf(stderr, "e2e-shot: cannot read %s\n", argv[2]);
        return 2;
    }
    const QRect region =
        QRect(atoi(argv[3]), atoi(argv[4]), atoi(argv[5]), atoi(argv[6])) & image.rect();
    if (region.width() < 4 || region.height() < 6) {
        std::fprintf(stderr, "e2e-shot: region %s %s %s %s is off the screen or too small\n",
                     argv[3], argv[4], argv[5], argv[6]);
        return 2;
    }

    // The bar: the first row that is at least 80 % red, with a second one under it.
    auto redShare = [&](int y) {
        int red = 0;
        for (int x = region.left(); x <= region.right(); ++x)
            red += isRed(image.pixel(x, y));
        return double(red) / region.width();
    };
    int barRow = -1;
    for (int y = region.top(); y < region.bottom() && barRow < 0; ++y)
        if (redShare(y) >= 0.8 && redShare(y + 1) >= 0.8)
            barRow = y;

    // The background is the commonest grey under the bar; text is well darker.
    const int textTop = barRow < 0 ? region.top() : barRow + 2;
    int histogram[256] = {};
    for (int y = textTop; y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            ++histogram[qGray(image.pixel(x, y))];
    const int background = int(std::max_element(histogram, histogram + 256) - histogram);
    auto isText = [&](QRgb p) { return !isRed(p) && qGray(p) <= background - 60; };

    int darkPixels = 0;
    int first = -1;
    int last = -1;
    for (int y = textTop; y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (isText(image.pixel(x, y))) {
                ++darkPixels;
                first = first < 0 ? x : std::min(first, x);
                last = std::max(last, x);
            }
    const int span = first < 0 ? 0 : last - first + 1;

    QTextStream out(stdout);
    out << "bar_row=" << (barRow < 0 ? -1 : barRow - region.top())
        << " bar_red=" << (barRow < 0 ? 0.0 : redShare(barRow)) << " background=" << background
        << " dark_pixels=" << darkPixels << " text_span=" << span << " width=" << region.width()
        << Qt::endl;

    const bool ok = barRow >= 0 && darkPixels >= 30 && span * 2 >= region.width();
    if (!ok)
        out << "e2e-shot: expected a red bar over darker text spanning half the width" << Qt::endl;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "save") == 0)
        return save(argc, argv);
    if (argc == 7 && qstrcmp(argv[1], "check") == 0)
        return check(argv);
    std::fprintf(stderr, "usage: e2e-shot save OUT.png | e2e-shot check IN.png X Y W H\n");
    return 2;
}
