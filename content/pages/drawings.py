"""Illustrations shared by Lumora's pages, drawn with pagekit in theme colours.

Every function draws at a place and size given in twips and returns nothing
unless it says otherwise.
"""

import math


def sky(p, x, y, w, h):
    """A sky that lightens towards the horizon: a small 24-bit picture, stretched."""
    if p.theme.name == 'print':
        top, bottom = (206, 226, 250), (246, 250, 255)
    else:
        top, bottom = (22, 36, 96), (96, 150, 220)
    rows = []
    for i in range(24):
        t = i / 23
        colour = tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom))
        rows.append([colour] * 4)
    p.bitmap(x, y, w, h, rows)


def waves(p, x, y, w, rows=3, gap=160, colour='sea_line'):
    for r in range(rows):
        pts = []
        yy = y + r * gap
        shift = (r % 2) * 120
        for i in range(0, int(w) + 1, 60):
            pts.append((x + i, yy + 35 * math.sin((i + shift) / 240 * math.pi)))
        p.polyline(pts, colour, 18)


def lighthouse(p, x, y, w, h):
    """The great lighthouse of Tiberan's city on its island, a ship coming in, in a
    box of w x h twips with its top left at (x, y)."""
    sky(p, x, y, w, h)
    sea_top = y + h * 0.70
    cx = x + w * 0.56
    s = h / 4200.0  # the drawing is designed 4200 twips high

    def X(v):
        return cx + v * s

    def Y(v):
        return y + v * s

    # light beams from the lantern
    lamp_y = Y(900)
    p.polygon([(X(0), lamp_y), (x + 40, Y(500)), (x + 40, Y(1250))], fill='glow', line=None)
    p.polygon([(X(0), lamp_y), (x + w - 40, Y(420)), (x + w - 40, Y(1180))], fill='glow', line=None)
    # the sea
    p.rect(x, sea_top, w, y + h - sea_top, fill='sea', line=None)
    waves(p, x + 60, sea_top + 220 * s, w - 120, rows=3, gap=260 * s)
    # the island
    p.polygon([(X(-1500), sea_top + 80), (X(-1100), Y(3000)), (X(-500), Y(2880)), (X(700), Y(2900)),
               (X(1300), Y(3020)), (X(1650), sea_top + 80)], fill='stone_dark', line='sail_line', width=15)
    # three tiers: a square base, an eight-sided middle, a round top
    tiers = [(2900, 1850, 700, 560), (1850, 1250, 470, 400), (1250, 950, 300, 270)]
    for bottom, top, wb, wt in tiers:
        p.polygon([(X(-wb), Y(bottom)), (X(wb), Y(bottom)), (X(wt), Y(top)), (X(-wt), Y(top))],
                  fill='stone', line='stone_dark', width=18)
        p.rect(X(-wb - 40), Y(bottom) - 70 * s, 2 * (wb + 40) * s, 70 * s, fill='stone_dark', line=None)
    # windows
    for wy in (2500, 2150):
        for wx in (-330, -80, 170):
            p.rect(X(wx), Y(wy), 120 * s, 190 * s, fill='shadow', line=None)
    for wx in (-150, 60):
        p.rect(X(wx), Y(1560), 90 * s, 160 * s, fill='shadow', line=None)
    # the lantern and its fire
    p.rect(X(-230), Y(950) - 330 * s, 460 * s, 330 * s, fill='shadow', line='stone_dark', width=15)
    p.circle(X(0), lamp_y - 20 * s, 150 * s, fill='flame', line=None)
    p.polygon([(X(-300), Y(620)), (X(300), Y(620)), (X(0), Y(380))], fill='roof', line='stone_dark', width=15)
    # a statue on the top
    p.rect(X(-25), Y(380) - 200 * s, 50 * s, 200 * s, fill='stone_dark', line=None)
    p.circle(X(0), Y(380) - 235 * s, 45 * s, fill='stone_dark', line=None)
    # a ship sailing in
    k = max(s, 0.45)
    sx, sy = x + w * 0.16, sea_top + 170 * k
    p.polygon([(sx - 420 * k, sy - 120 * k), (sx + 460 * k, sy - 120 * k), (sx + 330 * k, sy + 60 * k),
               (sx - 300 * k, sy + 60 * k)], fill='wood', line='wood_dark', width=15)
    p.rect(sx - 12 * k, sy - 820 * k, 24 * k, 700 * k, fill='wood_dark', line=None)
    p.polygon([(sx + 10 * k, sy - 790 * k), (sx + 360 * k, sy - 470 * k), (sx + 10 * k, sy - 200 * k)],
              fill='sail', line='sail_line', width=12)
    p.polygon([(sx - 10 * k, sy - 700 * k), (sx - 300 * k, sy - 260 * k), (sx - 10 * k, sy - 240 * k)],
              fill='sail', line='sail_line', width=12)


def book(p, x, y, w):
    """Tiberan's book of problems, open, w twips wide, top left at (x, y)."""
    h = w * 0.55
    mid = x + w / 2
    p.polygon([(x - 60, y + h * 0.12), (mid, y + h * 0.22), (x + w + 60, y + h * 0.12),
               (x + w + 60, y + h + 80), (mid, y + h + 160), (x - 60, y + h + 80)],
              fill='cover', line='wood_dark', width=15)
    for side in (-1, 1):
        edge = mid + side * w / 2
        p.polygon([(mid, y + h * 0.2), (edge, y + h * 0.05), (edge, y + h), (mid, y + h + 110)],
                  fill='paper', line='paper_line', width=12)
    p.line(mid, y + h * 0.2, mid, y + h + 110, 'paper_line', 12)
    # a problem on each page, the rest as lines of writing
    size = max(4, round(9 * w / 2700))
    p.text(x + w * 0.08, y + h * 0.36, 'x + 5 = 12', size, (60, 60, 90), italic=True)
    p.text(mid + w * 0.06, y + h * 0.36, '3 + 5 + 7', size, (60, 60, 90), italic=True)
    for i in range(4):
        ly = y + h * (0.5 + 0.11 * i)
        p.line(x + w * 0.07, ly, mid - w * 0.07, ly + h * 0.03, 'paper_line', 10)
        p.line(mid + w * 0.07, ly + h * 0.03, x + w * 0.93, ly, 'paper_line', 10)


def sail_chariot(p, x, y, w, h):
    """Joris Malten's sail chariot on a beach, the wind behind it, in a w x h box."""
    sky(p, x, y, w, h)
    ground = y + h * 0.80
    p.rect(x, ground, w, y + h - ground, fill='stone', line=None)
    p.rect(x, ground + (y + h - ground) * 0.55, w, (y + h - ground) * 0.45, fill='sea', line=None)
    s = h / 3600.0
    cx = x + w * 0.55

    def X(v):
        return cx + v * s

    def Y(v):
        return ground - v * s

    # the wind
    for i, wy in enumerate((2500, 1900, 1300)):
        x0 = x + 120 + 140 * i
        pts = [(x0 + t, Y(wy) + 60 * math.sin(t / 300 * math.pi)) for t in range(0, int(900 * s) + 1, 40)]
        p.polyline(pts, 'accent', 26)
        p.arrow(pts[-1][0] - 10, pts[-1][1], pts[-1][0] + 110, pts[-1][1], 'accent', 26, 110)
    # the carriage
    p.polygon([(X(-1300), Y(700)), (X(1250), Y(700)), (X(1450), Y(1150)), (X(-1450), Y(1150))],
              fill='wood', line='wood_dark', width=18)
    p.rect(X(-1300), Y(1150) - 0, 2600 * s, 60 * s, fill='wood_dark', line=None)
    # two passengers
    for px in (-700, -250):
        p.circle(X(px), Y(1380), 130 * s, fill='stone', line='wood_dark', width=12)
        p.rect(X(px - 110), Y(1250), 220 * s, 100 * s, fill='orange', line=None)
    # the masts and sails
    for mx, top, sw in ((350, 3300, 900), (1050, 2700, 650)):
        p.rect(X(mx - 30), Y(top), 60 * s, (top - 1150) * s, fill='wood_dark', line=None)
        p.polygon([(X(mx - 20), Y(top - 120)), (X(mx - 20 - sw), Y(1500)), (X(mx - 20), Y(1350))],
                  fill='sail', line='sail_line', width=14)
        p.polygon([(X(mx + 30), Y(top - 120)), (X(mx + 30 + sw * 0.55), Y(1700)), (X(mx + 30), Y(1500))],
                  fill='sail', line='sail_line', width=14)
        p.polygon([(X(mx + 30), Y(top)), (X(mx + 330), Y(top - 80)), (X(mx + 30), Y(top - 160))],
                  fill='pink', line=None)
    # the wheels
    for wx in (-850, 850):
        r = 420 * s
        p.circle(X(wx), Y(420), r, fill='wood_dark', line='wood_dark', width=10)
        p.circle(X(wx), Y(420), r * 0.82, fill='stone', line=None)
        for k in range(6):
            a = k * math.pi / 6
            p.line(X(wx) - r * 0.8 * math.cos(a), Y(420) - r * 0.8 * math.sin(a),
                   X(wx) + r * 0.8 * math.cos(a), Y(420) + r * 0.8 * math.sin(a), 'wood_dark', 22)
        p.circle(X(wx), Y(420), r * 0.16, fill='wood_dark', line=None)


def dot_triangle(p, x, y, n, gap=170, r=55, colour='dot'):
    """The nth triangular number as a triangle of dots; (x, y) is the top dot.
    Returns the height of the triangle."""
    for row in range(n):
        for k in range(row + 1):
            cx = x + (k - row / 2) * gap
            p.circle(cx, y + row * gap * 0.87, r, fill=colour, line=None)
    return (n - 1) * gap * 0.87


def pairing(p, x, y, n, gap=170, r=55):
    """Two copies of the nth triangle, one turned round, make an n x (n + 1)
    rectangle; (x, y) is the centre of the top left dot."""
    for row in range(n):
        for col in range(n + 1):
            colour = 'dot' if col <= row else 'dot2'
            p.circle(x + col * gap, y + row * gap, r, fill=colour, line=None)


def pair_strip(p, x, y, w):
    """1 2 3 ... 98 99 100 with the pairs joined by arcs, each marked 101; (x, y) is
    the left end of the numbers' baseline."""
    labels = ['1', '2', '3', '', '98', '99', '100']
    step = w / (len(labels) - 1)
    xs = [x + i * step for i in range(len(labels))]
    for lx, label in zip(xs, labels):
        p.text(lx, y, label or '. . .', 14, 'text' if label else 'soft', bold=True, align='center')
    colours = ['dot', 'dot2', 'green']
    for i in range(3):
        left, right = xs[i], xs[-1 - i]
        h = 1280 - 420 * i
        p.arc_box(left, y - 330 - h / 2, right - left, h, 0, 180, colours[i], 28)
        # each label on its own arc, the three spread apart
        angle = math.radians(90 + 24 * (1 - i))
        lx = (left + right) / 2 + (right - left) / 2 * math.cos(angle)
        ly = y - 330 - h / 2 * math.sin(angle)
        p.text(lx, ly - 70, '101', 10, colours[i], bold=True, align='center')


def timeline(p, x, y, w, events, top=84):
    """A number line of years from 0 to `top` with events above and below it."""
    p.line(x, y, x + w, y, 'ink', 30)
    for year in range(0, top + 1, 10):
        tx = x + w * year / top
        p.line(tx, y - 60, tx, y + 60, 'ink', 20)
        p.text(tx, y + 250, str(year), 9, 'soft', align='center')
    for i, (year, label, colour) in enumerate(events):
        tx = x + w * year / top
        up = i % 2 == 0
        p.circle(tx, y, 85, fill=colour, line=None)
        ly = y - 380 if up else y + 640
        p.line(tx, y - 90 if up else y + 90, tx, ly + (150 if up else -300), colour, 20)
        p.text(tx, ly - (0 if up else 0), str(year), 11, colour, bold=True, align='center')
        p.text(tx, ly + (-250 if up else 230), label, 9, 'text', align='center')


def place_value(p, x, y, cell_w, cell_h, headings, digits, colours, point_after):
    """A place-value table: headings over one row of digits, the decimal point
    drawn on the line after column `point_after`."""
    for i, (head, digit, colour) in enumerate(zip(headings, digits, colours)):
        cx = x + i * cell_w
        p.rect(cx, y, cell_w, cell_h * 0.6, fill='cell_head', line='panel_line', width=15)
        p.text(cx + cell_w / 2, y + cell_h * 0.42, head, 9, 'text', bold=True, align='center')
        p.rect(cx, y + cell_h * 0.6, cell_w, cell_h, fill='cell', line='panel_line', width=15)
        p.text(cx + cell_w / 2, y + cell_h * 1.32, digit, 24, colour, bold=True, align='center')
    px = x + (point_after + 1) * cell_w
    p.circle(px, y + cell_h * 1.28, 70, fill='heading', line=None)


def number_line(p, x, y, w, marks):
    """The number line from 0 to 1 in tenths, with labelled marks above it:
    (value, label, colour)."""
    p.line(x, y, x + w, y, 'ink', 30)
    for i in range(11):
        tx = x + w * i / 10
        size = 90 if i in (0, 5, 10) else 55
        p.line(tx, y - size, tx, y + size, 'ink', 20)
        label = '0' if i == 0 else ('1' if i == 10 else '0.%d' % i)
        p.text(tx, y + 300, label, 9, 'soft', align='center')
    for value, label, colour, level in marks:
        tx = x + w * value
        ly = y - 260 - level * 330
        p.line(tx, y - 40, tx, ly + 60, colour, 20)
        p.circle(tx, y, 60, fill=colour, line=None)
        p.text(tx, ly, label, 11, colour, bold=True, align='center')


# ---------------------------------------------------------------- screen sketches

def button(p, x, y, w, h, caption, size=7):
    p.rect(x, y, w, h, fill='button', line='button_text', width=10)
    p.text(x + w / 2, y + h / 2 + p.ascent(size, True) / 2, caption, size, 'button_text', bold=True,
           align='center')


def screen_frame(p, x, y, w, h, background='screen'):
    """A small drawing of one of Lumora's screens, 800 x 600 in shape."""
    p.rect(x + 60, y + 60, w, h, fill='shadow', line=None)
    p.rect(x, y, w, h, fill=background, line='screen_line', width=20)


def menu_sketch(p, x, y, w):
    h = w * 0.75
    screen_frame(p, x, y, w, h)
    k = w / 12000.0

    def B(bx, by, bw, bh, caption, size=6):
        button(p, x + bx * k, y + by * k, bw * k, bh * k, caption, size)

    p.text(x + w / 2, y + 900 * k, 'Lumora', 13, 'button_text', bold=True, align='center')
    B(480, 1250, 3000, 420, "Teacher's Guide")
    names = ['Tiberan', '', '', '', '', 'Joris Malten']
    for i, name in enumerate(names):
        for col in range(2):
            caption = name if col == 0 else ''
            bx, by = 480 + col * 3300, 1950 + i * 620
            if caption:
                B(bx, by, 3000, 420, caption)
            else:
                p.rect(x + bx * k, y + by * k, 3000 * k, 420 * k, fill='shadow', line='screen_line', width=8)
    p.rect(x + 7000 * k, y + 1250 * k, 4500 * k, 3400 * k, fill='stone_dark', line='button_text', width=10)
    p.circle(x + 9250 * k, y + 2500 * k, 520 * k, fill='stone', line=None)
    p.rect(x + 8450 * k, y + 3150 * k, 1600 * k, 1400 * k, fill='wood', line=None)
    B(7000, 4950, 4500, 560, 'Multiple Choice Wizard')
    B(7000, 5700, 4500, 560, 'Worksheet Catalogue')
    B(480, 6000, 3000, 420, 'Acknowledgments')
    p.rect(x + 4300 * k, y + 6600 * k, 2100 * k, 1000 * k, fill='sea', line='button_text', width=8)
    B(7000, 7900, 3200, 420, 'web page')
    B(10500, 7900, 1000, 420, 'Exit')


def hub_sketch(p, x, y, w, name, activities, picture=None, second=None):
    h = w * 0.75
    screen_frame(p, x, y, w, h, background='black')
    k = w / 12000.0

    def B(bx, by, bw, bh, caption, size=6):
        button(p, x + bx * k, y + by * k, bw * k, bh * k, caption, size)

    p.text(x + 300 * k, y + 700 * k, name, 11, 'button_text', bold=True)
    B(8600, 250, 3100, 480, 'Key Facts')
    B(8600, 850, 3100, 480, "Teacher's Notes")
    if picture:
        picture(p, x + 3300 * k, y + 1500 * k, 5400 * k, 5300 * k)
    if second:
        second(p, x + 350 * k, y + 1700 * k, 2300 * k)
    bw = 2700
    captions = ['Multiple Choice', activities[0], activities[1], 'Exit']
    for i, caption in enumerate(captions):
        B(300 + i * (bw + 230), 7600, bw, 620, caption)


def printer_icon(p, x, y, w):
    h = w * 0.8
    p.rect(x + w * 0.2, y, w * 0.6, h * 0.35, fill='paper', line='paper_line', width=15)
    p.round_rect(x, y + h * 0.25, w, h * 0.5, w * 0.08, fill='soft', line='ink', width=20)
    p.rect(x + w * 0.2, y + h * 0.62, w * 0.6, h * 0.38, fill='paper', line='paper_line', width=15)
    for i in range(3):
        ly = y + h * (0.75 + 0.08 * i)
        p.line(x + w * 0.28, ly, x + w * 0.72, ly, 'paper_line', 12)
    p.circle(x + w * 0.85, y + h * 0.38, w * 0.04, fill='green', line=None)


def coins(p, x, y, counts):
    """Coins in rows: (label, how many, colour); (x, y) is the centre of the first."""
    r = 230
    for row, (label, n, colour) in enumerate(counts):
        cy = y + row * (2 * r + 140)
        for k in range(n):
            cx = x + k * (2 * r + 70)
            p.circle(cx, cy, r, fill=colour, line='ink', width=15)
            p.text(cx, cy + 75, label, 9, 'black', bold=True, align='center')


def place_steps(p, x, y, w, names, point_after):
    """Place-value columns, the point after column `point_after`, with an arc under
    each pair: each place is a tenth of the one on its left."""
    cell = w / len(names)
    for i, name in enumerate(names):
        cx = x + i * cell
        p.rect(cx + 50, y, cell - 100, 560, fill='cell_head', line='panel_line', width=15)
        p.text(cx + cell / 2, y + 340, name, 8, 'text', bold=True, align='center')
    p.circle(x + (point_after + 1) * cell, y + 470, 70, fill='heading', line=None)
    for i in range(len(names) - 1):
        a = x + (i + 0.5) * cell
        p.arc_box(a, y + 480, cell, 500, 180, 360, 'accent', 24)
        p.text(a + cell / 2, y + 1060 + 200, '\u00f7 10', 9, 'accent', bold=True, align='center')


def bar_model(p, x, y, w, parts, h=420, labels=None, colours=None):
    """A bar split into equal parts, each with its label."""
    step = w / parts
    for i in range(parts):
        fill = (colours or {}).get(i, 'cell')
        p.rect(x + i * step, y, step, h, fill=fill, line='panel_line', width=15)
        if labels:
            p.text(x + (i + 0.5) * step, y + h / 2 + 80, labels[i], 11, 'text', bold=True, align='center')


def answer_key(p, x, y, w, title, answers, size=10):
    """The quiz's answers, read from its file, on a panel."""
    rows = len(answers)
    line = p.em(size) * 1.45
    h = 480 + rows * line + 120
    p.panel(x, y, w, h)
    p.text(x + 200, y + 430, title, 12, 'heading', bold=True)
    for i, (number, (question, answer)) in enumerate(sorted(answers.items())):
        by = y + 480 + (i + 0.75) * line
        if 'NOT' in question:
            answer += ' (the one not true)'
        p.text(x + 520, by, '%d.' % number, size, 'soft', bold=True, align='right')
        p.text(x + 640, by, answer, size, 'text')
    return y + h
