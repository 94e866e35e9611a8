// Screenshots for the end-to-end run, and the pixel check made on the item.
//
//   e2e-shot OUT.png [X Y W H]
//
// Grabs the whole X screen to OUT.png. Given a region, prints what it found
// there and exits 0 only when a two-pixel red row spans it and text clearly
// darker than the background under the bar covers at least half of its width.
// (A paused timer's digits are grey, not black.)
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>
#include <algorithm>

namespace {

bool isRed(QRgb p)
{
    return qRed(p) >= 150 && qRed(p) - qGreen(p) >= 80 && qRed(p) - qBlue(p) >= 80;
}

int check(const QImage& image, QRect region, QTextStream& out)
{
    region &= image.rect();
    if (region.width() < 4 || region.height() < 6) {
        out << "e2e-shot: the region is off the screen or too small" << Qt::endl;
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
    int darkPixels = 0, first = region.right(), last = -1;
    for (int y = textTop; y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (!isRed(image.pixel(x, y)) && qGray(image.pixel(x, y)) <= background - 60) {
                ++darkPixels;
                first = std::min(first, x);
                last = std::max(last, x);
            }
    const int span = std::max(0, last - first + 1);
    out << "bar_row=" << barRow - (barRow < 0 ? 0 : region.top()) << " background=" << background
        << " dark_pixels=" << darkPixels << " text_span=" << span << " width=" << region.width()
        << Qt::endl;
    return barRow >= 0 && darkPixels >= 30 && span * 2 >= region.width() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QScreen* screen = QGuiApplication::primaryScreen();
    if ((argc != 2 && argc != 6) || !screen) {
        out << "usage: e2e-shot OUT.png [X Y W H], on an X screen" << Qt::endl;
        return 2;
    }
    const QImage image = screen->grabWindow(0).toImage();
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        out << "e2e-shot: could not grab or save " << argv[1] << Qt::endl;
        return 2;
    }
    return argc == 2
               ? 0
               : check(image, QRect(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5])),
                       out);
}
