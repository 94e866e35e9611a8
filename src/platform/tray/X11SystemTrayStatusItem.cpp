#include "X11SystemTrayStatusItem.h"

#include "StatusItemWindow.h"
#include "X11SystemTray.h"
#include "platform/SystemStyle.h"

#include <cmath>

namespace {
constexpr int kButtonHeight = 21;
// A tray that has not taken the button by then is asked again later.
constexpr int kDockTimeoutMs = 3000;
// Tries with one tray before waiting for the next one.
constexpr int kMaxRefusals = 4;
constexpr int kColorSampleDelayMs = 300;
constexpr int kLateColorSampleDelayMs = 500;
constexpr int kColorSamples = 8;
} // namespace

X11SystemTrayStatusItem::X11SystemTrayStatusItem(std::unique_ptr<X11SystemTray> tray)
    : m_tray(std::move(tray))
{
    QWidget* b = button();
    b->setAttribute(Qt::WA_QuitOnClose, false);
    b->setAttribute(Qt::WA_ShowWithoutActivating);
    // A docked top-level has nothing behind it to show through: it is filled
    // with the panel's colour once that is known.
    b->setAttribute(Qt::WA_NoSystemBackground, false);
    b->setAutoFillBackground(true);
    b->setWindowTitle(QStringLiteral("Zembrak"));
    // The panel around a new slot is drawn by then.
    m_colorSample.setSingleShot(true);
    m_colorSample.setInterval(kColorSampleDelayMs);
    connect(&m_colorSample, &QTimer::timeout, this, &X11SystemTrayStatusItem::takePanelColors);

    m_dockTimeout.setSingleShot(true);
    m_dockTimeout.setInterval(kDockTimeoutMs);
    connect(&m_dockTimeout, &QTimer::timeout, this, [this] {
        if (m_state != State::Docking)
            return;
        floatInWindow();
        dockAgainLater();
    });
    connect(m_tray.get(), &X11SystemTray::managerChanged, this,
            &X11SystemTrayStatusItem::managerChanged);
    connect(m_tray.get(), &X11SystemTray::windowReparented, this,
            &X11SystemTrayStatusItem::windowReparented);
    connect(m_tray.get(), &X11SystemTray::socketResized, this, &X11SystemTrayStatusItem::fillSlot);
    connect(m_tray.get(), &X11SystemTray::colorsChanged, this,
            &X11SystemTrayStatusItem::takePanelColors);

    if (m_tray->manager() != XCB_WINDOW_NONE)
        dock();
    else
        floatInWindow();
}

X11SystemTrayStatusItem::~X11SystemTrayStatusItem()
{
    // The button belongs to the base class: take it out of the window first.
    if (m_window)
        m_window->release();
}

QSize X11SystemTrayStatusItem::requestedSize() const
{
    return QSize(std::max(1, int(std::ceil(length()))), kButtonHeight);
}

QSize X11SystemTrayStatusItem::inPixels(QSize size) const
{
    return (QSizeF(size) * button()->devicePixelRatioF()).toSize();
}

void X11SystemTrayStatusItem::managerChanged()
{
    m_refusals = 0;
    if (m_tray->manager() == XCB_WINDOW_NONE) {
        floatInWindow();
        return;
    }
    // A tray that replaced another while we were docked reparents us itself
    // or lets us go to the root, which docks again below.
    if (m_state != State::Docked)
        dock();
}

void X11SystemTrayStatusItem::windowReparented(quint32 window, bool toRoot)
{
    if (window != m_dockedWindow || m_state == State::Floating)
        return;
    if (!toRoot) {
        m_state = State::Docked;
        m_dockTimeout.stop();
        fillSlot(m_tray->socketSize());
        button()->show();
        return;
    }
    // The tray let the button go: it quit (its save-set put us back on the
    // root) or refused us. Wait in the window; a tray that still runs, or
    // the next one, docks us again.
    floatInWindow();
    dockAgainLater();
}

void X11SystemTrayStatusItem::dockAgainLater()
{
    // A tray that let us go, or one too busy to answer (a shell still starting), is
    // asked again, less and less often, before the item keeps to its window.
    if (m_tray->manager() == XCB_WINDOW_NONE || m_refusals >= kMaxRefusals)
        return;
    QTimer::singleShot(kDockTimeoutMs << m_refusals++, this, [this] {
        if (m_state == State::Floating && m_tray->manager() != XCB_WINDOW_NONE)
            dock();
    });
}

void X11SystemTrayStatusItem::dock()
{
    if (m_tray->manager() == XCB_WINDOW_NONE) {
        floatInWindow();
        return;
    }
    QWidget* b = button();
    if (m_window) {
        m_window->release(); // the button is a hidden parentless widget again
        m_window->hide();
    }
    // Override-redirect: no window manager takes the button before the tray does.
    b->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    const QSize size = requestedSize();
    b->setFixedWidth(size.width());
    b->resize(size);
    const auto id = xcb_window_t(b->winId());
    X11SystemTray::setApplicationClass(b);
    m_tray->setRequestedSize(id, inPixels(size));
    m_dockedWindow = id;
    m_state = State::Docking;
    if (!m_tray->requestDock(id)) {
        floatInWindow();
        return;
    }
    m_dockTimeout.start();
}

void X11SystemTrayStatusItem::fillSlot(QSize socket)
{
    // A socket of 1 x 1 is not laid out yet (GtkSocket starts so): taking it
    // would make the tray size the slot from a window one pixel wide.
    if (m_state != State::Docked || socket.width() <= 1 || socket.height() <= 1)
        return;
    // The tray decides the slot, whatever was asked for: the button covers it
    // and the view fits itself inside.
    const QSize slot = (QSizeF(socket) / button()->devicePixelRatioF()).toSize();
    button()->setFixedSize(slot);
    setSlotSize(slot);
    m_colorSamples = 0;
    m_colorSample.start(kColorSampleDelayMs);
}

void X11SystemTrayStatusItem::takePanelColors()
{
    if (m_state != State::Docked)
        return;
    QWidget* b = button();
    const auto id = xcb_window_t(b->winId());
    // The panel's own pixels where the tray lets them through, else its picture as
    // read along the panel, else its commonest colour.
    std::optional<QImage> behind = m_tray->panelBehind(id);
    // Some panels draw their picture well after the slot (lxpanel): look again a while.
    if (!behind && ++m_colorSamples < kColorSamples)
        m_colorSample.start(kLateColorSampleDelayMs);
    if (!behind)
        behind = m_tray->panelStripes(id);
    std::optional<QColor> panel = m_tray->colorAround(id);
    const std::optional<QColor> foreground = m_tray->foregroundColor();
    if (m_tray->composited()) {
        // What the screen shows (GNOME Shell) cannot be read here: a tray that names
        // its text colour is drawn for that text, dark behind light text.
        panel.reset();
        if (foreground)
            panel = QColor(qGray(foreground->rgb()) >= 128 ? Qt::black : Qt::white);
    }
    // The digits stand in the slot's middle band: a panel's border line above or
    // below them (lxpanel's) does not choose their colour.
    const QImage underDigits =
        behind ? behind->copy(0, behind->height() / 5, behind->width(), behind->height() * 3 / 5)
               : QImage();
    if (behind) {
        // Light text on a picture darker than white is lighter than black, else dark.
        const QColor light = SystemStyle::hardestBackground(underDigits, Qt::white);
        const QColor dark = SystemStyle::hardestBackground(underDigits, Qt::black);
        panel = SystemStyle::contrastRatio(Qt::white, light) >=
                        SystemStyle::contrastRatio(Qt::black, dark)
                    ? light
                    : dark;
    }
    if (!panel)
        return;
    // The tray's own text colour where it names one that reads on its panel.
    const QColor text = SystemStyle::textColorOn(*panel, foreground.value_or(QColor()));
    QPalette palette = b->palette();
    if (behind) {
        // The colour the digits must read on: the panel's pixel nearest to them.
        const QColor hardest = SystemStyle::hardestBackground(underDigits, text);
        palette.setBrush(QPalette::Window, QBrush(hardest, QPixmap::fromImage(*behind)));
    } else {
        palette.setColor(QPalette::Window, *panel);
    }
    palette.setColor(QPalette::WindowText, text);
    b->setPalette(palette);
    // Reading the panel cleared the window behind Qt's back: draw it whole again.
    b->repaint();
}

void X11SystemTrayStatusItem::floatInWindow()
{
    m_dockTimeout.stop();
    m_colorSample.stop();
    button()->setPalette(QPalette());
    setSlotSize(QSize());
    m_state = State::Floating;
    m_dockedWindow = 0;
    QWidget* b = button();
    b->setMinimumSize(0, 0);
    b->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    b->resize(requestedSize());
    if (!m_window) {
        m_window = std::make_unique<StatusItemWindow>();
        X11SystemTray::setApplicationClass(m_window.get());
    }
    m_window->hold(b);
    m_window->show();
}

void X11SystemTrayStatusItem::applyLength()
{
    const QSize size = requestedSize();
    QWidget* b = button();
    if (m_state == State::Floating) {
        b->resize(size); // the window follows
        return;
    }
    // Docked, the tray answers with a new slot (or keeps the old one).
    if (m_state == State::Docking) {
        b->setFixedWidth(size.width());
        b->resize(size.width(), b->height());
    }
    m_tray->setRequestedSize(xcb_window_t(b->winId()), inPixels(size));
}

QRect X11SystemTrayStatusItem::buttonGeometry() const
{
    if (m_state != State::Floating) {
        // Qt does not know where the tray put a reparented window.
        const QRect onScreen = m_tray->rootGeometry(xcb_window_t(button()->winId()));
        const qreal scale = button()->devicePixelRatioF();
        if (onScreen.isValid())
            return QRect((QPointF(onScreen.topLeft()) / scale).toPoint(),
                         (QSizeF(onScreen.size()) / scale).toSize());
    }
    return StatusItem::buttonGeometry();
}
