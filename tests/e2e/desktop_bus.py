#!/usr/bin/env python3
"""The session services of a StatusNotifierItem desktop, for the end-to-end test.

serve LOG          a StatusNotifierWatcher with a host and a notification server on the
                   session bus; each registered item and each Notify call is one JSON line in LOG
item SERVICE PATH  the item's Title, ToolTip, icon sizes and menu labels, as one JSON object
activate SERVICE PATH
                   a click on the item, as the host sends it
click ID           a click on notice ID: the server's ActionInvoked(ID, "default")
"""

import json
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
NOTIFICATIONS = "org.freedesktop.Notifications"
ITEM = "org.kde.StatusNotifierItem"
CONTROL = "cn.galewarden.TestDesktop"
PROPERTIES = "org.freedesktop.DBus.Properties"


def plain(value):
    """dbus-python values as JSON ones; pictures only by their size."""
    if isinstance(value, dbus.Struct) and len(value) == 7:  # image-data (iiibiiay)
        return {"width": int(value[0]), "height": int(value[1])}
    if isinstance(value, (dbus.Array, list, dbus.Struct, tuple)):
        return [plain(v) for v in value]
    if isinstance(value, dbus.Dictionary):
        return {str(k): plain(v) for k, v in value.items()}
    if isinstance(value, dbus.Boolean):
        return bool(value)
    if isinstance(value, (dbus.Byte, dbus.Int16, dbus.Int32, dbus.Int64, dbus.UInt16,
                          dbus.UInt32, dbus.UInt64)):
        return int(value)
    if isinstance(value, (dbus.String, dbus.ObjectPath, str)):
        return str(value)
    return value


class Log:
    def __init__(self, path):
        self.path = path

    def write(self, record):
        with open(self.path, "a", encoding="utf-8") as log:
            log.write(json.dumps(record, ensure_ascii=False) + "\n")


WATCHER_INTROSPECTION = """<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/>
      <arg type="v" direction="out"/></method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg type="s" direction="out"/></method>
  </interface>
</node>"""


class Watcher(dbus.service.Object):
    """Qt reads the host's presence as a property it finds by introspection: the properties
    must be in the description, which dbus-python would leave out."""

    def __init__(self, bus, log):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.log = log
        self.items = []

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        path = "/StatusNotifierItem"
        if service.startswith("/"):
            service, path = sender, service
        self.items.append(f"{service}{path}")
        self.log.write({"event": "item", "service": str(service), "path": path})
        self.StatusNotifierItemRegistered(f"{service}{path}")

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    def properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties()[name]

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return WATCHER_INTROSPECTION

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties()


class Notifications(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log = log
        self.last_id = 0

    @dbus.service.method(NOTIFICATIONS, out_signature="as")
    def GetCapabilities(self):
        return ["actions", "body", "icon-static"]

    @dbus.service.method(NOTIFICATIONS, out_signature="ssss")
    def GetServerInformation(self):
        return ["recording notification server", "Galewarden tests", "1", "1.2"]

    @dbus.service.method(NOTIFICATIONS, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        notice_id = int(replaces) if replaces else self.last_id + 1
        self.last_id = max(self.last_id, notice_id)
        self.log.write({"event": "notify", "id": notice_id, "app": str(app),
                        "replaces": int(replaces), "icon": str(icon), "summary": str(summary),
                        "body": str(body), "actions": plain(actions), "hints": plain(hints),
                        "timeout": int(timeout)})
        return dbus.UInt32(notice_id)

    @dbus.service.method(NOTIFICATIONS, in_signature="u")
    def CloseNotification(self, notice_id):
        self.NotificationClosed(notice_id, 3)

    @dbus.service.signal(NOTIFICATIONS, signature="uu")
    def NotificationClosed(self, notice_id, reason):
        pass

    @dbus.service.signal(NOTIFICATIONS, signature="us")
    def ActionInvoked(self, notice_id, action):
        pass


class Control(dbus.service.Object):
    def __init__(self, bus, notifications):
        super().__init__(bus, "/")
        self.notifications = notifications

    @dbus.service.method(CONTROL, in_signature="u")
    def Click(self, notice_id):
        self.notifications.ActionInvoked(notice_id, "default")


def serve(log_path):
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    log = Log(log_path)
    names = [dbus.service.BusName(name, bus) for name in (WATCHER, NOTIFICATIONS, CONTROL)]
    watcher = Watcher(bus, log)
    notifications = Notifications(bus, log)
    control = Control(bus, notifications)
    log.write({"event": "ready"})
    GLib.MainLoop().run()
    del names, watcher, control


def menu_labels(bus, service, menu_path):
    menu = bus.get_object(service, menu_path)
    _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"),
                               dbus_interface="com.canonical.dbusmenu")

    def labels(node):
        _, properties, children = node
        found = [str(properties["label"])] if "label" in properties else []
        for child in children:
            found += labels(child)
        return found

    return labels(layout)


def item(service, path):
    bus = dbus.SessionBus()
    properties = bus.get_object(service, path).GetAll(ITEM, dbus_interface=PROPERTIES)
    tooltip = properties.get("ToolTip", ("", [], "", ""))
    pixmaps = properties.get("IconPixmap", [])
    print(json.dumps({
        "Title": str(properties.get("Title", "")),
        "Id": str(properties.get("Id", "")),
        "Status": str(properties.get("Status", "")),
        "ToolTip": {"title": str(tooltip[2]), "text": str(tooltip[3])},
        "IconPixmap": [[int(p[0]), int(p[1]), len(p[2])] for p in pixmaps],
        "IconName": str(properties.get("IconName", "")),
        "Menu": menu_labels(bus, service, properties["Menu"]) if "Menu" in properties else [],
    }, ensure_ascii=False))


def activate(service, path):
    dbus.SessionBus().get_object(service, path).Activate(0, 0, dbus_interface=ITEM)


def click(notice_id):
    dbus.SessionBus().get_object(CONTROL, "/").Click(dbus.UInt32(int(notice_id)),
                                                     dbus_interface=CONTROL)


if __name__ == "__main__":
    command, arguments = sys.argv[1], sys.argv[2:]
    {"serve": serve, "item": item, "activate": activate, "click": click}[command](*arguments)
