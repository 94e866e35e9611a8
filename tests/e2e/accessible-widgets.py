# What a screen reader sees of the application, written every 0.2 s to OUTPUT,
# one line per widget of each shown window and popup menu:
#   role, name (or else description), x, y, width, height (desktop coordinates),
#   states (comma-separated), window, accessible name, description, slider value
# tab-separated; the control that last took the keyboard goes to OUTPUT.focus as
# "role|name". Popups are not among the application's children on the bus: they
# are found through the events their widgets send when they show. Touches READY
# once it listens.   accessible-widgets.py OUTPUT READY SECONDS
import os
import sys

import pyatspi
from gi.repository import GLib

output, ready, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3])
popups = []


def top_level(accessible):
    while accessible.parent is not None and accessible.parent.getRole() != pyatspi.ROLE_APPLICATION:
        accessible = accessible.parent
    return accessible


def on_event(event):
    try:
        if event.type == "object:state-changed:focused" and event.detail1 == 1:
            with open(output + ".focus.tmp", "w") as file:
                file.write("%s|%s\n" % (event.source.getRoleName(), event.source.name or ""))
            os.replace(output + ".focus.tmp", output + ".focus")
        window = top_level(event.source)
        if window.getRole() in (pyatspi.ROLE_POPUP_MENU, pyatspi.ROLE_MENU, pyatspi.ROLE_WINDOW,
                                pyatspi.ROLE_FILLER, pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME) and \
                all(window != seen for seen in popups):
            popups.append(window)
    except Exception as error:
        print("event:", error, file=sys.stderr, flush=True)


def lines(accessible, found, window, depth=0):
    if accessible is None or depth > 8:
        return found
    states = accessible.getState()
    if not states.contains(pyatspi.STATE_SHOWING):
        return found
    try:
        e = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        extents = (e.x, e.y, e.width, e.height)
    except NotImplementedError:
        extents = (0, 0, 0, 0)
    names = ",".join(pyatspi.stateToString(s) for s in states.getStates())
    name, description = (
        (text or "").replace("\t", " ").replace("\n", " ")
        for text in (accessible.name, accessible.description))
    value = "%g" % accessible.queryValue().currentValue if accessible.getRole() == pyatspi.ROLE_SLIDER else ""
    found.append("\t".join([accessible.getRoleName(), name or description] + [str(v) for v in extents] +
                           [names, window, name, description, value]))
    for child in accessible:
        lines(child, found, window, depth + 1)
    return found


def applications():
    return [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Zembrak"]


def record():
    found = []
    windows = list(popups)
    for application in applications():  # a restarted application is another one
        try:
            windows += [child for child in application if all(child != w for w in windows)]
        except Exception:
            pass
    for window in windows:
        try:
            window.clear_cache()
            lines(window, found, (window.name or "").replace("\t", " "))
        except Exception:  # gone meanwhile
            pass
    with open(output + ".tmp", "w") as file:
        file.write("\n".join(found) + "\n")
    os.replace(output + ".tmp", output)
    return True


# Listening to the changes of names and descriptions also keeps the read ones up to date.
for kind in ("object:state-changed:showing", "object:state-changed:focused", "window:activate", "focus:",
             "object:property-change:accessible-name",
             "object:property-change:accessible-description"):
    pyatspi.Registry.registerEventListener(on_event, kind)

for _ in range(150):
    apps = applications()
    if apps and apps[0].childCount > 0:
        open(ready, "w").close()
        break
    GLib.usleep(100000)
else:
    sys.exit("the application never showed on the accessibility bus")

GLib.timeout_add(200, record)
GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
pyatspi.Registry.start()
