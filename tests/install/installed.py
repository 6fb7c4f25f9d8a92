"""The installed program, used as a user would: installed into a prefix, started from
an unrelated empty folder with a home of its own, driven with the real mouse and
keyboard of a virtual display and read through the accessibility bus, as a screen
reader reads it. Run inside tests/common/desktop.sh.

    installed.py BUILD-FOLDER SOURCE-FOLDER
"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "common"))
from atspi import (box, click, control, descendants, key, showing, type_text, wait_for,  # noqa: E402
                   window_with)

BUILD, SOURCE = sys.argv[1], sys.argv[2]
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def tree_digest(folder):
    digest = {}
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(root, name)
            rel = os.path.relpath(path, folder)
            digest[rel] = (hashlib.sha256(open(path, "rb").read()).hexdigest()
                           if os.path.isfile(path) else "folder")
    return digest


def grab(acc, out):
    """The pixels of a control as the display shows them."""
    x, y, w, h = box(acc)
    subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", out],
                   check=True)
    return w, h


def difference(shot, picture, size):
    """Root-mean-square difference, 0 to 1, between a grab and a picture file."""
    r = subprocess.run(["compare", "-metric", "RMSE", shot,
                        "(", picture, "-resize", f"{size[0]}x{size[1]}!", ")", "null:"],
                       capture_output=True, text=True)
    return float(r.stderr.split("(")[1].split(")")[0])


def spread(shot):
    """How much a grab varies: 0 for a plain area, more for a drawing."""
    r = subprocess.run(["convert", shot, "-colorspace", "Gray", "-format",
                        "%[fx:standard_deviation]", "info:"], capture_output=True, text=True)
    return float(r.stdout)


# ------------------------------------------------------------------- the roads
def start(folder, home):
    env = dict(os.environ, HOME=home)
    env.pop("XDG_DATA_HOME", None)
    program = subprocess.Popen([os.path.join(PREFIX, "bin", "lumora")], cwd=folder, env=env)
    wait_for("the title screen", lambda: window_with("OK"))
    return program


def to_menu():
    click(control(window_with("OK"), "OK"))
    return wait_for("the main menu", lambda: window_with("Worksheet Catalogue"))


def save_worksheet(title):
    menu = window_with("Worksheet Catalogue")
    click(control(menu, "Multiple Choice Wizard"))
    wizard = wait_for("the wizard", lambda: window_with("Save Worksheet"))
    boxes = sorted((a for a in descendants(wizard) if a.getRoleName() == "text" and showing(a)),
                   key=lambda a: (box(a)[1], box(a)[0]))
    click(boxes[0])  # the title box, at the top; Enter walks the rest as designed
    lines = [title]
    for q in range(1, 11):
        lines += [f"Question {q}"] + [f"q{q} choice {c}" for c in "ABCD"]
    for line in lines:
        type_text(line)
        key("Return")
    # Tick choice A of every question: the tick box just left of its choice box.
    for tick in [a for a in descendants(wizard) if a.getRoleName() == "check box"]:
        tx, ty, tw, th = box(tick)
        right = [b for b in boxes if abs(box(b)[1] - ty) < th and box(b)[0] > tx]
        nearest = min(right, key=lambda b: box(b)[0])
        text = nearest.queryText().getText(0, -1)
        if text.endswith("choice A"):
            click(tick)
    click(control(wizard, "Save Worksheet"))
    saved = wait_for("the saved message", lambda: window_with("Your worksheet has been saved."))
    click(control(saved, "OK"))
    click(control(window_with("Save Worksheet"), "Exit"))


def catalogue_lists(title):
    menu = wait_for("the main menu", lambda: window_with("Worksheet Catalogue"))
    click(control(menu, "Worksheet Catalogue"))
    catalogue = wait_for("the catalogue", lambda: window_with("Worksheets Catalogue"))
    return control(catalogue, title) is not None


work = tempfile.mkdtemp(prefix="lumora-installed-")
PREFIX = os.path.join(work, "prefix")
subprocess.run(["cmake", "--install", BUILD, "--prefix", PREFIX], check=True,
               stdout=subprocess.DEVNULL)
installed = tree_digest(PREFIX)
share = os.path.join(PREFIX, "share")

for validator in (["desktop-file-validate", f"{share}/applications/org.brenvale.Lumora.desktop"],
                  ["appstreamcli", "validate", "--no-net",
                   f"{share}/metainfo/org.brenvale.Lumora.metainfo.xml"]):
    r = subprocess.run(validator, capture_output=True, text=True)
    check(r.returncode == 0, " ".join(validator[:2]) + ": " + (r.stdout + r.stderr).strip())

# From a terminal, with no display at all: the version and the help, then nothing else.
lumora = os.path.join(PREFIX, "bin", "lumora")
bare = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
for argument, expected in (("--version", r"lumora \d+\.\d+\n"), ("--help", r"Usage: lumora ")):
    r = subprocess.run([lumora, argument], capture_output=True, text=True, env=bare, timeout=30)
    check(r.returncode == 0 and re.match(expected, r.stdout), f"{argument}: {r.stdout!r}")

# A teacher at home: started from an empty folder.
home, empty = os.path.join(work, "home"), os.path.join(work, "empty")
os.makedirs(home)
os.makedirs(empty)
program = start(empty, home)
try:
    title = window_with("OK")
    portrait = next(a for a in descendants(title) if a.getRoleName() in ("image", "label")
                    and box(a)[2] == 320 and box(a)[3] == 240)
    size = grab(portrait, f"{work}/portrait.png")
    d = difference(f"{work}/portrait.png", f"{SOURCE}/data/Images/corvinus2.jpg", size)
    check(d < 0.05, f"the title portrait is drawn (difference {d:.3f})")

    menu = to_menu()
    click(control(menu, "Tiberan"))
    hub = wait_for("Tiberan's hub", lambda: window_with("Key Facts"))
    picture = max((a for a in descendants(hub) if a.getRoleName() in ("image", "label")),
                  key=lambda a: box(a)[2] * box(a)[3])
    size = grab(picture, f"{work}/hub.png")
    d = difference(f"{work}/hub.png", f"{SOURCE}/data/Images/pharos.jpg", size)
    check(d < 0.08, f"the hub picture is drawn (difference {d:.3f})")

    click(control(hub, "Key Facts"))
    viewer = wait_for("the Key Facts page", lambda: window_with("Print"))
    page = max((a for a in descendants(viewer) if a.getRoleName() in ("image", "label")),
               key=lambda a: box(a)[2] * box(a)[3])
    grab(page, f"{work}/page.png")
    s = spread(f"{work}/page.png")
    check(s > 0.05, f"the Key Facts page is drawn (spread {s:.3f})")
    click(control(viewer, "Exit"))
    click(control(window_with("Key Facts"), "Exit"))

    save_worksheet("Halves and quarters")
    mine = os.path.join(home, ".local/share/lumora/multiple")
    check(os.path.isfile(os.path.join(mine, "Halves and quarters.txt")),
          "the worksheet is saved in the user's own folder")
    check(open(os.path.join(mine, "track.txt"), "rb").read() == b" 1 \r\nHalves and quarters\r\n",
          "the user's catalogue lists it")
    check(catalogue_lists("Halves and quarters"), "the catalogue screen lists it")
    check(os.listdir(empty) == [], "nothing is written in the folder it was started from")
finally:
    program.kill()
    program.wait()

# A class's shared folder: the teacher saves there, and a later start lists it.
shared = os.path.join(work, "class")
os.makedirs(os.path.join(shared, "multiple"))
open(os.path.join(shared, "multiple", "track.txt"), "wb").write(b" 0 \r\n")
for run in ("teacher", "pupil"):
    program = start(shared, os.path.join(work, "home-" + run))
    try:
        to_menu()
        if run == "teacher":
            save_worksheet("Class sheet")
            check(os.path.isfile(os.path.join(shared, "multiple", "Class sheet.txt")),
                  "the worksheet is saved in the class folder")
        else:
            check(catalogue_lists("Class sheet"), "a second start lists the class's worksheet")
    finally:
        program.kill()
        program.wait()
check(not os.path.exists(os.path.join(work, "home-teacher", ".local/share/lumora")),
      "a class folder needs no folder of the user's")

check(tree_digest(PREFIX) == installed, "the installed tree is unchanged byte for byte")
sys.exit(1 if failures else 0)
