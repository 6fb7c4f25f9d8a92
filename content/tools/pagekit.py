"""Page layout for Lumora's metafile pages.

A page is drawn once by its source (content/pages/*.py) against a Page, and the
Page is made twice: with the screen theme (light text and bright colours for the
dark blue screens, or for the acknowledgments page's lighter blue) and with the
print theme (dark on white). Colours are named by their role, so one source gives
both copies.

Text is laid out with the metrics of Liberation Sans, the metric twin of Arial,
and every character is placed by its advance, so the page looks the same whichever
Arial-like font the reader's machine has.

Sizes are in twips (1440 to the inch, 15 to a screen pixel); text sizes in points.
"""

import math
import os

from ttfmetrics import FontMetrics
from wmfwriter import Metafile, WINDING, ALTERNATE

FONT_FOLDER = '/usr/share/fonts/truetype/liberation2'
FACE = 'Arial'
_fonts = {}


def metrics(bold=False, italic=False):
    name = 'LiberationSans-' + {(False, False): 'Regular', (True, False): 'Bold',
                                (False, True): 'Italic', (True, True): 'BoldItalic'}[(bold, italic)]
    if name not in _fonts:
        path = os.path.join(FONT_FOLDER, name + '.ttf')
        if not os.path.exists(path):
            raise SystemExit('pagekit: %s is missing; install the Debian package fonts-liberation2' % path)
        _fonts[name] = FontMetrics(path)
    return _fonts[name]


class Theme:
    def __init__(self, name, **colours):
        self.name = name
        self.colours = colours

    def __getitem__(self, role):
        return self.colours[role]


# Roles every theme names. The illustrations use the same roles in both copies:
# bright on the screen, darker lines and paler fills on paper.
SCREEN = Theme(
    'screen',
    text=(246, 248, 255), soft=(196, 210, 245), heading=(255, 214, 74), rule=(255, 214, 74),
    accent=(128, 204, 255), green=(146, 226, 118), orange=(255, 170, 80), pink=(255, 140, 170),
    panel=(30, 49, 112), panel_line=(104, 142, 222), ink=(232, 238, 255), shadow=(24, 38, 92),
    sea=(40, 110, 190), sea_line=(150, 205, 255), sky=(70, 110, 190), stone=(236, 222, 190),
    stone_dark=(190, 166, 128), roof=(214, 96, 70), flame=(255, 208, 64), glow=(255, 236, 150),
    wood=(186, 124, 70), wood_dark=(128, 80, 44), sail=(250, 246, 232), sail_line=(200, 190, 160),
    paper=(252, 248, 236), paper_line=(170, 160, 140), cover=(200, 60, 60), grass=(84, 170, 84),
    dot=(255, 214, 74), dot2=(128, 204, 255), cell=(44, 70, 150), cell_head=(58, 92, 180),
    screen=(39, 63, 137), screen_line=(150, 175, 235), button=(0, 0, 0), button_text=(255, 255, 0),
    white=(255, 255, 255), black=(0, 0, 0), on_fill=(0, 0, 0),
)

PRINT = Theme(
    'print',
    text=(24, 24, 36), soft=(70, 76, 100), heading=(22, 50, 138), rule=(22, 50, 138),
    accent=(0, 96, 186), green=(24, 128, 44), orange=(196, 88, 0), pink=(176, 36, 96),
    panel=(236, 242, 252), panel_line=(120, 148, 204), ink=(24, 24, 36), shadow=(210, 218, 236),
    sea=(176, 214, 245), sea_line=(40, 110, 180), sky=(222, 236, 252), stone=(246, 238, 220),
    stone_dark=(150, 126, 92), roof=(200, 84, 60), flame=(252, 200, 40), glow=(255, 240, 180),
    wood=(200, 150, 100), wood_dark=(110, 70, 40), sail=(255, 255, 255), sail_line=(110, 100, 80),
    paper=(255, 255, 255), paper_line=(120, 110, 96), cover=(190, 50, 50), grass=(120, 190, 110),
    dot=(214, 150, 0), dot2=(0, 110, 200), cell=(246, 249, 255), cell_head=(214, 226, 248),
    screen=(39, 63, 137), screen_line=(39, 63, 137), button=(0, 0, 0), button_text=(255, 255, 0),
    white=(255, 255, 255), black=(0, 0, 0), on_fill=(255, 255, 255),
)

# The acknowledgments page is shown on (49, 130, 212): panels a shade darker.
ACK_SCREEN = Theme('ack-screen', **dict(SCREEN.colours, panel=(38, 106, 186), panel_line=(150, 200, 250),
                                        shadow=(36, 98, 170), soft=(222, 236, 255)))


class Page:
    """One page: a metafile of `width` x `height` twips drawn in `theme`, whose
    header counts `units_per_inch` of them to the inch."""

    def __init__(self, width, height, theme, units_per_inch=1440):
        self.width = width
        self.height = height
        self.theme = theme
        self.mf = Metafile(width, height, units_per_inch)

    def c(self, colour):
        if colour is None or isinstance(colour, tuple):
            return colour
        return self.theme[colour]

    # ------------------------------------------------------------ shapes

    def _style(self, fill, line, width):
        self.mf.brush(self.c(fill))
        self.mf.pen(self.c(line), width if line is not None else 0)

    def rect(self, x, y, w, h, fill=None, line=None, width=0):
        self._style(fill, line, width)
        self.mf.rectangle(x, y, x + w, y + h)

    def round_rect(self, x, y, w, h, radius, fill=None, line=None, width=0):
        self._style(fill, line, width)
        self.mf.round_rect(x, y, x + w, y + h, 2 * radius)

    def circle(self, cx, cy, r, fill=None, line=None, width=0):
        self._style(fill, line, width)
        self.mf.ellipse(cx - r, cy - r, cx + r, cy + r)

    def ellipse(self, x, y, w, h, fill=None, line=None, width=0):
        self._style(fill, line, width)
        self.mf.ellipse(x, y, x + w, y + h)

    def pie(self, cx, cy, r, start_deg, end_deg, fill=None, line=None, width=0):
        """A slice counter-clockwise from `start_deg` to `end_deg` (0 is 3 o'clock)."""
        self._style(fill, line, width)
        a, b = math.radians(start_deg), math.radians(end_deg)
        self.mf.pie(cx - r, cy - r, cx + r, cy + r, (cx + r * math.cos(a), cy - r * math.sin(a)),
                    (cx + r * math.cos(b), cy - r * math.sin(b)))

    def arc(self, cx, cy, r, start_deg, end_deg, line, width=0):
        self._style(None, line, width)
        a, b = math.radians(start_deg), math.radians(end_deg)
        self.mf.arc(cx - r, cy - r, cx + r, cy + r, (cx + r * math.cos(a), cy - r * math.sin(a)),
                    (cx + r * math.cos(b), cy - r * math.sin(b)))

    def arc_box(self, x, y, w, h, start_deg, end_deg, line, width=0):
        """An arc of the ellipse in the box, counter-clockwise from `start_deg`."""
        self._style(None, line, width)
        cx, cy = x + w / 2, y + h / 2
        a, b = math.radians(start_deg), math.radians(end_deg)
        self.mf.arc(x, y, x + w, y + h, (cx + w * math.cos(a), cy - h * math.sin(a)),
                    (cx + w * math.cos(b), cy - h * math.sin(b)))

    def polygon(self, points, fill=None, line=None, width=0, winding=False):
        self._style(fill, line, width)
        self.mf.set_fill_mode(WINDING if winding else ALTERNATE)
        self.mf.polygon(points)

    def shape_with_holes(self, outlines, fill=None, line=None, width=0):
        self._style(fill, line, width)
        self.mf.set_fill_mode(ALTERNATE)
        self.mf.poly_polygon(outlines)

    def polyline(self, points, line, width=0):
        self.mf.pen(self.c(line), width)
        self.mf.polyline(points)

    def line(self, x1, y1, x2, y2, colour, width=0, dashed=False):
        self.mf.pen(self.c(colour), width, dashed)
        self.mf.line(x1, y1, x2, y2)

    def arrow(self, x1, y1, x2, y2, colour, width=30, head=120):
        """A line with a filled head at (x2, y2)."""
        angle = math.atan2(y2 - y1, x2 - x1)
        bx, by = x2 - head * math.cos(angle), y2 - head * math.sin(angle)
        self.line(x1, y1, bx, by, colour, width)
        left = (bx + head * 0.5 * math.sin(angle), by - head * 0.5 * math.cos(angle))
        right = (bx - head * 0.5 * math.sin(angle), by + head * 0.5 * math.cos(angle))
        self.polygon([(x2, y2), left, right], fill=colour, line=colour, width=0)

    def bitmap(self, x, y, w, h, rows):
        """A picture given as rows of (r, g, b), stretched over the box."""
        self.mf.bitmap(x, y, x + w, y + h, len(rows[0]), len(rows), rows)

    # ------------------------------------------------------------ text

    @staticmethod
    def em(size):
        return size * 20

    def measure(self, text, size=12, bold=False, italic=False):
        return metrics(bold, italic).width(text, self.em(size))

    def ascent(self, size, bold=False):
        m = metrics(bold)
        return m.cap_height * self.em(size) / m.units_per_em

    def text(self, x, y, text, size=12, colour='text', bold=False, italic=False, align='left'):
        """Draws one line with its baseline at y; returns its width."""
        advances = metrics(bold, italic).widths(text, self.em(size))
        width = sum(advances)
        if align == 'center':
            x -= width / 2
        elif align == 'right':
            x -= width
        self.mf.font(FACE, self.em(size), bold, italic)
        self.mf.set_text_colour(self.c(colour))
        self.mf.text(int(round(x)), int(round(y)), text, advances)
        return width

    def lines(self, x, y, rows, size=12, colour='text', bold=False, leading=1.3, align='left'):
        """Several lines, the first baseline at y; returns the next baseline."""
        for row in rows:
            self.text(x, y, row, size, colour, bold, align=align)
            y += self.em(size) * leading
        return y

    @staticmethod
    def _tokens(markup):
        """Words of a paragraph with their style: **bold**, [[highlighted]]; a ~ is a
        blank that never breaks the line (for sums such as 10~×~11)."""
        markup = markup.replace('~', '\u00a0')
        tokens, style = [], 'plain'
        i = 0
        word = ''
        while i < len(markup):
            if markup.startswith('**', i) or markup.startswith('[[', i) or markup.startswith(']]', i):
                marker = markup[i:i + 2]
                if word:
                    tokens.append((word, style, False))
                    word = ''
                if marker == '**':
                    style = 'plain' if style == 'bold' else 'bold'
                elif marker == '[[':
                    style = 'high'
                else:
                    style = 'plain'
                i += 2
                continue
            ch = markup[i]
            if ch == ' ':
                if word:
                    tokens.append((word, style, True))
                    word = ''
                elif tokens:
                    tokens[-1] = (tokens[-1][0], tokens[-1][1], True)
            else:
                word += ch
            i += 1
        if word:
            tokens.append((word, style, False))
        return tokens

    def paragraph(self, x, y, width, markup, size=12, colour='text', leading=1.32, high='heading',
                  align='left', dry=False):
        """Wrapped text; y is the top of the block. Returns the top of what follows.
        With `dry` nothing is drawn: the answer says how much room the text takes."""
        tokens = self._tokens(markup)
        em = self.em(size)
        space = self.measure(' ', size)

        def token_width(t):
            return self.measure(t[0], size, bold=t[1] != 'plain')

        rows, row, row_width = [], [], 0
        for t in tokens:
            w = token_width(t)
            gap = space if row and row[-1][2] else 0
            if row and row_width + gap + w > width:
                rows.append(row)
                row, row_width, gap = [], 0, 0
            row.append(t)
            row_width += gap + w
        if row:
            rows.append(row)

        baseline = y + self.ascent(size)
        for row in rows:
            # Runs of one style; the blank between two words goes with the first.
            runs = []
            for word, style, spaced in row:
                piece = word + (' ' if spaced else '')
                if runs and runs[-1][1] == style:
                    runs[-1][0] += piece
                else:
                    runs.append([piece, style])
            runs[-1][0] = runs[-1][0].rstrip(' ')
            total = sum(self.measure(r[0], size, bold=r[1] != 'plain') for r in runs)
            cx = x if align == 'left' else x + (width - total) / 2
            for piece, style in runs:
                if not piece:
                    continue
                if dry:
                    cx += self.measure(piece, size, bold=style != 'plain')
                else:
                    cx += self.text(cx, baseline, piece, size, high if style == 'high' else colour,
                                    bold=style != 'plain')
            baseline += em * leading
        return baseline - self.ascent(size) + em * 0.35

    def bullets(self, x, y, width, items, size=12, colour='text', bullet='accent', gap=0.35,
                leading=1.32, dry=False):
        """A list; each item a paragraph after a round bullet. Returns the top of what follows."""
        indent = self.em(size) * 1.1
        r = self.em(size) * 0.17
        for item in items:
            cy = y + self.ascent(size) * 0.5
            if not dry:
                self.circle(x + r + 10, cy, r, fill=bullet, line=None)
            y = self.paragraph(x + indent, y, width - indent, item, size, colour, leading, dry=dry)
            y += self.em(size) * gap - self.em(size) * 0.35
        return y

    # ------------------------------------------------------------ page parts

    def title(self, text, kicker=None, x=300, y=640, size=22):
        """The page heading, with the name of the page set at the right of its line."""
        room = self.width - 300 - x
        if kicker:
            room -= self.measure(kicker.upper(), 9, bold=True) + 400
            self.text(self.width - 300, y, kicker.upper(), 9, 'soft', bold=True, align='right')
        while size > 14 and self.measure(text, size, bold=True) > room:
            size -= 1
        w = self.text(x, y, text, size, 'heading', bold=True)
        self.line(x, y + 170, self.width - 300, y + 170, 'rule', 20)
        return w

    def boxed_list(self, x, y, width, items, size=12, pad=170, gap=0.12):
        """A list on a panel sized to fit it; returns the top of what follows."""
        inner = self.bullets(x + pad, y + pad, width - 2 * pad, items, size, gap=gap, dry=True)
        height = inner - y - self.em(size) * 0.35 + pad
        self.panel(x, y, width, height)
        self.bullets(x + pad, y + pad, width - 2 * pad, items, size, gap=gap)
        return y + height + 160

    def panel(self, x, y, w, h, radius=180, fill='panel', line='panel_line'):
        self.round_rect(x, y, w, h, radius, fill=fill, line=line, width=20)

    def heading(self, x, y, text, size=14, colour='heading'):
        """A heading whose top is at y; returns the top of what follows."""
        self.text(x, y + self.ascent(size, True), text, size, colour, bold=True)
        return y + self.em(size) * 1.45

    def footer(self, text):
        self.text(self.width - 300, self.height - 120, text, 8, 'soft', align='right')

    def bytes(self):
        return self.mf.bytes()
