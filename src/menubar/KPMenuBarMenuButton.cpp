#include "KPMenuBarMenuButton.h"

#include "menubar/KPMenuBarMenuButtonDelegate.h"
#include "menubar/KPMenuBarTimeDisplay.h"
#include "platform/Images.h"
#include "platform/RunLoop.h"
#include "timing/KPTimer.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

KPMenuBarMenuButton::KPMenuBarMenuButton(QWidget* parent)
    : QAbstractButton(parent), m_statusMenu(std::make_unique<QMenu>())
{
    setGeometry(0, 0, 0, KPMenuBarTimeDisplay::viewHeight); // zero width: hidden until sized
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(tr("Menu"));
    setAttribute(Qt::WA_NoSystemBackground);
    m_image = menuButtonImage();
    connect(m_statusMenu.get(), &QMenu::aboutToShow, this,
            [this] { updateStatusMenuHighlight(true); });
    connect(m_statusMenu.get(), &QMenu::aboutToHide, this,
            [this] { updateStatusMenuHighlight(false); });
}

KPMenuBarMenuButton::~KPMenuBarMenuButton() = default;

void KPMenuBarMenuButton::setImage(const QPixmap& image)
{
    m_image = image;
    update();
}

void KPMenuBarMenuButton::setImageNamed(const QString& name)
{
    const QSize size = Images::exists(name) ? Images::naturalSize(name) : QSize();
    setImage(size.isEmpty() ? QPixmap() : Images::pixmap(name, size, devicePixelRatioF()));
}

int KPMenuBarMenuButton::visibleWidth() const
{
    if (m_image.isNull())
        return defaultWidth;
    return qRound(m_image.deviceIndependentSize().width());
}

void KPMenuBarMenuButton::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    update();
}

void KPMenuBarMenuButton::press()
{
    if (m_timeDisplay) {
        KPTimer* timer = m_timeDisplay->timer();
        // A press silences a ringing alarm: for a finished countdown the toggle is a reset.
        if (timer && timer->isLooping())
            timer->toggle();
    }
    window()->activateWindow();
    if (m_delegate)
        m_delegate->menuBarMenuButtonClicked(this);
    // After the press has been handled, so the menu's own loop does not run inside it.
    RunLoop::main().post(this, [this] {
        if (!m_timeDisplay || m_statusMenu->isEmpty())
            return;
        const QRect anchor = m_timeDisplay->statusItem()->buttonGeometry();
        m_statusMenu->popup(anchor.bottomLeft());
    });
}

void KPMenuBarMenuButton::updateStatusMenuHighlight(bool highlighted)
{
    if (m_statusMenu->isEmpty())
        return;
    if (m_timeDisplay)
        m_timeDisplay->setHighlighted(highlighted);
}

QPixmap KPMenuBarMenuButton::menuButtonImage()
{
    constexpr int imageHeight = 21;
    QImage image(defaultWidth, imageHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int y : {3, 8, 13}) {
        // Dots given from the bottom left, as the bar's frames are.
        painter.drawEllipse(QRectF(5, imageHeight - y - 3, 3, 3));
    }
    painter.end();
    return QPixmap::fromImage(image);
}

void KPMenuBarMenuButton::paintEvent(QPaintEvent*)
{
    if (m_image.isNull() || width() == 0)
        return;
    // A template image: only its shape counts, drawn in the bar's text colour.
    const QPixmap tinted = Images::tinted(
        m_image, m_highlighted ? QColor(Qt::white) : palette().color(QPalette::WindowText));
    QPainter painter(this);
    const QSizeF size = m_image.deviceIndependentSize();
    painter.drawPixmap(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                       tinted);
}

void KPMenuBarMenuButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        event->ignore();
        return;
    }
    // Taken here: a press on the button never reaches the display's click.
    event->accept();
    press();
}

void KPMenuBarMenuButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}
