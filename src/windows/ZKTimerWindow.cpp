#include "ZKTimerWindow.h"

#include "platform/store/Defaults.h"
#include "platform/RunLoop.h"
#include "platform/tray/StatusItemWindow.h"
#include "platform/WindowPlacement.h"
#include "timing/PreferenceKeys.h"
#include "windows/ZKTimerView.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

using Keys = PreferenceKeys;

namespace {

QList<QRect> screenAreas(bool available)
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << (available ? screen->availableGeometry() : screen->geometry());
    return areas;
}

} // namespace

ZKTimerWindow::ZKTimerWindow(KPMenuBarTimeDisplay& display, KPTaskManager* tasks, Defaults& store,
                             QObject* parent)
    : QObject(parent), m_store(store), m_window(std::make_unique<StatusItemWindow>())
{
    m_window->setObjectName(QStringLiteral("ZKTimerWindow"));
    m_window->setWindowTitle(tr("Zembrak Timer"));
    // Chosen by the user, it takes the keyboard when shown, unlike the tray's stand-in.
    m_window->setAttribute(Qt::WA_ShowWithoutActivating, false);
    m_view = new ZKTimerView(display, tasks);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_keepOnTopItem = new QAction(tr("Keep on Top"), m_view);
    m_keepOnTopItem->setCheckable(true);
    m_hideItem = new QAction(tr("Hide Timer Window"), m_view);
    m_view->addActions({m_keepOnTopItem, m_hideItem});
    connect(m_keepOnTopItem, &QAction::triggered, this, &ZKTimerWindow::setKeptOnTop);
    connect(m_hideItem, &QAction::triggered, this, &ZKTimerWindow::hideRequested);
    m_window->hold(m_view);
    m_window->installEventFilter(this);
    setKeptOnTop(Keys::boolean(store, Keys::isTimerWindowOnTop));
    restorePlace();
    // Another set of screens has its own place.
    for (auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved})
        connect(qGuiApp, signal, this,
                [this] { RunLoop::main().post(this, [this] { restorePlace(); }); });
}

ZKTimerWindow::~ZKTimerWindow()
{
    m_window->removeEventFilter(this);
}

bool ZKTimerWindow::isShown() const
{
    return m_window->isVisible();
}

void ZKTimerWindow::setShown(bool shown)
{
    if (!shown) {
        m_window->hide();
        return;
    }
    restorePlace();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool ZKTimerWindow::isKeptOnTop() const
{
    return m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void ZKTimerWindow::setKeptOnTop(bool onTop)
{
    m_store.setBoolean(Keys::isTimerWindowOnTop, onTop);
    m_keepOnTopItem->setChecked(onTop);
    if (isKeptOnTop() == onTop)
        return;
    const bool shown = isShown();
    // A changed flag takes a new native window: shown again where it stood.
    const QPoint at = m_window->pos();
    m_window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    m_window->move(at);
    if (shown)
        m_window->show();
}

void ZKTimerWindow::restorePlace()
{
    const QString setup = WindowPlacement::screenSetup(screenAreas(false));
    const QList<QRect> areas = screenAreas(true);
    const QRect primary = areas.value(0, QRect(0, 0, 800, 600));
    // First shown under the top right corner, clear of a tray's stand-in there.
    const QPoint first(primary.right() + 1 - m_window->width() - 16, primary.top() + 48);
    const QPoint kept =
        WindowPlacement::keptPlace(Keys::stringList(m_store, Keys::timerWindowPlaces), setup)
            .value_or(first);
    m_window->setPlace(WindowPlacement::inside(kept, m_window->size(), areas));
}

void ZKTimerWindow::keepPlace()
{
    const QString setup = WindowPlacement::screenSetup(screenAreas(false));
    const QStringList places = Keys::stringList(m_store, Keys::timerWindowPlaces);
    const QPoint at = m_window->pos();
    if (WindowPlacement::keptPlace(places, setup) != at)
        m_store.setStringArray(Keys::timerWindowPlaces,
                               WindowPlacement::withPlace(places, setup, at));
}

bool ZKTimerWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A drag moves the window many times: the place is kept once it rests.
    if (watched == m_window.get() && event->type() == QEvent::Move && m_window->isVisible() &&
        !m_placeDue) {
        m_placeDue = true;
        RunLoop::main().postAfter(std::chrono::milliseconds(500), this, [this] {
            m_placeDue = false;
            m_window->setPlace(m_window->pos());
            keepPlace();
        });
    }
    return QObject::eventFilter(watched, event);
}
