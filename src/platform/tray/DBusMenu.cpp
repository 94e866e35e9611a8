#include "DBusMenu.h"

#include "platform/RunLoop.h"
#include "platform/bus/BusService.h"

#include <QGuiApplication>
#include <algorithm>
#include <iterator>
#include <systemd/sd-bus.h>

namespace {

constexpr std::uint32_t kVersion = 3;
constexpr auto kItem = "(ia{sv}av)";

int readNames(sd_bus_message* message, QStringList& names)
{
    char** strv = nullptr;
    const int r = sd_bus_message_read_strv(message, &strv);
    for (char** name = strv; name && *name; ++name) {
        names << QString::fromUtf8(*name);
        free(*name);
    }
    free(strv);
    return r;
}

int readIds(sd_bus_message* message, std::vector<int>& ids)
{
    const void* data = nullptr;
    size_t size = 0;
    const int r = sd_bus_message_read_array(message, 'i', &data, &size);
    const auto* numbers = static_cast<const int32_t*>(data);
    if (r >= 0)
        ids.assign(numbers, numbers + size / sizeof(int32_t));
    return r;
}

int appendIds(sd_bus_message* message, const std::vector<int>& ids)
{
    std::vector<int32_t> numbers(ids.cbegin(), ids.cend());
    return sd_bus_message_append_array(message, 'i', numbers.data(),
                                       numbers.size() * sizeof(int32_t));
}

int appendValue(sd_bus_message* message, const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return sd_bus_message_append(message, "v", "b", int(value.toBool()));
    return sd_bus_message_append(message, "v", "s", value.toString().toUtf8().constData());
}

// Hosts read an underscore as the mark of an access key.
QString escaped(const QString& label)
{
    return QString(label).replace(QLatin1Char('_'), QStringLiteral("__"));
}

} // namespace

DBusMenu::DBusMenu(BusService& service, QObject* parent) : QObject(parent), m_service(service)
{
    const auto call = [this](auto method) {
        return
            [this, method](sd_bus_message* c, sd_bus_message* r) { return (this->*method)(c, r); };
    };
    const auto aboutToShow = [this](sd_bus_message* c, sd_bus_message* r) {
        int32_t id = 0;
        const int got = sd_bus_message_read(c, "i", &id);
        if (got < 0)
            return got;
        // The commands are always current: nothing to fetch before showing.
        return exists(id) ? sd_bus_message_append(r, "b", 0) : -EINVAL;
    };
    const auto constant = [](const char* type, auto value) {
        return [type, value](sd_bus_message* reply) {
            return sd_bus_message_append(reply, type, value);
        };
    };
    m_service.addInterface(
        QString::fromLatin1(kInterface),
        {{"GetLayout", "iias", {}, "u(ia{sv}av)", call(&DBusMenu::getLayout)},
         {"GetGroupProperties", "aias", {}, "a(ia{sv})", call(&DBusMenu::getGroupProperties)},
         {"GetProperty", "is", {}, "v", call(&DBusMenu::getProperty)},
         {"Event", "isvu", {}, "", call(&DBusMenu::event)},
         {"EventGroup", "a(isvu)", {}, "ai", call(&DBusMenu::eventGroup)},
         {"AboutToShow", "i", {}, "b", aboutToShow},
         {"AboutToShowGroup", "ai", {}, "aiai", call(&DBusMenu::aboutToShowGroup)}},
        {{"Version", "u", {}, constant("u", kVersion)},
         {"TextDirection",
          "s",
          {},
          [](sd_bus_message* reply) {
              const bool rtl = QGuiApplication::layoutDirection() == Qt::RightToLeft;
              return sd_bus_message_append(reply, "s", rtl ? "rtl" : "ltr");
          }},
         {"Status", "s", {}, constant("s", "normal")},
         {"IconThemePath", "as", {}, constant("as", 0)}},
        {{"LayoutUpdated", "ui"},
         {"ItemsPropertiesUpdated", "a(ia{sv})a(ias)"},
         {"ItemActivationRequested", "iu"}},
        QString::fromLatin1(kObjectPath));
}

void DBusMenu::setMenu(const StatusItem::Menu& menu)
{
    const bool sameLayout =
        menu.size() == m_menu.size() &&
        std::equal(menu.cbegin(), menu.cend(), m_menu.cbegin(),
                   [](const auto& a, const auto& b) { return a.separator == b.separator; });
    std::vector<std::pair<int, Properties>> changed;
    for (size_t i = 0; sameLayout && i < menu.size(); ++i) {
        Properties differing;
        if (menu[i].label != m_menu[i].label)
            differing.push_back({"label", escaped(menu[i].label)});
        if (menu[i].enabled != m_menu[i].enabled)
            differing.push_back({"enabled", menu[i].enabled});
        if (!differing.empty())
            changed.emplace_back(int(i + 1), std::move(differing));
    }
    m_menu = menu;
    const QString interface = QString::fromLatin1(kInterface);
    if (!sameLayout) {
        ++m_revision;
        m_service.sendWith(interface, "LayoutUpdated", [this](sd_bus_message* message) {
            return sd_bus_message_append(message, "ui", m_revision, 0);
        });
        return;
    }
    if (changed.empty())
        return;
    m_service.sendWith(interface, "ItemsPropertiesUpdated", [&changed](sd_bus_message* message) {
        int r = sd_bus_message_open_container(message, 'a', "(ia{sv})");
        for (const auto& [id, properties] : changed) {
            if (r >= 0)
                r = appendPropertiesOf(message, id, properties, {});
        }
        if (r >= 0)
            r = sd_bus_message_close_container(message);
        return r < 0 ? r : sd_bus_message_append(message, "a(ias)", 0);
    });
}

DBusMenu::Properties DBusMenu::propertiesOf(int id) const
{
    if (id == 0)
        return {{"children-display", QStringLiteral("submenu")}};
    const StatusItem::MenuEntry& entry = m_menu[size_t(id - 1)];
    if (entry.separator)
        return {{"type", QStringLiteral("separator")}};
    return {{"label", escaped(entry.label)}, {"enabled", entry.enabled}};
}

bool DBusMenu::trigger(int id, const char* event)
{
    if (!exists(id))
        return false;
    if (id == 0 || qstrcmp(event, "clicked") != 0)
        return true; // hovers, openings and closings change nothing here
    const StatusItem::MenuEntry& entry = m_menu[size_t(id - 1)];
    if (entry.separator || !entry.enabled || !entry.triggered)
        return true;
    RunLoop::main().post(this, [command = entry.triggered] { command(); });
    return true;
}

int DBusMenu::getLayout(sd_bus_message* call, sd_bus_message* reply) const
{
    int32_t parent = 0;
    int32_t depth = 0;
    QStringList names;
    int r = sd_bus_message_read(call, "ii", &parent, &depth);
    if (r >= 0)
        r = readNames(call, names);
    if (r < 0)
        return r;
    if (!exists(parent))
        return -EINVAL;
    r = sd_bus_message_append(reply, "u", m_revision);
    return r < 0 ? r : appendItem(reply, parent, depth, names);
}

int DBusMenu::getGroupProperties(sd_bus_message* call, sd_bus_message* reply) const
{
    std::vector<int> ids;
    QStringList names;
    int r = readIds(call, ids);
    if (r >= 0)
        r = readNames(call, names);
    if (r < 0)
        return r;
    if (ids.empty()) {
        for (size_t id = 0; id <= m_menu.size(); ++id)
            ids.push_back(int(id));
    }
    r = sd_bus_message_open_container(reply, 'a', "(ia{sv})");
    for (const int id : ids) {
        // One gone since the host read the layout is left out.
        if (r >= 0 && exists(id))
            r = appendPropertiesOf(reply, id, propertiesOf(id), names);
    }
    return r < 0 ? r : sd_bus_message_close_container(reply);
}

int DBusMenu::getProperty(sd_bus_message* call, sd_bus_message* reply) const
{
    int32_t id = 0;
    const char* name = nullptr;
    const int r = sd_bus_message_read(call, "is", &id, &name);
    if (r < 0)
        return r;
    if (!exists(id))
        return -EINVAL;
    for (const Property& property : propertiesOf(id)) {
        if (property.name == name)
            return appendValue(reply, property.value);
    }
    return -EINVAL;
}

int DBusMenu::event(sd_bus_message* call, sd_bus_message*)
{
    int32_t id = 0;
    const char* name = nullptr;
    int r = sd_bus_message_read(call, "is", &id, &name);
    if (r < 0)
        return r;
    const QByteArray event = name;
    r = sd_bus_message_skip(call, "vu");
    if (r < 0)
        return r;
    return trigger(id, event.constData()) ? 0 : -EINVAL;
}

int DBusMenu::eventGroup(sd_bus_message* call, sd_bus_message* reply)
{
    std::vector<int> unknown;
    int r = sd_bus_message_enter_container(call, 'a', "(isvu)");
    while (r >= 0 && (r = sd_bus_message_enter_container(call, 'r', "isvu")) > 0) {
        int32_t id = 0;
        const char* name = nullptr;
        r = sd_bus_message_read(call, "is", &id, &name);
        const QByteArray event = name;
        if (r >= 0)
            r = sd_bus_message_skip(call, "vu");
        if (r >= 0)
            r = sd_bus_message_exit_container(call);
        if (r >= 0 && !trigger(id, event.constData()))
            unknown.push_back(id);
    }
    if (r >= 0)
        r = sd_bus_message_exit_container(call);
    return r < 0 ? r : appendIds(reply, unknown);
}

int DBusMenu::aboutToShowGroup(sd_bus_message* call, sd_bus_message* reply) const
{
    std::vector<int> ids;
    const int r = readIds(call, ids);
    if (r < 0)
        return r;
    std::vector<int> unknown;
    std::copy_if(ids.cbegin(), ids.cend(), std::back_inserter(unknown),
                 [this](int id) { return !exists(id); });
    const int w = appendIds(reply, {});
    return w < 0 ? w : appendIds(reply, unknown);
}

int DBusMenu::appendItem(sd_bus_message* message, int id, int depth, const QStringList& names) const
{
    int r = sd_bus_message_open_container(message, 'r', "ia{sv}av");
    if (r >= 0)
        r = sd_bus_message_append(message, "i", id);
    if (r >= 0)
        r = appendProperties(message, propertiesOf(id), names);
    if (r >= 0)
        r = sd_bus_message_open_container(message, 'a', "v");
    // Only the root has children; a depth of -1 reaches all of them.
    for (size_t child = 1; id == 0 && depth != 0 && child <= m_menu.size() && r >= 0; ++child) {
        r = sd_bus_message_open_container(message, 'v', kItem);
        if (r >= 0)
            r = appendItem(message, int(child), depth - 1, names);
        if (r >= 0)
            r = sd_bus_message_close_container(message);
    }
    if (r >= 0)
        r = sd_bus_message_close_container(message);
    return r < 0 ? r : sd_bus_message_close_container(message);
}

int DBusMenu::appendPropertiesOf(sd_bus_message* message, int id, const Properties& properties,
                                 const QStringList& names)
{
    int r = sd_bus_message_open_container(message, 'r', "ia{sv}");
    if (r >= 0)
        r = sd_bus_message_append(message, "i", id);
    if (r >= 0)
        r = appendProperties(message, properties, names);
    return r < 0 ? r : sd_bus_message_close_container(message);
}

int DBusMenu::appendProperties(sd_bus_message* message, const Properties& properties,
                               const QStringList& names)
{
    int r = sd_bus_message_open_container(message, 'a', "{sv}");
    for (const Property& property : properties) {
        if (r < 0)
            break;
        if (!names.isEmpty() && !names.contains(QString::fromLatin1(property.name)))
            continue;
        r = sd_bus_message_open_container(message, 'e', "sv");
        if (r >= 0)
            r = sd_bus_message_append(message, "s", property.name.constData());
        if (r >= 0)
            r = appendValue(message, property.value);
        if (r >= 0)
            r = sd_bus_message_close_container(message);
    }
    return r < 0 ? r : sd_bus_message_close_container(message);
}
