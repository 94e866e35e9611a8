#!/usr/bin/python3
"""A panel that hosts StatusNotifierItems, as far as the items can tell: it owns
the watcher's name, takes registrations and, like a real panel, reads the
item's properties again whenever the item announces a new icon, tooltip or
label. Writes each registered item's bus name to the file given as argument."""
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
XML = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  </interface>
</node>
"""

items = []
out_path = sys.argv[1]
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def read_item(service):
    bus.call(service, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "GetAll",
             GLib.Variant("(s)", (ITEM,)), None, Gio.DBusCallFlags.NONE, -1, None, None, None)


def on_item_signal(_bus, sender, _path, _iface, _member, _params, _data):
    read_item(sender)


def on_call(_bus, sender, _path, _iface, method, params, invocation):
    if method == "RegisterStatusNotifierItem":
        service = params.unpack()[0]
        if service.startswith("/"):
            service = sender
        items.append(service)
        for member in ("NewIcon", "NewToolTip", "XAyatanaNewLabel"):
            bus.signal_subscribe(sender, ITEM, member, "/StatusNotifierItem", None,
                                 Gio.DBusSignalFlags.NONE, on_item_signal, None)
        read_item(service)
        with open(out_path, "w") as out:
            out.write(service + "\n")
    invocation.return_value(None)


def on_get(_bus, _sender, _path, _iface, name):
    return {
        "RegisteredStatusNotifierItems": GLib.Variant("as", items),
        "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
        "ProtocolVersion": GLib.Variant("i", 0),
    }[name]


node = Gio.DBusNodeInfo.new_for_xml(XML)
bus.register_object("/StatusNotifierWatcher", node.interfaces[0], on_call, on_get, None)
Gio.bus_own_name_on_connection(bus, WATCHER, Gio.BusNameOwnerFlags.NONE, None, None)
GLib.MainLoop().run()
