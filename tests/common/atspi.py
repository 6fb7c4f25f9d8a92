"""The running program as a screen reader and a user meet it: read over the AT-SPI bus,
driven with the virtual display's real mouse and keys. For scripts run inside
tests/common/desktop.sh, which starts the display and the buses."""
import subprocess
import time

import pyatspi


def wait_for(what, find, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    raise RuntimeError("gave up waiting for " + what)


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def descendants(acc):
    for child in acc:
        if child is not None:
            yield child
            yield from descendants(child)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Lumora":
            return app
    return None


def window_with(name):
    """The shown window holding a shown control of this name."""
    for window in application() or []:
        if window is not None and showing(window) and any(
                showing(a) and a.name == name for a in descendants(window)):
            return window
    return None


def control(window, name, role=None):
    for a in descendants(window):
        if showing(a) and a.name == name and (role is None or a.getRoleName() == role):
            return a
    return None


def shown(role):
    """Every shown control of the program in this role ("push button", "image" ...)."""
    return [a for w in application() or [] for a in descendants(w)
            if showing(a) and a.getRoleName() == role]


def press(acc):
    """Presses a control through its action interface, as a screen reader does."""
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise RuntimeError("%r offers no press action, only %r" % (acc.name, names))
    action.doAction(names.index("Press"))


def box(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def click(acc):
    x, y, w, h = box(acc)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"],
                   check=True)
    time.sleep(0.3)


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "20", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "8", text], check=True)
