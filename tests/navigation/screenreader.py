#!/usr/bin/python3
"""Reads the running program as a screen reader does: over the AT-SPI bus, on a
display of its own (Xvfb), with a session bus and an accessibility bus started here.

    screenreader.py <lumora program> <data folder>

It lists the main menu's buttons (each a push button named by its caption), presses
one through the action interface and sees its screen open, and reads the words of a
Key Facts page. Exits non-zero on the first thing that is not so."""

import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

MENU_BUTTONS = {
    "Teacher's Guide", "Tiberan", "Orestion", "Pherekon", "Hedda Lindqvar", "Ismenia",
    "Matthias Brekk", "Kallistrin", "Sofie Ardelan", "Nysandra", "Cornelis Vaught",
    "Joris Malten", "Ada Pellimore", "Multiple Choice Wizard", "Worksheet Catalogue",
    "Acknowledgments", "www.brenvale.example", "Exit",
}
KEY_FACTS_START = "The riddle of Tiberan's life"

started = []


def start(args, **kw):
    p = subprocess.Popen(args, **kw)
    started.append(p)
    return p


program_log = None


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    if program_log and os.path.exists(program_log):
        with open(program_log) as log:
            print("The program said:\n" + log.read(), file=sys.stderr)
    sys.exit(1)


def wait_for(what, find, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail("timed out waiting for " + what)


def start_buses():
    # A display of its own, far from the numbers people pick by hand.
    for number in random.sample(range(200, 400), 20):
        if os.path.exists("/tmp/.X%d-lock" % number):
            continue
        xvfb = start(["Xvfb", ":%d" % number, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                     stderr=subprocess.DEVNULL)
        socket = "/tmp/.X11-unix/X%d" % number
        end = time.time() + 10
        while xvfb.poll() is None and not os.path.exists(socket) and time.time() < end:
            time.sleep(0.1)
        if xvfb.poll() is None and os.path.exists(socket):
            os.environ["DISPLAY"] = ":%d" % number
            break
    else:
        fail("Xvfb did not start")
    # A session bus, then the accessibility bus that the session bus names.
    bus = start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    # Asking for its address starts it (at-spi2-core's service file on the session bus).
    wait_for("the accessibility bus", lambda: subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"], capture_output=True).returncode == 0)


def descendants(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from descendants(child, depth + 1)


def showing(pyatspi, node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find_all(pyatspi, app, role):
    return [n for n in descendants(app) if n.getRole() == role and showing(pyatspi, n)]


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail("%r offers no press action, only %r" % (node.name, names))
    action.doAction(names.index("Press"))


def main():
    program, data = os.path.abspath(sys.argv[1]), sys.argv[2]
    work = tempfile.mkdtemp()
    try:
        shutil.copytree(data, os.path.join(work, "data"))
        start_buses()
        import pyatspi  # after the buses: it connects when loaded

        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        global program_log
        program_log = os.path.join(work, "program.log")
        with open(program_log, "w") as log:
            start([program], cwd=os.path.join(work, "data"), env=env, stdout=log, stderr=log)

        def lumora():
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == "Lumora":
                    return app
            return None

        app = wait_for("the program on the bus", lumora)
        buttons = lambda: {b.name: b for b in find_all(pyatspi, app, pyatspi.ROLE_PUSH_BUTTON)}

        ok = wait_for("the title screen's OK", lambda: buttons().get("OK"))
        press(ok)
        menu = wait_for("the main menu", lambda: buttons() if "Tiberan" in buttons() else None)
        for name, button in sorted(menu.items()):
            print("menu: push button %r" % name)
        missing = MENU_BUTTONS - set(menu)
        if missing:
            fail("the menu lacks the push buttons %r" % sorted(missing))

        press(menu["Tiberan"])
        hub = wait_for("the Tiberan hub", lambda: buttons() if "Key Facts" in buttons() else None)
        print("pressed 'Tiberan': the hub shows %r" % sorted(hub))
        pictures = [p.name for p in find_all(pyatspi, app, pyatspi.ROLE_IMAGE)]
        print("pictures: %r" % pictures)
        if "The great lighthouse of Tiberan's city" not in pictures:
            fail("the hub's picture has no name")

        press(hub["Key Facts"])
        page = wait_for("the Key Facts page",
                        lambda: find_all(pyatspi, app, pyatspi.ROLE_DOCUMENT_FRAME))[0]
        text = page.queryText().getText(0, -1)
        print("the page reads:\n" + text)
        if not text.startswith(KEY_FACTS_START):
            fail("the page does not begin with %r" % KEY_FACTS_START)
        if "His boyhood lasted 14 years." not in text.splitlines():
            fail("the page's lines are not read in order")
        print("PASS")
    finally:
        for p in reversed(started):
            p.terminate()
        for p in reversed(started):
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
