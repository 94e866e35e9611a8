#include "StatusNotifierStatusItem.h"

#include "SniTimeIcon.h"
#include "StatusNotifierItemAdaptor.h"

#include <QCoreApplication>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Hosts redraw on every NewIcon: bursts of changes are sent once. The time
// changes once a second, so each of its changes goes out as it happens.
constexpr std::chrono::milliseconds kMinIconInterval{500};

// Hosts that keep the icon's shape take the largest picture (waybar does);
// hosts that fit it into a square ask Qt's icon engine for the smallest picture
// at least as large as their slot (KDE Plasma does). So the time in the view's
// shape comes as the largest picture, at twice its size, and squares cover the
// usual tray slots below it.
constexpr int kSquareSizes[] = {22, 32, 44};

constexpr int kCommonPanelThickness = 32;

bool changesLook(QEvent::Type type)
{
    switch (type) {
    case QEvent::LayoutRequest: // a label's text changed
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::ChildRemoved:
        return true;
    default:
        return false;
    }
}

} // namespace

StatusNotifierStatusItem::StatusNotifierStatusItem(const QDBusConnection& connection)
    : m_connection(connection)
{
    StatusNotifierItemAdaptor::registerTypes();
    m_adaptor = new StatusNotifierItemAdaptor(this);

    static int items = 0;
    const QString name = QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(++items);
    if (m_connection.isConnected() && m_connection.registerService(name) &&
        m_connection.registerObject(QString::fromLatin1(kObjectPath), this,
                                    QDBusConnection::ExportAdaptors))
        m_serviceName = name;

    connect(this, &StatusItem::labelTextChanged, this, [this](const QString& text) {
        Q_EMIT m_adaptor->XAyatanaNewLabel(text, labelGuide());
        scheduleIconRefresh();
    });
    connect(this, &StatusItem::appearanceChanged, this,
            &StatusNotifierStatusItem::scheduleIconRefresh);
    connect(this, &StatusItem::lengthChanged, this, &StatusNotifierStatusItem::scheduleIconRefresh);
    connect(this, &StatusItem::toolTipChanged, this,
            &StatusNotifierStatusItem::scheduleIconRefresh);
    watchContent(button());

    // A panel that starts or restarts after us registers the item anew.
    m_watcherWatch = new QDBusServiceWatcher(QString::fromLatin1(kWatcherService), m_connection,
                                             QDBusServiceWatcher::WatchForRegistration, this);
    connect(m_watcherWatch, &QDBusServiceWatcher::serviceRegistered, this,
            &StatusNotifierStatusItem::registerWithWatcher);
    registerWithWatcher();
}

StatusNotifierStatusItem::~StatusNotifierStatusItem()
{
    if (m_serviceName.isEmpty())
        return;
    m_connection.unregisterObject(QString::fromLatin1(kObjectPath));
    m_connection.unregisterService(m_serviceName);
}

void StatusNotifierStatusItem::registerWithWatcher()
{
    if (m_serviceName.isEmpty())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kWatcherService), QStringLiteral("/StatusNotifierWatcher"),
        QString::fromLatin1(kWatcherService), QStringLiteral("RegisterStatusNotifierItem"));
    call << m_serviceName;
    auto* pending = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                m_registered = !finished->isError();
                if (m_registered)
                    Q_EMIT registeredWithWatcher();
            });
}

SniToolTip StatusNotifierStatusItem::toolTip() const
{
    SniToolTip tip;
    tip.title = toolTipTitle().isEmpty() ? QStringLiteral("Zembrak") : toolTipTitle();
    tip.description = toolTipText().isEmpty() ? labelText() : toolTipText();
    return tip;
}

QString StatusNotifierStatusItem::title() const
{
    const SniToolTip tip = toolTip();
    return tip.description.isEmpty()
               ? QStringLiteral("Zembrak")
               : QStringLiteral("Zembrak: %1, %2").arg(tip.title, tip.description);
}

QString StatusNotifierStatusItem::labelGuide() const
{
    QString guide = labelText();
    for (QChar& c : guide)
        if (c.isDigit())
            c = QLatin1Char('0');
    return guide;
}

void StatusNotifierStatusItem::activate(QPoint at)
{
    m_lastActivation = at;
    m_activationKnown = at != QPoint(0, 0);
    Q_EMIT activated();
}

void StatusNotifierStatusItem::secondaryActivate(QPoint at)
{
    m_lastActivation = at;
    m_activationKnown = at != QPoint(0, 0);
    Q_EMIT secondaryActivated();
}

QRect StatusNotifierStatusItem::buttonGeometry() const
{
    const QSize size = button()->size().expandedTo(QSize(1, 1));
    const QScreen* screen = m_activationKnown ? QGuiApplication::screenAt(m_lastActivation)
                                              : QGuiApplication::primaryScreen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    if (!m_activationKnown)
        return QRect(available.right() + 1 - size.width(), available.top() - 1, size.width(), 1);
    // The host's panel holds the click. Where the work area leaves the panel
    // out, the panel ends at its edge; where it does not (XWayland under a
    // Wayland panel), the panel is taken to reach twice the click's distance
    // from the nearer screen edge (icons sit midway across a panel), and at
    // least as far as a common panel's thickness. Windows hang from that
    // stretch, never over the panel.
    const QRect full = screen ? screen->geometry() : available;
    const QPoint at = m_lastActivation;
    const int left = at.x() - size.width() / 2;
    const int right = left + size.width() - 1;
    const int fromTop = at.y() - full.top();
    const int fromBottom = full.bottom() - at.y();
    if (fromTop <= fromBottom) {
        const int bottom = available.top() > full.top()
                               ? available.top() - 1
                               : full.top() + std::max(2 * fromTop, kCommonPanelThickness - 1);
        return QRect(QPoint(left, full.top()), QPoint(right, bottom));
    }
    const int top = available.bottom() < full.bottom()
                        ? available.bottom() + 1
                        : full.bottom() - std::max(2 * fromBottom, kCommonPanelThickness - 1);
    return QRect(QPoint(left, top), QPoint(right, full.bottom()));
}

void StatusNotifierStatusItem::watchContent(QObject* object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watchContent(child);
}

bool StatusNotifierStatusItem::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        watchContent(static_cast<QChildEvent*>(event)->child());
        scheduleIconRefresh();
    } else if (changesLook(event->type())) {
        scheduleIconRefresh();
    }
    return StatusItem::eventFilter(watched, event);
}

void StatusNotifierStatusItem::scheduleIconRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    RunLoop& loop = RunLoop::main();
    std::chrono::milliseconds delay{0};
    if (m_everRefreshed) {
        const auto since =
            std::chrono::duration_cast<std::chrono::milliseconds>(loop.now() - m_lastRefresh);
        if (since < kMinIconInterval)
            delay = kMinIconInterval - since;
    }
    loop.postAfter(delay, this, [this] {
        m_refreshPending = false;
        refreshIcon();
    });
}

void StatusNotifierStatusItem::refreshIcon()
{
    m_lastRefresh = RunLoop::main().now();
    m_everRefreshed = true;
    const QString shownTitle = title();
    if (shownTitle != m_lastTitle) {
        m_lastTitle = shownTitle;
        Q_EMIT m_adaptor->NewTitle();
        Q_EMIT m_adaptor->NewToolTip();
    }
    // The pictures follow from the text, its colour and the view's shape alone:
    // a repaint that keeps them sends nothing.
    const QSize wide = button()->size() * 2;
    const QString key = QStringLiteral("%1 %2 %3x%4")
                            .arg(labelText(), accentColor().name(QColor::HexArgb))
                            .arg(wide.width())
                            .arg(wide.height());
    if (key == m_lastIconKey)
        return;
    m_lastIconKey = key;
    m_icons.clear();
    if (!wide.isEmpty()) {
        for (int size : kSquareSizes)
            m_icons.append(SniIconPixmap::fromImage(
                SniTimeIcon::render(labelText(), accentColor(), QSize(size, size))));
        m_icons.append(
            SniIconPixmap::fromImage(SniTimeIcon::render(labelText(), accentColor(), wide)));
    }
    Q_EMIT m_adaptor->NewIcon();
}
