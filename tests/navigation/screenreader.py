"""Reads the running program as a screen reader does, over the AT-SPI bus. Run inside
tests/common/desktop.sh.

    screenreader.py <lumora program> <data folder>

It lists the main menu's buttons (each a push button named by its caption), presses
one through the action interface and sees its screen open, names the hub's picture,
and reads the words of a Key Facts page in order."""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "common"))
from atspi import press, shown, wait_for  # noqa: E402

MENU_BUTTONS = {
    "Teacher's Guide", "Tiberan", "Orestion", "Pherekon", "Hedda Lindqvar", "Ismenia",
    "Matthias Brekk", "Kallistrin", "Sofie Ardelan", "Nysandra", "Cornelis Vaught",
    "Joris Malten", "Ada Pellimore", "Multiple Choice Wizard", "Worksheet Catalogue",
    "Acknowledgments", "www.brenvale.example", "Exit",
}


def buttons():
    return {b.name: b for b in shown("push button")}


def screen_with(name):
    return wait_for("a screen with " + repr(name),
                    lambda: buttons() if name in buttons() else None)


def main():
    program, data = os.path.abspath(sys.argv[1]), sys.argv[2]
    work = tempfile.mkdtemp()
    log_path = os.path.join(work, "program.log")
    shutil.copytree(data, os.path.join(work, "data"))
    with open(log_path, "w") as log:
        lumora = subprocess.Popen([program], cwd=os.path.join(work, "data"),
                                  env=dict(os.environ, QT_QPA_PLATFORM="xcb"),
                                  stdout=log, stderr=log)
    problems = []
    try:
        press(screen_with("OK")["OK"])
        menu = screen_with("Tiberan")
        for name in sorted(menu):
            print("menu: push button %r" % name)
        if MENU_BUTTONS - set(menu):
            problems.append("the menu lacks the push buttons %r" % sorted(MENU_BUTTONS - set(menu)))

        press(menu["Tiberan"])
        hub = screen_with("Key Facts")
        pictures = [p.name for p in shown("image")]
        print("pressed 'Tiberan': the hub shows %r and the pictures %r" % (sorted(hub), pictures))
        if "The great lighthouse of Tiberan's city" not in pictures:
            problems.append("the hub's picture has no name")

        press(hub["Key Facts"])
        page = wait_for("the Key Facts page", lambda: shown("document frame"))[0]
        text = page.queryText().getText(0, -1)
        print("the page reads:\n" + text)
        if not text.startswith("The riddle of Tiberan's life"):
            problems.append("the page does not begin with its heading")
        if "His boyhood lasted 14 years." not in text.splitlines():
            problems.append("the page's lines are not read in order")
    except RuntimeError as e:
        problems.append(str(e))
    finally:
        lumora.terminate()
        try:
            lumora.wait(timeout=5)
        except subprocess.TimeoutExpired:
            lumora.kill()
    for p in problems:
        print("FAIL: " + p, file=sys.stderr)
    if problems:
        print("The program said:\n" + open(log_path).read(), file=sys.stderr)
    shutil.rmtree(work, ignore_errors=True)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
