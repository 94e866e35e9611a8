#include "X11SystemTray.h"

#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QHash>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kSystemTrayRequestDock = 0;
constexpr uint32_t kXEmbedVersion = 0;
constexpr uint32_t kXEmbedMapped = 1 << 0;

// ICCCM WM_SIZE_HINTS flags and layout (18 CARD32s).
constexpr uint32_t kPMinSize = 1 << 4;
constexpr uint32_t kPBaseSize = 1 << 8;
constexpr uint32_t kPSize = 1 << 3;

} // namespace

std::unique_ptr<X11SystemTray> X11SystemTray::forApplication()
{
    const std::optional<X11Connection> x11 = X11Connection::forApplication();
    if (!x11)
        return nullptr;
    return std::make_unique<X11SystemTray>(x11->connection, x11->screenNumber);
}

void X11SystemTray::setApplicationClass(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    static const char wmClass[] = "zembrak\0zembrak"; // with its final NUL: 16 bytes
    xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()),
                        XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof wmClass, wmClass);
}

X11SystemTray::X11SystemTray(xcb_connection_t* connection, int screenNumber)
    : m_connection(connection)
{
    m_root = X11Connection::rootOf(connection, screenNumber);

    const QByteArray selection = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber);
    m_selection = atom(selection.constData());
    m_managerAtom = atom("MANAGER");
    m_opcode = atom("_NET_SYSTEM_TRAY_OPCODE");
    m_embedInfo = atom("_XEMBED_INFO");
    m_colors = atom("_NET_SYSTEM_TRAY_COLORS");
    m_compositingSelection = atom(("_NET_WM_CM_S" + QByteArray::number(screenNumber)).constData());

    // A tray that starts later announces itself to the root with MANAGER.
    selectEvents(m_root, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    findManager();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11SystemTray::~X11SystemTray()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

xcb_atom_t X11SystemTray::atom(const char* name) const
{
    const auto cookie = xcb_intern_atom(m_connection, false, uint16_t(std::strlen(name)), name);
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

void X11SystemTray::selectEvents(xcb_window_t window, uint32_t mask) const
{
    // The event mask is per client: keep whatever Qt already selected.
    const auto cookie = xcb_get_window_attributes(m_connection, window);
    XcbReply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(m_connection, cookie, nullptr));
    if (!reply)
        return;
    const uint32_t value = reply->your_event_mask | mask;
    xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &value);
}

xcb_window_t X11SystemTray::ownerOf(xcb_atom_t selection) const
{
    const auto cookie = xcb_get_selection_owner(m_connection, selection);
    XcbReply<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(m_connection, cookie, nullptr));
    return reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
}

void X11SystemTray::findManager()
{
    m_manager = ownerOf(m_selection);
    if (m_manager == XCB_WINDOW_NONE)
        return;
    // Its DestroyNotify tells us when the tray quits; a PropertyNotify, new colours.
    selectEvents(m_manager, XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE);
    xcb_flush(m_connection);
}

bool X11SystemTray::requestDock(xcb_window_t window)
{
    if (m_manager == XCB_WINDOW_NONE)
        return false;
    const uint32_t info[2] = {kXEmbedVersion, kXEmbedMapped};
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, m_embedInfo, m_embedInfo, 32,
                        2, info);
    // Our own window's reparenting tells when the tray took it.
    selectEvents(window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);

    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = m_manager;
    event.type = m_opcode;
    event.data.data32[0] = XCB_CURRENT_TIME;
    event.data.data32[1] = kSystemTrayRequestDock;
    event.data.data32[2] = window;
    m_dockedWindow = window;
    m_dockSequence = xcb_send_event(m_connection, false, m_manager, XCB_EVENT_MASK_NO_EVENT,
                                    reinterpret_cast<const char*>(&event))
                         .sequence;
    xcb_flush(m_connection);
    return true;
}

void X11SystemTray::setRequestedSize(xcb_window_t window, QSize size) const
{
    // Trays built on GtkSocket size their socket from the minimum (else base)
    // size and look again whenever WM_NORMAL_HINTS changes.
    uint32_t hints[18] = {};
    hints[0] = kPSize | kPMinSize | kPBaseSize;
    hints[3] = uint32_t(size.width()); // size (obsolete but still read)
    hints[4] = uint32_t(size.height());
    hints[5] = uint32_t(size.width()); // min
    hints[6] = uint32_t(size.height());
    hints[15] = uint32_t(size.width()); // base
    hints[16] = uint32_t(size.height());
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    xcb_flush(m_connection);
}

QRect X11SystemTray::rootGeometry(xcb_window_t window) const
{
    const auto geometryCookie = xcb_get_geometry(m_connection, window);
    const auto translateCookie = xcb_translate_coordinates(m_connection, window, m_root, 0, 0);
    XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(m_connection, geometryCookie, nullptr));
    XcbReply<xcb_translate_coordinates_reply_t> origin(
        xcb_translate_coordinates_reply(m_connection, translateCookie, nullptr));
    if (!geometry || !origin)
        return QRect();
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
}

QSize X11SystemTray::socketSize() const
{
    if (m_socket == XCB_WINDOW_NONE)
        return QSize();
    const auto cookie = xcb_get_geometry(m_connection, m_socket);
    XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(m_connection, cookie, nullptr));
    return geometry ? QSize(geometry->width, geometry->height) : QSize();
}

std::optional<QColor> X11SystemTray::foregroundColor() const
{
    if (m_manager == XCB_WINDOW_NONE)
        return std::nullopt;
    // Foreground, error, warning and success as red, green, blue of 16 bits each.
    const auto cookie =
        xcb_get_property(m_connection, false, m_manager, m_colors, XCB_ATOM_CARDINAL, 0, 3);
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection, cookie, nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 12)
        return std::nullopt;
    const auto* rgb = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QColor::fromRgba64(quint16(rgb[0]), quint16(rgb[1]), quint16(rgb[2]));
}

std::optional<QColor> X11SystemTray::colorAround(xcb_window_t window) const
{
    constexpr int ring = 2;
    const auto rootCookie = xcb_get_geometry(m_connection, m_root);
    XcbReply<xcb_get_geometry_reply_t> root(
        xcb_get_geometry_reply(m_connection, rootCookie, nullptr));
    const QRect item = rootGeometry(window);
    if (!root || item.isEmpty())
        return std::nullopt;
    // Only the panel's own pixels: an item as tall as its panel has the desktop beside it.
    const QRect area = item.adjusted(-ring, -ring, ring, ring) &
                       QRect(0, 0, root->width, root->height) & topLevelGeometry(window);
    const auto cookie =
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, int16_t(area.x()),
                      int16_t(area.y()), uint16_t(area.width()), uint16_t(area.height()), ~0u);
    XcbReply<xcb_get_image_reply_t> image(xcb_get_image_reply(m_connection, cookie, nullptr));
    // 24-bit colour in 32-bit pixels, as servers keep it nearly everywhere.
    if (!image || image->depth < 24 ||
        xcb_get_image_data_length(image.get()) != area.width() * area.height() * 4)
        return std::nullopt;
    const auto* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image.get()));
    QHash<QRgb, int> seen;
    std::pair<QRgb, int> most{0, 0};
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            if (item.contains(area.topLeft() + QPoint(x, y)))
                continue;
            const QRgb rgb = pixels[y * area.width() + x] & 0xffffff;
            const int count = ++seen[rgb];
            if (count > most.second)
                most = {rgb, count};
        }
    }
    if (most.second == 0)
        return std::nullopt;
    return QColor::fromRgb(most.first);
}

namespace {

// The window's pixels as shown (24-bit colour in 32-bit pixels, as servers keep it
// nearly everywhere), or a null image.
QImage windowImage(xcb_connection_t* connection, xcb_window_t window, const QRect& area)
{
    const QSize size = area.size();
    const auto cookie =
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(area.x()),
                      int16_t(area.y()), uint16_t(size.width()), uint16_t(size.height()), ~0u);
    XcbReply<xcb_get_image_reply_t> reply(xcb_get_image_reply(connection, cookie, nullptr));
    if (!reply || reply->depth < 24 ||
        xcb_get_image_data_length(reply.get()) != size.width() * size.height() * 4)
        return QImage();
    return QImage(xcb_get_image_data(reply.get()), size.width(), size.height(),
                  QImage::Format_RGB32)
        .copy();
}

} // namespace

std::optional<QImage> X11SystemTray::panelBehind(xcb_window_t window) const
{
    if (m_socket == XCB_WINDOW_NONE || composited())
        return std::nullopt;
    const auto ownCookie = xcb_get_geometry(m_connection, window);
    const auto socketCookie = xcb_get_geometry(m_connection, m_socket);
    XcbReply<xcb_get_geometry_reply_t> own(
        xcb_get_geometry_reply(m_connection, ownCookie, nullptr));
    XcbReply<xcb_get_geometry_reply_t> socket(
        xcb_get_geometry_reply(m_connection, socketCookie, nullptr));
    // A parent's background is only taken at the parent's depth.
    if (!own || !socket || own->depth != socket->depth)
        return std::nullopt;
    const QRect size(0, 0, own->width, own->height);
    const QImage drawn = windowImage(m_connection, window, size);
    const uint32_t parentRelative = XCB_BACK_PIXMAP_PARENT_RELATIVE;
    xcb_change_window_attributes(m_connection, window, XCB_CW_BACK_PIXMAP, &parentRelative);
    xcb_clear_area(m_connection, false, window, 0, 0, 0, 0);
    const QImage behind = windowImage(m_connection, window, size);
    // A tray whose sockets have no background of their own leaves the window as
    // drawn, or shows a fill of its own: the panel's pixels continue those around.
    if (behind.isNull() || behind == drawn || !continuesAround(behind, rootGeometry(window)))
        return std::nullopt;
    return behind;
}

std::optional<QImage> X11SystemTray::panelStripes(xcb_window_t window) const
{
    if (composited())
        return std::nullopt;
    const QRect item = rootGeometry(window);
    const QRect panel = topLevelGeometry(window);
    if (item.isEmpty() || !panel.contains(item))
        return std::nullopt;
    const QImage shown = windowImage(m_connection, m_root, panel);
    if (shown.isNull())
        return std::nullopt;
    // A panel along the top or bottom has its stripes in rows, one at a side in columns.
    const bool rows = panel.width() >= panel.height();
    const QRect own = item.translated(-panel.topLeft());
    const int lines = rows ? own.height() : own.width();
    const int length = rows ? shown.width() : shown.height();
    const int beside = length - (rows ? own.width() : own.height());
    QImage behind(item.size(), QImage::Format_RGB32);
    for (int line = 0; line < lines; ++line) {
        QHash<QRgb, int> seen;
        std::pair<QRgb, int> most{0, 0};
        for (int along = 0; along < length; ++along) {
            const QPoint at = rows ? QPoint(along, own.y() + line) : QPoint(own.x() + line, along);
            if (own.contains(at))
                continue;
            const int count = ++seen[shown.pixel(at)];
            if (count > most.second)
                most = {shown.pixel(at), count};
        }
        // Applets are small beside the panel's length: a line they fill half of is no stripe.
        if (most.second * 2 < beside)
            return std::nullopt;
        for (int across = 0; across < (rows ? own.width() : own.height()); ++across)
            behind.setPixel(rows ? QPoint(across, line) : QPoint(line, across), most.first);
    }
    return behind;
}

QRect X11SystemTray::topLevelGeometry(xcb_window_t window) const
{
    for (int depth = 0; depth < 32; ++depth) {
        const auto cookie = xcb_query_tree(m_connection, window);
        XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(m_connection, cookie, nullptr));
        if (!tree)
            return QRect();
        if (tree->parent == m_root || tree->parent == XCB_WINDOW_NONE)
            return rootGeometry(window);
        window = tree->parent;
    }
    return QRect();
}

bool X11SystemTray::continuesAround(const QImage& inside, const QRect& onRoot) const
{
    const QRect ring = onRoot.adjusted(-1, -1, 1, 1);
    const QImage around = windowImage(m_connection, m_root, ring);
    if (around.isNull())
        return false;
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b)) <=
               40;
    };
    int matching = 0;
    int compared = 0;
    const auto compare = [&](int x, int y, int outsideX, int outsideY) {
        ++compared;
        matching += near(inside.pixel(x, y), around.pixel(outsideX + 1, outsideY + 1));
    };
    for (int y = 0; y < inside.height(); ++y) {
        compare(0, y, -1, y);
        compare(inside.width() - 1, y, inside.width(), y);
    }
    for (int x = 0; x < inside.width(); ++x) {
        compare(x, 0, x, -1);
        compare(x, inside.height() - 1, x, inside.height());
    }
    return compared > 0 && matching * 4 >= compared * 3;
}

bool X11SystemTray::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & ~0x80) {
    case XCB_CLIENT_MESSAGE: {
        const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
        // The tray we found at start announces itself too, often after we
        // asked it to dock us: a second request would have it embed us twice.
        if (client->window == m_root && client->type == m_managerAtom &&
            client->data.data32[1] == m_selection) {
            const xcb_window_t before = m_manager;
            findManager();
            if (m_manager != before)
                Q_EMIT managerChanged();
        }
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto* destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
        if (destroyed->window == m_manager && m_manager != XCB_WINDOW_NONE) {
            findManager(); // another tray may have taken over already
            Q_EMIT managerChanged();
        }
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (property->window == m_manager && property->atom == m_colors)
            Q_EMIT colorsChanged();
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto* reparent = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        // Reparenting done before the request (Qt taking the window out of
        // another parent of ours) is not the tray's answer.
        const auto sinceRequest = int16_t(uint16_t(event->sequence - uint16_t(m_dockSequence)));
        if (reparent->event == reparent->window && reparent->window == m_dockedWindow &&
            sinceRequest >= 0) {
            const bool toRoot = reparent->parent == m_root;
            m_socket = toRoot ? xcb_window_t(XCB_WINDOW_NONE) : reparent->parent;
            // The socket's ConfigureNotify tells when the tray gives it another size.
            if (!toRoot)
                selectEvents(m_socket, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
            Q_EMIT windowReparented(reparent->window, toRoot);
        }
        break;
    }
    case XCB_CONFIGURE_NOTIFY: {
        const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
        if (configure->window == m_socket && configure->event == m_socket)
            Q_EMIT socketResized(QSize(configure->width, configure->height));
        break;
    }
    default:
        break;
    }
    return false; // Qt still sees every event
}
