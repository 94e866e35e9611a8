#include "StatusNotifierStatusItem.h"

#include "DBusMenu.h"
#include "SniTimeIcon.h"
#include "platform/Workspace.h"
#include "platform/bus/BusService.h"
#include "platform/tray/TrayTimeLayout.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <systemd/sd-bus.h>

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

// After registering: the host has made its item of us by then.
constexpr std::chrono::milliseconds kLabelNudgeDelay{1000};

// GNOME's AppIndicator extension (and Unity before it) draws the label beside
// the icon: digits in the icon too would show the time twice.
bool hostDrawsLabel()
{
    return Workspace::isDesktop(QStringLiteral("GNOME")) ||
           Workspace::isDesktop(QStringLiteral("Unity"));
}

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

QString nextServiceName()
{
    static int items = 0;
    return QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(++items);
}

using Outcome = std::optional<BusService::Error>;

QPoint pointOf(const QVariantList& arguments)
{
    return QPoint(arguments.value(0).toInt(), arguments.value(1).toInt());
}

QVariant noText()
{
    return QString();
}

int noPixmaps(sd_bus_message* reply)
{
    return appendTo(reply, SniIconPixmapList());
}

} // namespace

StatusNotifierStatusItem::StatusNotifierStatusItem()
    : m_service(std::make_unique<BusService>(nextServiceName(), QString::fromLatin1(kObjectPath))),
      m_menu(std::make_unique<DBusMenu>(*m_service)), m_slots(m_service->connection()),
      m_calls(m_service->connection(), std::chrono::seconds(25))
{
    exportInterface();
    connect(this, &StatusItem::menuChanged, this, [this] { m_menu->setMenu(menu()); });
    connect(m_service.get(), &BusService::nameAcquired, this,
            &StatusNotifierStatusItem::followWatcher);
    connect(this, &StatusItem::labelTextChanged, this, [this](const QString& text) {
        m_service->send(QString::fromLatin1(kInterface), "XAyatanaNewLabel", {text, labelGuide()});
        scheduleIconRefresh();
    });
    connect(this, &StatusItem::appearanceChanged, this,
            &StatusNotifierStatusItem::scheduleIconRefresh);
    connect(this, &StatusItem::lengthChanged, this, &StatusNotifierStatusItem::scheduleIconRefresh);
    connect(this, &StatusItem::toolTipChanged, this,
            &StatusNotifierStatusItem::scheduleIconRefresh);
    watchContent(button());

    m_service->start();
}

StatusNotifierStatusItem::~StatusNotifierStatusItem() = default;

void StatusNotifierStatusItem::exportInterface()
{
    const auto text = [](QString (StatusNotifierStatusItem::*read)() const, const auto* self) {
        return [read, self] { return QVariant((self->*read)()); };
    };
    const auto constant = [](QVariant value) { return [value] { return value; }; };
    m_service->addInterface(
        QString::fromLatin1(kInterface),
        {{"Activate", "ii",
          [this](const QVariantList& at) -> Outcome {
              activate(pointOf(at));
              return {};
          }},
         {"SecondaryActivate", "ii",
          [this](const QVariantList& at) -> Outcome {
              secondaryActivate(pointOf(at));
              return {};
          }},
         {"ContextMenu", "ii",
          [this](const QVariantList& at) -> Outcome {
              secondaryActivate(pointOf(at));
              return {};
          }},
         // Scrolling the time has no meaning here.
         {"Scroll", "is", [](const QVariantList&) -> Outcome { return {}; }}},
        {{"Category", "s", constant(QStringLiteral("ApplicationStatus"))},
         {"Id", "s", constant(QStringLiteral("zembrak"))},
         {"Title", "s", text(&StatusNotifierStatusItem::title, this)},
         {"Status", "s", constant(QStringLiteral("Active"))},
         {"WindowId", "i", constant(0)},
         {"IconThemePath", "s", &noText},
         {"IconName", "s", &noText},
         {"IconPixmap",
          "a(iiay)",
          {},
          [this](sd_bus_message* reply) { return appendTo(reply, m_icons); }},
         {"OverlayIconName", "s", &noText},
         {"OverlayIconPixmap", "a(iiay)", {}, &noPixmaps},
         {"AttentionIconName", "s", &noText},
         {"AttentionIconPixmap", "a(iiay)", {}, &noPixmaps},
         {"AttentionMovieName", "s", &noText},
         {"ToolTip",
          "(sa(iiay)ss)",
          {},
          [this](sd_bus_message* reply) { return appendTo(reply, toolTip()); }},
         {"ItemIsMenu", "b", constant(false)},
         {"Menu",
          "o",
          {},
          [](sd_bus_message* reply) {
              return sd_bus_message_append(reply, "o", DBusMenu::kObjectPath);
          }},
         {"IconAccessibleDesc", "s", text(&StatusNotifierStatusItem::title, this)},
         {"AttentionAccessibleDesc", "s", &noText},
         {"XAyatanaLabel", "s", text(&StatusItem::labelText, this)},
         {"XAyatanaLabelGuide", "s", text(&StatusNotifierStatusItem::labelGuide, this)}},
        {{"NewTitle", ""},
         {"NewIcon", ""},
         {"NewAttentionIcon", ""},
         {"NewOverlayIcon", ""},
         {"NewToolTip", ""},
         {"NewStatus", "s"},
         {"XAyatanaNewLabel", "ss"}});
}

void StatusNotifierStatusItem::followWatcher()
{
    m_serviceName = m_service->name();
    // A panel that starts or restarts after us registers the item anew.
    const QByteArray match = QByteArrayLiteral("type='signal',sender='org.freedesktop.DBus',"
                                               "member='NameOwnerChanged',arg0='") +
                             kWatcherService + '\'';
    sd_bus_add_match_async(
        m_service->connection().bus(), m_slots.add(), match.constData(),
        [](sd_bus_message* message, void* self, sd_bus_error*) {
            const char* name = nullptr;
            const char* oldOwner = nullptr;
            const char* newOwner = nullptr;
            if (sd_bus_message_read(message, "sss", &name, &oldOwner, &newOwner) > 0 && *newOwner)
                static_cast<StatusNotifierStatusItem*>(self)->registerWithWatcher();
            return 0;
        },
        nullptr, this);
    registerWithWatcher();
}

void StatusNotifierStatusItem::registerWithWatcher()
{
    // Registered by the connection's own name, not the well-known one: given
    // that, GNOME's AppIndicator extension also watches the name, and its first
    // report of it can wipe the properties the extension has just read, which
    // makes it drop the item.
    const char* unique = nullptr;
    sd_bus* bus = m_service->connection().bus();
    const QByteArray name = bus && sd_bus_get_unique_name(bus, &unique) >= 0 && unique
                                ? QByteArray(unique)
                                : m_serviceName.toUtf8();
    m_calls.call(
        kWatcherService, "/StatusNotifierWatcher", kWatcherService, "RegisterStatusNotifierItem",
        [this](sd_bus_message* reply) {
            m_registered = BusCalls::succeeded(reply);
            if (m_registered && hostDrawsLabel())
                RunLoop::main().postAfter(kLabelNudgeDelay, this, [this] { nudgeLabel(); });
            if (m_registered)
                Q_EMIT registeredWithWatcher();
        },
        [&name](sd_bus_message* call) {
            return sd_bus_message_append(call, "s", name.constData());
        });
}

void StatusNotifierStatusItem::nudgeLabel()
{
    // GNOME's extension (GNOME 48's) draws the label it read on registering only
    // once the label changes: a change and straight back, which it takes as one.
    const QString guide = labelGuide();
    for (const QString& text : {labelText() + QLatin1Char(' '), labelText()})
        m_service->send(QString::fromLatin1(kInterface), "XAyatanaNewLabel", {text, guide});
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

QString StatusNotifierStatusItem::textFor(QSize icon) const
{
    // The view's one row, scaled to the icon's height, against the icon's width:
    // the rule the docked view follows in a tray's slot.
    const QSize view = button()->size();
    const int width = view.height() > 0 ? view.width() * icon.height() / view.height() : 0;
    const bool square = TrayTimeLayout::choose(TrayTimeLayout::Form::oneRow, width, icon) ==
                        TrayTimeLayout::Form::square;
    return square && !squareText().isEmpty() ? squareText() : labelText();
}

void StatusNotifierStatusItem::refreshIcon()
{
    m_lastRefresh = RunLoop::main().now();
    m_everRefreshed = true;
    const QString shownTitle = title();
    if (shownTitle != m_lastTitle) {
        m_lastTitle = shownTitle;
        m_service->send(QString::fromLatin1(kInterface), "NewTitle", {});
        m_service->send(QString::fromLatin1(kInterface), "NewToolTip", {});
    }
    // The pictures follow from the text, its colour and the view's shape alone:
    // a repaint that keeps them sends nothing.
    const QSize wide = button()->size() * 2;
    // Beside a label the icon holds no text: the seconds do not change it.
    const bool textShown = !hostDrawsLabel();
    const QString key =
        QStringLiteral("%1 %2 %3 %4x%5")
            .arg(textShown ? labelText() : QString(), textShown ? squareText() : QString(),
                 accentColor().name(QColor::HexArgb))
            .arg(wide.width())
            .arg(wide.height());
    if (key == m_lastIconKey)
        return;
    m_lastIconKey = key;
    m_icons.clear();
    if (!wide.isEmpty() && !textShown) {
        for (int size : kSquareSizes)
            m_icons.append(
                SniIconPixmap::fromImage(SniTimeIcon::marker(accentColor(), QSize(size, size))));
    } else if (!wide.isEmpty()) {
        for (int size : kSquareSizes)
            m_icons.append(SniIconPixmap::fromImage(
                SniTimeIcon::render(textFor(QSize(size, size)), accentColor(), QSize(size, size))));
        m_icons.append(
            SniIconPixmap::fromImage(SniTimeIcon::render(textFor(wide), accentColor(), wide)));
    }
    m_service->send(QString::fromLatin1(kInterface), "NewIcon", {});
}
