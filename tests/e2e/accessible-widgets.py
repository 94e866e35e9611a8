# accessible-widgets.py OUTPUT READY SECONDS: what a screen reader sees of the
# application, every 0.2 s to OUTPUT, a line per shown widget: role, name (or
# description), x, y, width, height, states, window, name, description (tab-
# separated); the control last focused to OUTPUT.focus as "role|name". Touches READY.
import os
import sys

import pyatspi
from gi.repository import GLib

output, ready, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3])
popups = []


def write(path, text):
    with open(path + ".tmp", "w") as file:
        file.write(text)
    os.replace(path + ".tmp", path)


def role(accessible):
    # From the role's constant, not its display name, which at-spi2 renames between releases.
    return str(pyatspi.Role(int(accessible.getRole())))[len("ROLE_"):].lower().replace("_", " ")


def on_event(event):
    try:
        if event.type == "object:state-changed:focused" and event.detail1 == 1:
            write(output + ".focus", "%s|%s\n" % (role(event.source), event.source.name or ""))
        window = event.source  # popups are not among the application's children
        while window.parent is not None and window.parent.getRole() != pyatspi.ROLE_APPLICATION:
            window = window.parent
        if window.getRole() in (pyatspi.ROLE_POPUP_MENU, pyatspi.ROLE_MENU, pyatspi.ROLE_WINDOW,
                                pyatspi.ROLE_FILLER, pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME) and \
                all(window != seen for seen in popups):
            popups.append(window)
    except Exception as error:
        print("event:", error, file=sys.stderr, flush=True)


def lines(accessible, found, window, depth=0):
    states = accessible.getState() if accessible is not None and depth <= 8 else None
    if states is None or not states.contains(pyatspi.STATE_SHOWING):
        return
    try:
        e = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        extents = (e.x, e.y, e.width, e.height)
    except NotImplementedError:
        extents = (0, 0, 0, 0)
    name, description = ((text or "").replace("\t", " ").replace("\n", " ")
                         for text in (accessible.name, accessible.description))
    found.append("\t".join([role(accessible), name or description] + [str(v) for v in extents] + [
        ",".join(pyatspi.stateToString(s) for s in states.getStates()), window, name, description]))
    for child in accessible:
        lines(child, found, window, depth + 1)


def applications():
    return [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Zembrak"]


def record():
    found, windows = [], list(popups)
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
    write(output, "\n".join(found) + "\n")
    return True


# Listening to the changes of names and descriptions also keeps the read ones up to date.
for kind in ("object:state-changed:showing", "object:state-changed:focused", "window:activate", "focus:",
             "object:property-change:accessible-name", "object:property-change:accessible-description"):
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
