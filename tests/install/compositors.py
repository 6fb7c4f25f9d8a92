"""The program on a Wayland compositor (weston, headless), as on the desktops schools
install: the screens grabbed as the compositor shows them, its windows read from its
own scene graph, and the program driven through the accessibility bus. Run inside
tests/common/desktop.sh --wayland or --xwayland (or with no option for openbox).

    compositors.py xwayland|wayland|fill|openbox BUILD-FOLDER SOURCE-FOLDER

xwayland: with an X11 display beside Wayland, the title screen and the menu stand
          centred on the backdrop, which fills the display.
wayland:  Wayland alone: every screen of a walk through the program is wholly in view,
          in front of the backdrop.
openbox:  an X11 desktop with the openbox window manager, which frames a window once it
          is shown: the title screen and the menu stand centred to the pixel, frame and all.
fill:     --fill: the menu fills at least 90 % of the display's height, centred, and a
          Key Facts page is as sharp as the page drawn straight at that scale.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "common"))
import pyatspi  # noqa: E402
from atspi import application, control, descendants, press, showing, wait_for  # noqa: E402

MODE = sys.argv[1]
BUILD, SOURCE = (os.path.abspath(p) for p in sys.argv[2:4])
BACKDROP = "rgb(48,133,214)"
work = tempfile.mkdtemp(prefix="lumora-compositor-")
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def magick(*args):
    return subprocess.run(["convert", *args], capture_output=True, text=True,
                          check=True).stdout.strip()


def grab(name):
    """The compositor's whole output."""
    if MODE == "openbox":
        subprocess.run(["import", "-window", "root", os.path.join(work, name)], check=True)
        return os.path.join(work, name)
    for old in os.listdir(work):
        if old.startswith("wayland-screenshot"):
            os.remove(os.path.join(work, old))
    subprocess.run(["weston-screenshooter"], cwd=work, check=True, timeout=20)
    shot = next(f for f in os.listdir(work) if f.startswith("wayland-screenshot"))
    os.rename(os.path.join(work, shot), os.path.join(work, name))
    return os.path.join(work, name)


def size(shot):
    return tuple(int(v) for v in magick(shot, "-format", "%w %h", "info:").split())


def bounds(shot, colour, fuzz, inside):
    """The box round the pixels that are (inside) or are not this colour."""
    mark = ["-fill", "white", "-opaque", colour, "-fill", "black", "+opaque", "white"]
    if not inside:
        mark = ["-fill", "black", "-opaque", colour, "-fill", "white", "+opaque", "black"]
    box = magick(shot, "-fuzz", f"{fuzz}%", *mark, "-format", "%@", "info:")
    w, h, x, y = (int(v) for v in re.match(r"(\d+)x(\d+)\+(\d+)\+(\d+)", box).groups())
    return x, y, w, h


def centred(shot, inner, what, within=None):
    """The one window on the backdrop: its whole frame, centred within the thickness
    of its frame (or `within` pixels, where the window manager tells a window its frame),
    the backdrop's colour at the display's corners and sides."""
    width, height = size(shot)
    x, y, w, h = bounds(shot, BACKDROP, 16, inside=False)
    frame = (w - inner[0], h - inner[1])
    dx, dy = x + w / 2 - width / 2, y + h / 2 - height / 2
    check(0 <= frame[0] <= 80 and 0 <= frame[1] <= 80,
          f"{what}: one window of {inner[0]} x {inner[1]} with its frame ({w} x {h})")
    check(abs(dx) <= (within or max(frame[0], 4)) and abs(dy) <= (within or max(frame[1], 4)),
          f"{what}: centred on the display (off by {dx:+.0f}, {dy:+.0f})")
    edges = [(px, py) for px in (0, width - 1) for py in (0, height // 2, height - 1)]
    colours = {magick(shot, "-format", f"%[pixel:p{{{px},{py}}}]", "info:") for px, py in edges}
    check(colours == {"srgb(48,133,214)"}, f"{what}: the backdrop fills the display {colours}")
    return x, y, w, h


def edges(picture):
    """How much a picture changes from pixel to pixel: less when it is blurred."""
    return float(magick(picture, "-colorspace", "Gray", "-define", "convolve:scale=!",
                        "-morphology", "Convolve", "Laplacian:0", "-format",
                        "%[fx:mean]", "info:"))


def views():
    """The windows as the compositor stacks them, front first: native (an
    xdg_toplevel) or not, and the box they cover."""
    r = subprocess.run(["weston-debug", "scene-graph"], capture_output=True, text=True, timeout=20)
    # The desktop has no other windows: no panel, no other program.
    return [{"native": m.group(1) == "xdg_toplevel", "box": tuple(int(v) for v in m.groups()[1:])}
            for m in re.finditer(r"View \d+ \(role ([^,]*), .*?top-level window .*?\):\n"
                                 r"\s*position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)",
                                 r.stdout)]


def start(*arguments, **environment):
    global program
    data = os.path.join(work, "data")
    if not os.path.isdir(data):
        shutil.copytree(os.path.join(SOURCE, "data"), data)
    env = dict(os.environ, HOME=os.path.join(work, "home"), **environment)
    program = subprocess.Popen([os.path.join(BUILD, "src", "lumora"), *arguments], cwd=data,
                               env=env)
    wait_for("the title screen", lambda: window_with("OK"))
    time.sleep(1)


def window_with(name):
    """The shown window holding a shown control of this name, the active one first."""
    found = [w for w in application() or [] if w is not None and showing(w) and any(
        showing(a) and a.name == name for a in descendants(w))]
    found.sort(key=lambda w: not w.getState().contains(pyatspi.STATE_ACTIVE))
    return found[0] if found else None


def step(button, shows, on=None, leaves=None):
    """Presses a button of the screen that shows `on` (or the button itself) and waits
    for the screen it opens, and for the one it closes to go."""
    press(control(wait_for(repr(button), lambda: window_with(on or button)), button))
    wait_for(shows, lambda: window_with(shows))
    if leaves:
        wait_for(f"{leaves} to go", lambda: window_with(leaves) is None)
    time.sleep(1)


program = manager = None
try:
    if MODE == "openbox":
        manager = subprocess.Popen(["openbox"])
        time.sleep(1)
        start()
        centred(grab("title.png"), (364, 438), "the title screen", within=2)
        step("OK", "Worksheet Catalogue")
        centred(grab("menu.png"), (800, 600), "the main menu", within=2)

    elif MODE == "xwayland":
        start()
        check(views() and not any(v["native"] for v in views()),
              "beside XWayland the program is an X11 client")
        centred(grab("title.png"), (364, 438), "the title screen")
        step("OK", "Worksheet Catalogue")
        centred(grab("menu.png"), (800, 600), "the main menu")

    elif MODE == "wayland":
        start(QT_QPA_PLATFORM="wayland")
        riddle = "How old was Tiberan when each of these events occurred?"
        # Each step: the button, what it opens, the screen it is pressed on, what goes.
        walk = [(None, "OK"), ("OK", "Worksheet Catalogue", None, "OK"),
                ("Tiberan", "Key Facts"), ("Key Facts", "Next Page"),
                ("Exit", "Tiberan's Life", "Next Page", "Next Page"),
                ("Tiberan's Life", riddle), ("Exit", "Multiple Choice", riddle, riddle),
                ("Exit", "Acknowledgments", "Multiple Choice", "Multiple Choice"),
                ("Acknowledgments", "Print"),
                ("Exit", "Teacher's Guide", "Print", "Print"),
                ("Exit", "Cancel", "Teacher's Guide"),
                ("Cancel", "Worksheet Catalogue", None, "Cancel")]
        for button, shows, *where in walk:
            if button:
                step(button, shows, *where)
            shown = views()
            width, height = size(grab("step.png"))
            backdrop = [i for i, v in enumerate(shown) if v["box"] == (0, 0, width, height)]
            screens = [v for v in shown if v["box"] != (0, 0, width, height)]
            check(all(v["native"] for v in shown), f"{shows}: a native Wayland client")
            check(len(backdrop) == 1 and len(screens) == len(shown) - 1 and all(
                i < backdrop[0] for i, v in enumerate(shown) if v in screens) and screens,
                f"{shows}: the screens in front of the backdrop")
            check(all(x1 >= 0 and y1 >= 0 and x2 <= width and y2 <= height
                      for x1, y1, x2, y2 in (v["box"] for v in screens)),
                  f"{shows}: every screen wholly in view {[v['box'] for v in screens]}")

    elif MODE == "fill":
        start("--fill")
        step("OK", "Worksheet Catalogue")
        shot = grab("menu.png")
        width, height = size(shot)
        inner = bounds(shot, "rgb(39,63,137)", 1, inside=True)[2:]
        x, y, w, h = centred(shot, inner, "the main menu, filling")
        check(h >= 0.9 * height, f"the main menu fills {h / height:.0%} of the display's height")
        # The portrait, 320 x 240 at (464, 80) in the menu, is drawn from its dense copy:
        # as sharp as that copy brought to its size by a smooth filter, not the designed
        # one stretched by the same filter.
        bx, by, bw, bh = bounds(shot, "rgb(39,63,137)", 1, inside=True)
        s = bw / 800
        fw, fh = round(320 * s), round(240 * s)
        top = by + bh - round(600 * s) + round(80 * s)
        crop = ["-crop", f"{fw - 8}x{fh - 8}+4+4", "+repage"]
        portrait, dense, soft = (os.path.join(work, n) for n in ("portrait.png", "dense.png", "soft.png"))
        magick(shot, "-crop", f"{fw}x{fh}+{bx + round(464 * s)}+{top}", "+repage", *crop, portrait)
        for source, out in (("corvinus2@3x.jpg", dense), ("corvinus2.jpg", soft)):
            magick(os.path.join(SOURCE, "data", "Images", source), "-filter", "Mitchell",
                   "-resize", f"{fw}x{fh}!",
                   *crop, out)
        sharp, reference_edges, blurred = (edges(f) for f in (portrait, dense, soft))
        check(sharp >= 0.9 * reference_edges,
              f"the portrait is drawn sharp at {s:.3f}: its edges {sharp / reference_edges:.0%} "
              f"of its dense copy at that size (the designed one stretched, "
              f"{blurred / reference_edges:.0%})")
        step("Tiberan", "Key Facts")
        step("Key Facts", "Print")
        shot = grab("keyfacts.png")
        # The viewer's own blue sets the scale it is drawn at; its bottom edge, below
        # the buttons, is the screen's own (the frame's title may be blue too).
        cx, cy, cw, ch = bounds(shot, "rgb(39,63,137)", 1, inside=True)
        scale = cw / 800
        cy += ch - round(600 * scale)
        reference = os.path.join(work, "page.png")
        subprocess.run([os.path.join(BUILD, "lumora_screenshots"), "--page",
                        "wmf/key Tiberana.wmf", str(scale), reference],
                       cwd=os.path.join(work, "data"), check=True,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        pw, ph = size(reference)
        # The same page drawn at its own size and stretched: what a blurred screen shows.
        stretched = os.path.join(work, "stretched.png")
        subprocess.run([os.path.join(BUILD, "lumora_screenshots"), "--page",
                        "wmf/key Tiberana.wmf", "1", stretched],
                       cwd=os.path.join(work, "data"), check=True,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        magick(stretched, "-resize", f"{pw}x{ph}!", stretched)

        page = os.path.join(work, "page-grabbed.png")

        def difference(against):
            """The least root-mean-square difference over the page's place, give or
            take the pixels that rounding the scaled places may move it; the best
            place is kept."""
            best = 1.0
            left, top = cx + round((cw - pw) / 2), cy + round(8 * scale)
            for ox in (-2, -1, 0, 1, 2):
                for oy in (-2, -1, 0, 1, 2):
                    r = subprocess.run(
                        ["compare", "-metric", "RMSE", against,
                         "(", shot, "-crop", f"{pw}x{ph}+{left + ox}+{top + oy}", "+repage", ")",
                         "null:"], capture_output=True, text=True)
                    d = float(r.stderr.split("(")[1].split(")")[0])
                    if d < best:
                        best = d
                        magick(shot, "-crop", f"{pw}x{ph}+{left + ox}+{top + oy}", "+repage", page)
            return best

        place = difference(reference)
        check(place < 0.05, f"the Key Facts page stands where it is designed (difference {place:.4f})")
        sharp, reference_edges, blurred = (edges(f) for f in (page, reference, stretched))
        check(sharp >= 0.9 * reference_edges,
              f"the Key Facts page is drawn sharp at {scale:.3f}: its edges "
              f"{sharp / reference_edges:.0%} of the page drawn at that scale "
              f"(stretched, {blurred / reference_edges:.0%})")
finally:
    for running in (program, manager):
        if running:
            running.kill()
            running.wait()
    if failures or os.environ.get("LUMORA_KEEP_GRABS"):
        print("grabs kept in " + work)
    else:
        shutil.rmtree(work, ignore_errors=True)
sys.exit(1 if failures else 0)
