#include "KPUtilityWindow.h"

#include "platform/Frame.h"
#include "platform/Images.h"
#include "platform/SystemStyle.h"
#include "platform/WindowPlacement.h"
#include "platform/tray/StatusItem.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <algorithm>
#include <optional>

namespace {

constexpr int closeButtonSize = 14;

// The item's button on screen, when it is somewhere a window can hang from.
std::optional<QRect> anchorGeometry(const StatusItem* item)
{
    if (!item)
        return std::nullopt;
    const QRect geometry = item->buttonGeometry();
    if (!geometry.isValid() || !QGuiApplication::screenAt(geometry.center()))
        return std::nullopt;
    return geometry;
}

// A window off the screen cannot be used: keep it in the free area, its top
// left corner (title and close button) winning when it is larger than that.
QPoint clampedInto(const QRect& area, QPoint origin, const QSize& size)
{
    const int x = std::max(std::min(origin.x(), Frame::maxX(area) - size.width()), area.x());
    const int y = std::min(std::max(origin.y(), area.y()), Frame::maxY(area) - size.height());
    return QPoint(x, y);
}

} // namespace

KPUtilityWindow::KPUtilityWindow(StatusItem* statusItem, const QString& title, int width,
                                 int height)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_statusItem(statusItem)
{
    m_titleBarLine = new QWidget(this);
    m_titleLabel = new QLabel(QString(), this);
    m_utilityView = new QWidget(this);
    setWindowTitle(title);
    m_titleBarLine->setAutoFillBackground(true);
    m_titleLabel->setText(title);
    m_titleLabel->adjustSize();
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_closeButton = new QToolButton(this);
    m_closeButton->setAutoRaise(true);
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_closeButton->setToolTip(tr("Close"));
    m_closeButton->setAccessibleName(tr("Close"));
    m_closeButton->setIconSize(QSize(10, 10));
    // The title keeps 20 clear on each side, where the close button sits.
    layOut(std::max(width, m_titleLabel->width() + 40), height);
    connect(m_closeButton, &QToolButton::clicked, this, &QWidget::close);

    applyColors();
}

KPUtilityWindow::~KPUtilityWindow() = default;

void KPUtilityWindow::fitWidth(int contentWidth)
{
    if (contentWidth > width())
        layOut(contentWidth, height());
}

void KPUtilityWindow::layOut(int width, int height)
{
    setFixedSize(width, height);
    Frame::set(m_titleBarLine, QRect(0, height - titleBarHeight, width, 1));
    const int labelWidth = width - 40;
    Frame::set(m_titleLabel,
               QRect((width - labelWidth) / 2, Frame::maxY(Frame::of(m_titleBarLine)) + 2,
                     labelWidth, m_titleLabel->height()));
    Frame::set(m_utilityView, QRect(0, 0, width, Frame::of(m_titleBarLine).y()));
    // In the title bar's right margin, clear of the title.
    const int aboveRule = Frame::maxY(Frame::of(m_titleBarLine));
    Frame::set(m_closeButton, QRect(width - 4 - closeButtonSize,
                                    aboveRule + (height - aboveRule - closeButtonSize) / 2,
                                    closeButtonSize, closeButtonSize));
}

void KPUtilityWindow::makeKeyAndOrderFront()
{
    move(Frame::toQtScreen(QRect(windowOrigin(), size())).topLeft());
    show();
    raise();
    activateWindow();
}

QPoint KPUtilityWindow::windowOrigin() const
{
    const std::optional<QRect> button = anchorGeometry(m_statusItem);
    const QPoint onScreen = button ? button->center() : QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(onScreen);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(onScreen, size());
    if (button) {
        const QPoint topLeft = WindowPlacement::beside(*button, size(), area, gapBelowStatusItem);
        return Frame::fromQtScreen(QRect(topLeft, size())).topLeft();
    }
    const QPoint m = Frame::fromQtScreen(onScreen);
    return clampedInto(Frame::fromQtScreen(area), QPoint(m.x() - width() / 2, m.y()), size());
}

void KPUtilityWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_closeButton)
        applyColors();
}

void KPUtilityWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void KPUtilityWindow::applyColors()
{
    QPalette rule = m_titleBarLine->palette();
    rule.setColor(QPalette::Window, SystemStyle::quaternaryLabelColor(palette()));
    m_titleBarLine->setPalette(rule);
    QPalette title = m_titleLabel->palette();
    title.setColor(QPalette::WindowText, SystemStyle::secondaryLabelColor(palette()));
    m_titleLabel->setPalette(title);
    m_closeButton->setIcon(Images::templateIcon(QStringLiteral("KPClose"),
                                                m_closeButton->iconSize(),
                                                SystemStyle::secondaryLabelColor(palette())));
}
